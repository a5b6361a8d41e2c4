// Text drawings (.KVD): one drawing as fixed-column lines, read in a count
// pass and a read pass (drawing_files.h says what both passes promise).
#pragma once

#include <cstdint>

#include "drawing/drawing_format.h"

// The next line of the drawing text file `name` into `line` (kDrawingLineSize
// characters): at most 255 characters with the line end ('\n') when it fits, a
// CR before it dropped; a longer line comes in pieces. The file stays open from
// call to call while the same name is asked for; another name closes it and
// opens the new one. A first line that begins with "VER" is passed over.
// 1 when a line was read; 0 at the end of the file (which closes it), when the
// file cannot be opened, or when `close` is non-zero (which closes it).
int ReadDrawingLine(char* line, const char* name, int close);

// The count pass: records (A, C, D, E, L, M, S) and string-area bytes of a
// text drawing; both 0 when the file cannot be opened.
void CountDrawingText(const char* path, int32_t* count, int32_t* stringSize);

// The read pass: up to recordCapacity records into `records` (25 bytes each)
// and up to stringCapacity bytes of texts into `strings`; the count read and
// the drawing's largest x and y come back. Scale (F) and origin (O) lines are
// applied to every later coordinate.
void ReadDrawingText(const char* path, int32_t* count, unsigned char* records,
                     int64_t recordCapacity, char* strings, int64_t stringCapacity, float* largestX,
                     float* largestY);

// The largest x and y of the points of a C or E record's arc, sampled once a
// degree over the sweep (at most one full turn; a sweep that is not finite
// samples only the start point).
void ArcExtents(float* largestX, float* largestY, const DrawingRecord& record);

// The text length of an S line as both passes take it: the line's own field,
// 0 when below 0 or when there is no text line; up to 84 kept as it is (the
// text line is then filled with blanks past its end); above 84 cut to 99 and
// to the characters that the text line holds.
int32_t ClampTextLength(int32_t length, const char* textLine);
