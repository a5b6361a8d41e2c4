// Name rules of the drawing files: extensions are looked for in a path's file
// name only, never in its folders.
#pragma once

#include <cstddef>

// The file name part of a path: after its last '\', '/' or ':'.
const char* DrawingFileName(const char* path);
// The text after the last '.' of the file name, or null when it has none.
const char* DrawingExtension(const char* path);
// True when the three characters after the file name's last '.' are `letters`
// (three of them), case aside; whatever follows them does not count, so
// "PLAN.KFD " and "PLAN.KFDX" are binary drawing files as "PLAN.KFD" is.
bool ExtensionLettersAre(const char* path, const char* letters);
// The same file, as Windows opens them: case, the kind of slash and blanks or
// points at the end aside.
bool SameDrawingPath(const char* a, const char* b);
// The input folder followed by `name` into `out` (`outSize` bytes); false when
// it does not fit.
bool InputFolderPath(char* out, size_t outSize, const char* name);
// The program folder followed by `name`, the same way.
bool ProgramFolderPath(char* out, size_t outSize, const char* name);
