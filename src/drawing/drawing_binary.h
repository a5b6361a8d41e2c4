// Binary drawing files (.KFD): up to 100 drawings back to back, read in a
// count pass and a read pass (drawing_files.h says what both passes promise).
#pragma once

#include <cstdint>
#include <cstdio>

#include "drawing/drawing_format.h"

// The header last read by the binary reader, its count pass and SeekDrawing;
// all zero after a read that found no such drawing.
extern DrawingFileHeader g_drawingHeader;

// Places `file` at the header of drawing n (any n outside 1..100 means 1).
// Every earlier drawing is checked against the file's length: false, with the
// shared header zero, when an earlier header is short, holds a negative count
// or size, or runs past the file's end; the drawing's own header is checked by
// its reader.
bool SeekDrawing(FILE* file, int n);

void CountDrawingBinary(const char* path, int32_t* count, int32_t* stringSize, int n);
void ReadDrawingBinary(const char* path, int32_t* count, unsigned char* records,
                       int64_t recordCapacity, char* strings, int64_t stringCapacity,
                       float* largestX, float* largestY, int n);
