// SSCANH, MoveWords and MOVEC.
#include "engine/material/copy_search.h"

#include <cstring>

#include "engine/material/material_diagnostics.h"

namespace {
constexpr char kSscanhMisuse[] = " ERROR IN USING SSCANH, CONTACT KVOR";
constexpr char kMovecTooLong[] = " ERROR IN MOVEC - CONTACT KVOR TECH SUPPORT";
}  // namespace

void SSCANH(const int16_t* array, const int64_t* firstBytePosition, const int64_t* byteCount,
            const int16_t* key, const int64_t* elementLength, const int64_t* strideBytes,
            int64_t* found) {
  *found = 0;
  const int64_t n = *byteCount / 2;
  const int64_t i = *firstBytePosition / 2 + 1;
  const int64_t s = *strideBytes / 2;
  if (*elementLength != 2 || s == 0) {
    WriteMaterialStdoutLine(kSscanhMisuse, sizeof kSscanhMisuse - 1);
    return;
  }
  const int64_t examined = (n - i + s) / s;
  // Elements outside 1..n are never read: the examination starts at the first
  // element inside (a start before it is stepped over at once, not one element
  // at a time) and stops at the first one past it.
  int64_t e = 0;
  if (s > 0 && i < 1) e = (1 - i + s - 1) / s;
  if (s < 0 && i > n) e = (i - n - s - 1) / -s;
  // The last step still inside: element n going up, element 1 going down.
  const int64_t room = s > 0 ? n - i : i - 1;
  if (room < 0) return;
  int64_t end = room / (s > 0 ? s : -s) + 1;
  if (end > examined) end = examined;
  const int16_t wanted = *key;
  if (s == 1 && e < end) {
    // The look-up's own case, every element from i on: the library's byte
    // search finds the candidates (an index is mostly zeros), and only a
    // candidate that starts an element and matches whole is a hit.
    unsigned char k[2];
    std::memcpy(k, &wanted, sizeof k);
    const unsigned char* const begin = reinterpret_cast<const unsigned char*>(array + (i + e - 1));
    const unsigned char* const stop = reinterpret_cast<const unsigned char*>(array + (i + end - 1));
    const unsigned char* at = begin;
    while (at < stop) {
      const void* hit = std::memchr(at, k[0], static_cast<size_t>(stop - at));
      if (!hit) return;
      const unsigned char* c = static_cast<const unsigned char*>(hit);
      if ((c - begin) % 2 == 0 && c + 1 < stop && c[1] == k[1]) {
        *found = 2 * ((i + e) + (c - begin) / 2) - 1;
        return;
      }
      at = c + 1;
    }
    return;
  }
  for (; e < end; ++e) {
    const int64_t j = i + e * s;
    if (array[j - 1] == wanted) {
      *found = 2 * j - 1;
      return;
    }
  }
}

void MoveWords(const int64_t* byteCount, const float* source, const int64_t* sourceBytePosition,
               float* destination, const int64_t* destinationBytePosition) {
  const int64_t n = *byteCount / 4;
  const int64_t p = *sourceBytePosition / 4;
  const int64_t q = *destinationBytePosition / 4;
  for (int64_t t = 1; t <= n; ++t) destination[q + t - 1] = source[p + t - 1];
}

void MOVEC(const int64_t* count, const char* source, int64_t sourceLength,
           const int64_t* sourcePosition, char* destination, int64_t destinationLength,
           const int64_t* destinationPosition) {
  const int64_t n = *count;
  if (n <= 0) return;
  if (n > 2000) WriteMaterialStdoutLine(kMovecTooLong, sizeof kMovecTooLong - 1);
  const int64_t from = *sourcePosition;
  const int64_t to = *destinationPosition;
  // Characters before position 1 of either text are left out at once.
  int64_t t = 0;
  if (from < 1) t = 1 - from;
  if (to < 1 && 1 - to > t) t = 1 - to;
  for (; t < n; ++t) {
    const int64_t a = from + t;
    const int64_t b = to + t;
    if (a > sourceLength || b > destinationLength) break;
    destination[b - 1] = source[a - 1];
  }
}
