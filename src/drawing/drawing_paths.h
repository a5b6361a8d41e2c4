// Name rules of the drawing files: extensions are looked for in a path's file
// name only, never in its folders.
#pragma once

#include <cstddef>

// The file name part of a path: after its last '\', '/' or ':'.
const char* DrawingFileName(const char* path);
// The text after the last '.' of the file name, or null when it has none.
const char* DrawingExtension(const char* path);
bool EqualNoCase(const char* a, const char* b);
// The same path, as Windows compares them: case and the kind of slash aside.
bool SameDrawingPath(const char* a, const char* b);
// The input folder followed by `name` into `out` (`outSize` bytes); false when
// it does not fit.
bool InputFolderPath(char* out, size_t outSize, const char* name);
