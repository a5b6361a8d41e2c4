// The one home of the library's text rules:
//
// - `bounded`: NUL-terminated texts copied and joined into fixed buffers. A
//   text that does not fit is never cut silently: the routines say so, and
//   callers then leave the path alone (a cut path would name some other file).
//   Only CopyCut cuts, for texts that are not names of files.
// - `fixed`: the engine's texts, fixed-length and filled with blanks, and
//   texts passed as address plus length (taken into a NUL-terminated buffer,
//   given back blank-padded); these helpers copy, measure and compare them,
//   so no routine writes its own loop.
// - `ascii`: upper-casing of ASCII letters only (other bytes stay as they are,
//   whatever the code page).
// - `file_names`: where the file name of a path starts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace bounded {

// Copies the first `n` characters of `src` and a NUL into `dst` (capacity
// bytes, NUL included). False, with dst "", when they do not fit.
inline bool CopyPrefix(char* dst, size_t capacity, const char* src, size_t n) {
  if (capacity == 0) return false;
  if (n + 1 > capacity) {
    dst[0] = '\0';
    return false;
  }
  if (n > 0) std::memcpy(dst, src, n);
  dst[n] = '\0';
  return true;
}

// Copies the whole of `src`. False, with dst "", when it does not fit.
inline bool Copy(char* dst, size_t capacity, const char* src) {
  return CopyPrefix(dst, capacity, src, src ? std::strlen(src) : 0);
}

// dst = a + b + c. False, with dst "", when the whole does not fit.
inline bool Join(char* dst, size_t capacity, const char* a, const char* b, const char* c = "") {
  const size_t na = std::strlen(a), nb = std::strlen(b), nc = std::strlen(c);
  if (capacity == 0) return false;
  if (na + nb + nc + 1 > capacity) {
    dst[0] = '\0';
    return false;
  }
  std::memmove(dst, a, na);
  std::memcpy(dst + na, b, nb);
  std::memcpy(dst + na + nb, c, nc);
  dst[na + nb + nc] = '\0';
  return true;
}

// Copies `src` cut to capacity - 1 characters, and a NUL; nothing when the
// capacity is 0 or less.
inline void CopyCut(char* dst, int64_t capacity, const char* src) {
  if (capacity <= 0) return;
  size_t n = std::strlen(src);
  if (n > static_cast<size_t>(capacity - 1)) n = static_cast<size_t>(capacity - 1);
  std::memcpy(dst, src, n);
  dst[n] = '\0';
}

// The length of a text that ends at `length` or at an earlier NUL (0 for a
// null text or a length of 0 or less).
inline size_t LengthWithin(const char* text, int64_t length) {
  if (!text || length <= 0) return 0;
  const void* nul = std::memchr(text, '\0', static_cast<size_t>(length));
  return nul ? static_cast<size_t>(static_cast<const char*>(nul) - text)
             : static_cast<size_t>(length);
}

}  // namespace bounded

namespace fixed {

// Number of characters up to the last one that is not a blank.
inline size_t TrimmedLength(const char* text, size_t length) {
  while (length > 0 && text[length - 1] == ' ') --length;
  return length;
}

// Copies `src` (length `srcLength`) into `dst` (width `dstWidth`), cut at the
// width or filled with blanks up to it. The two may not overlap.
inline void CopyPadded(char* dst, size_t dstWidth, const char* src, size_t srcLength) {
  const size_t n = srcLength < dstWidth ? srcLength : dstWidth;
  if (n > 0) std::memcpy(dst, src, n);
  if (dstWidth > n) std::memset(dst + n, ' ', dstWidth - n);
}

// Copies a NUL-terminated text into a fixed field.
inline void CopyPaddedZ(char* dst, size_t dstWidth, const char* src) {
  CopyPadded(dst, dstWidth, src, src ? std::strlen(src) : 0);
}

// The usable length of a text passed as address and length: 0 for a null
// text or a length below 1, so a bad argument reads and writes nothing.
inline size_t ArgumentLength(const char* text, int64_t length) {
  return text && length > 0 ? static_cast<size_t>(length) : 0;
}

// Copies into a text passed as address and length, cut or filled with blanks;
// a null text or a length below 1 receives nothing.
inline void CopyToArgument(char* dst, int64_t dstLength, const char* src, size_t srcLength) {
  CopyPadded(dst, ArgumentLength(dst, dstLength), src, srcLength);
}

// Fills a field with blanks.
inline void Blank(char* dst, size_t width) {
  if (width > 0) std::memset(dst, ' ', width);
}

// Equal when both texts are the same once trailing blanks are dropped (case
// matters).
inline bool EqualIgnoringTrailingBlanks(const char* a, size_t aLength, const char* b,
                                        size_t bLength) {
  const size_t na = TrimmedLength(a, aLength);
  const size_t nb = TrimmedLength(b, bLength);
  return na == nb && (na == 0 || std::memcmp(a, b, na) == 0);
}

// Copies the text without its trailing blanks into a NUL-terminated buffer of
// `capacity` bytes. False (and the buffer holds "") when it does not fit.
inline bool ToCString(char* dst, size_t capacity, const char* src, size_t srcLength) {
  return bounded::CopyPrefix(dst, capacity, src, TrimmedLength(src, srcLength));
}

// Appends the trimmed text to a NUL-terminated buffer of `capacity` bytes.
// False, with the buffer unchanged, when the result would not fit.
inline bool AppendTrimmed(char* dst, size_t capacity, const char* src, size_t srcLength) {
  const size_t have = std::strlen(dst);
  const size_t n = TrimmedLength(src, srcLength);
  if (have + n + 1 > capacity) return false;
  if (n > 0) std::memcpy(dst + have, src, n);
  dst[have + n] = '\0';
  return true;
}

// Copies the first min(length, limit) characters of an engine text into
// `buffer` (limit + 1 bytes) and ends it with a NUL. A null text or a length of
// 0 or less gives an empty text. Returns the number of characters copied.
inline int64_t TakeText(char* buffer, int64_t limit, const char* text, int64_t length) {
  int64_t n = length;
  if (text == nullptr || n < 0) n = 0;
  if (n > limit) n = limit;
  if (n > 0) std::memcpy(buffer, text, static_cast<size_t>(n));
  buffer[n] = '\0';
  return n;
}

// Brings an engine text to exactly `width` characters, cut or padded with
// blanks, and ends it with a NUL (`buffer` holds width + 1 bytes). Used where a
// routine needs a fixed-width word such as a command or a screen name.
inline void TakePaddedText(char* buffer, int64_t width, const char* text, int64_t length) {
  const int64_t n = TakeText(buffer, width, text, length);
  if (width > n) std::memset(buffer + n, ' ', static_cast<size_t>(width - n));
  buffer[width] = '\0';
}

// Hands a result text back to the engine: the first min(fieldLength,
// resultLength) characters of `result`, the rest of the field filled with
// blanks. No NUL is written: the field is the caller's fixed-length text. The
// two may overlap.
inline void GiveText(char* field, int64_t fieldLength, const char* result, int64_t resultLength) {
  if (field == nullptr || fieldLength <= 0) return;
  int64_t n = resultLength < fieldLength ? resultLength : fieldLength;
  if (result == nullptr || n < 0) n = 0;
  if (n > 0) std::memmove(field, result, static_cast<size_t>(n));
  if (fieldLength > n) std::memset(field + n, ' ', static_cast<size_t>(fieldLength - n));
}

}  // namespace fixed

namespace ascii {

inline char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Upper-cases a NUL-terminated text in place.
inline void UpperInPlace(char* text) {
  for (char* p = text; *p; ++p) *p = Upper(*p);
}

}  // namespace ascii

namespace file_names {

// Where the file name of a Windows path starts: after its last '\', '/' or
// ':' (Windows takes '/' as a separator too, and "C:NAME" names NAME in the
// current folder of drive C:); the whole path when it has none of them.
inline const char* NameStart(const char* path) {
  const char* name = path;
  for (const char* p = path; *p; ++p) {
    if (*p == '\\' || *p == '/' || *p == ':') name = p + 1;
  }
  return name;
}

}  // namespace file_names
