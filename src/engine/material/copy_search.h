// The copy and search helpers of material retrieval. Every number is passed by
// address; positions are 1-based byte (or character) positions.
#pragma once

#include <cstdint>

// Searches `array` for `key`: n = byteCount div 2 elements, starting at element
// firstBytePosition div 2 + 1, every (stride div 2)-th. `found` becomes the
// 1-based byte position of the first match, or 0. An element length other
// than 2, or a stride of -1, 0 or 1, prints " ERROR IN USING SSCANH, CONTACT
// KVOR" on standard output. Elements outside 1..n are never read.
void SSCANH(const int16_t* array, const int64_t* firstBytePosition, const int64_t* byteCount,
            const int16_t* key, const int64_t* elementLength, const int64_t* strideBytes,
            int64_t* found);

// Copies byteCount div 4 words, one at a time in ascending order, from word
// sourceBytePosition div 4 + 1 of `source` to word destinationBytePosition div
// 4 + 1 of `destination` (byte position 1 is word 1, 481 is word 121).
void MoveWords(const int64_t* byteCount, const float* source, const int64_t* sourceBytePosition,
               float* destination, const int64_t* destinationBytePosition);

// Copies `count` characters from `source` at sourcePosition to `destination`
// at destinationPosition, one at a time in ascending order. A count above 2000
// prints " ERROR IN MOVEC - CONTACT KVOR TECH SUPPORT" on standard output and
// the copy still takes place. The copy never reaches past either text's
// length: what would is left out.
void MOVEC(const int64_t* count, const char* source, int64_t sourceLength,
           const int64_t* sourcePosition, char* destination, int64_t destinationLength,
           const int64_t* destinationPosition);
