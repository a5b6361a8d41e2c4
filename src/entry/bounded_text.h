// Bounded copies and joins of NUL-terminated texts into fixed buffers. A text
// that does not fit is never cut silently: the routines say so, and callers
// then leave the path alone (a cut path would name some other file).
#pragma once

#include <cstddef>
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
