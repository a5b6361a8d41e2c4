// The one home of the library's text rules. Two kinds of text meet here:
//
// - `bounded`: NUL-terminated texts copied and joined into fixed buffers. A
//   text that does not fit is never cut silently: the routines say so, and
//   callers then leave the path alone (a cut path would name some other file).
// - `fixed`: the engine's texts, fixed-length and filled with blanks, and
//   texts passed as address plus length; these helpers copy, measure and
//   compare them, so no routine writes its own loop.
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
inline bool Join(char* dst, size_t capacity, const char* a, const char* b,
                 const char* c = "") {
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
  const size_t n = TrimmedLength(src, srcLength);
  if (capacity == 0) return false;
  if (n + 1 > capacity) {
    dst[0] = '\0';
    return false;
  }
  if (n > 0) std::memcpy(dst, src, n);
  dst[n] = '\0';
  return true;
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

}  // namespace fixed
