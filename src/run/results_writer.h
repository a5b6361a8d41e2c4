// The results file (.KOU): the text file through which a run hands its results
// to the host, and the only code that writes it.
//
// Line kinds (every line ends in CR LF; reals in fixed notation with six
// decimals, never an exponent):
//   scalar real      key,1.500000,0        scalar integer  key,12,0
//   text             key,"text",0          array header    key,0,n
//   real element     2.500000,             zero element     , (blank comma blank)
//   flagged element  2.500000,F            integer element 12,
//   text element     "text",               message         Message,Error;  12; 1;...,0
//
// Writers take every argument by address, each text followed by its length.
// An integer argument (value, count, message number, kind) is the 32-bit
// signed integer in the first four bytes at its address, so the engine may
// pass the address of an eight-byte integer. Texts end at their length or at
// an earlier NUL. When no results file is open, every writer returns without
// writing (FormatResultMessage still formats).
//
// Capacities: a key holds at most 255 characters (127 for WriteResultText),
// a text value 127 and a text element 255 (counted after quote replacement);
// longer ones are cut to the capacity. The caller's texts are never changed.
#pragma once

#include <cstddef>
#include <cstdint>

// Opens the file for appending (created when missing), without denying other
// processes access. A file still open from a run the host abandoned is closed
// first. False, with no file open, when the open fails.
bool OpenResultsFile(const char* fileName);
void CloseResultsFile();
// Writes out what is buffered (before the host is asked about an exception,
// so that the file holds everything written until then).
void FlushResultsFile();
bool ResultsFileIsOpen();

void WriteResultReal(const char* key, int64_t keyLength, const float* value);  // not for 0.0
void WriteResultRealAlways(const char* key, int64_t keyLength, const float* value);
void WriteResultInt(const char* key, int64_t keyLength, const void* value);  // not for 0
void WriteResultIntAlways(const char* key, int64_t keyLength, const void* value);
// Nothing when the text begins with a blank.
void WriteResultText(const char* key, int64_t keyLength, const char* text, int64_t textLength);

// Arrays: a header with n, the position of the last non-zero element among
// the first `count`, then n element lines; nothing when n is 0. Flags are one
// character per element; flags past the end of the flags text are blanks.
void WriteResultRealArray(const char* key, int64_t keyLength, const float* values,
                          const void* count);
void WriteResultRealArrayFlagged(const char* key, int64_t keyLength, const float* values,
                                 const char* flags, int64_t flagsLength, const void* count);
void WriteResultInt8Array(const char* key, int64_t keyLength, const int64_t* values,
                          const void* count);
// Elements lie one after another, each `elementLength` characters long.
void WriteResultTextArray(const char* key, int64_t keyLength, const char* elements,
                          int64_t elementLength, const void* count);

// Lists: a header with count, then one line for every element, zeros
// included; nothing when count is 0 or less.
void WriteResultRealList(const char* key, int64_t keyLength, const float* values,
                         const void* count);
void WriteResultRealListFlagged(const char* key, int64_t keyLength, const float* values,
                                const char* flags, int64_t flagsLength, const void* count);
void WriteResultIntList(const char* key, int64_t keyLength, const int32_t* values,
                        const void* count);

// Message line of kind 1 Warning, 2 Limit, 3 Error, 4 Suggestion, 5 Note:
// "Message,<kind>;number(4);int3(2);value1;int1(2);value2;int2(2),0". Other
// kinds write nothing.
void WriteResultMessage(const void* number, const void* kind, const float* value1, const void* int1,
                        const float* value2, const void* int2, const void* int3);
// The same line, "\n" and NUL included, into `out` instead of the file, cut to
// outLength - 1 characters; `out` is left as it was for another kind or when
// not even the NUL fits.
void FormatResultMessage(char* out, int64_t outLength, const void* number, const void* kind,
                         const float* value1, const void* int1, const float* value2,
                         const void* int2, const void* int3);
// The text up to its NUL (or its length), with no line end added.
void WriteResultRaw(const char* text, int64_t length);

// Replaces every '"' of text[0..length) by the two letters "in", in place;
// the text grows by one per quote, and what would pass `capacity` is dropped.
// Returns the new length.
size_t ReplaceQuotesWithInch(char* text, size_t length, size_t capacity);

// Copies the source up to (not including) its first two consecutive blanks,
// looked for up to its NUL or its length; when it holds none, the first
// `count` characters (32-bit integer at the address), NULs included, but not
// past the source's length. At most destinationLength characters are copied,
// no NUL is added and the rest of the destination is left as it was.
void CopyUpToDoubleBlank(char* destination, int64_t destinationLength, const char* source,
                         int64_t sourceLength, const void* count);

// Load-time state: no file open.
void ResetResultsWriterForTests();
