#include "drawing/drawing_paths.h"

#include <cstring>

#include "entry/run_context.h"

namespace {

char Fold(char c) {
  if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
  if (c == '/') return '\\';
  return c;
}

}  // namespace

const char* DrawingFileName(const char* path) {
  const char* name = path;
  for (const char* p = path; *p; ++p) {
    if (*p == '\\' || *p == '/' || *p == ':') name = p + 1;
  }
  return name;
}

const char* DrawingExtension(const char* path) {
  const char* dot = std::strrchr(DrawingFileName(path), '.');
  return dot ? dot + 1 : nullptr;
}

bool EqualNoCase(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b) {
    if (Fold(*a) != Fold(*b)) return false;
  }
  return *a == *b;
}

bool SameDrawingPath(const char* a, const char* b) { return EqualNoCase(a, b); }

bool InputFolderPath(char* out, size_t outSize, const char* name) {
  const char* folder = GetInputDir();
  const size_t a = std::strlen(folder);
  const size_t b = std::strlen(name);
  if (a + b + 1 > outSize) {
    if (outSize > 0) out[0] = '\0';
    return false;
  }
  std::memcpy(out, folder, a);
  std::memcpy(out + a, name, b + 1);
  return true;
}
