#include "drawing/drawing_paths.h"

#include <cstring>

#include "run/run_context.h"
#include "run/text.h"

namespace {

// Case and the kind of slash aside, as Windows compares names.
char Fold(char c) { return c == '/' ? '\\' : ascii::Upper(c); }

}  // namespace

const char* DrawingFileName(const char* path) { return file_names::NameStart(path); }

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
  // An input folder that did not fit its field is empty: never the current
  // folder's file.
  if (!g_runContext.inputFolderFits) {
    if (outSize > 0) out[0] = '\0';
    return false;
  }
  return bounded::Join(out, outSize, GetInputDir(), name);
}

bool ProgramFolderPath(char* out, size_t outSize, const char* name) {
  // A program folder that did not fit its field is empty: never the current
  // folder's file of that name.
  if (!g_runContext.programFolderFits) {
    if (outSize > 0) out[0] = '\0';
    return false;
  }
  return bounded::Join(out, outSize, GetProgramDir(), name);
}
