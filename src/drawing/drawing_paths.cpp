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

bool ExtensionLettersAre(const char* path, const char* letters) {
  const char* extension = DrawingExtension(path);
  if (!extension) return false;
  for (int i = 0; i < 3; ++i) {
    if (extension[i] == '\0' || Fold(extension[i]) != Fold(letters[i])) return false;
  }
  return true;
}

namespace {

// The length of a path without the blanks and points at its end, which
// Windows drops from a file name when it opens the file.
size_t OpenedLength(const char* path) {
  size_t n = std::strlen(path);
  while (n > 0 && (path[n - 1] == ' ' || path[n - 1] == '.')) --n;
  return n;
}

}  // namespace

bool SameDrawingPath(const char* a, const char* b) {
  const size_t n = OpenedLength(a);
  if (n != OpenedLength(b)) return false;
  for (size_t i = 0; i < n; ++i) {
    if (Fold(a[i]) != Fold(b[i])) return false;
  }
  return true;
}

bool InputFolderPath(char* out, size_t outSize, const char* name) {
  const char* folder = GetInputDir();
  const size_t a = std::strlen(folder);
  const size_t b = std::strlen(name);
  // An input folder that did not fit its field is empty: never the current folder's file.
  if (!g_runContext.inputFolderFits || a + b + 1 > outSize) {
    if (outSize > 0) out[0] = '\0';
    return false;
  }
  std::memcpy(out, folder, a);
  std::memcpy(out + a, name, b + 1);
  return true;
}
