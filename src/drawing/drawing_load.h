// Reading a drawing of either kind, by the path's extension, and drawings
// held in memory for picture slots.
#pragma once

#include <cstdint>

#include "os/os.h"

// By the three letters after the file name's last '.', case aside: "KVD" reads
// a text drawing (n is not used), "KFD" drawing n of a binary file; anything
// else reads nothing, count 0.
void CountDrawing(const char* path, int32_t* count, int32_t* stringSize, int n);
void ReadDrawing(const char* path, int32_t* count, unsigned char* records, int64_t recordCapacity,
                 char* strings, int64_t stringCapacity, float* largestX, float* largestY, int n);

// A drawing held in memory for a picture slot. Both blocks are movable and
// unlocked between uses; stringSize is the string area's size in bytes, which
// the renderer checks text offsets against.
struct LoadedDrawing {
  os::MemBlock records;  // recordCount x 25 bytes
  os::MemBlock strings;  // stringSize bytes; null when the drawing has no texts
  int32_t recordCount;
  int32_t largestX1000;  // largest x times 1000, truncated
  int32_t largestY1000;
  int32_t stringSize;
};

// 1 when drawing n of the file is now held by `drawing` (its earlier blocks
// released); 0 when the file holds no such drawing with records, or memory
// runs out.
int LoadDrawing(LoadedDrawing* drawing, const char* path, int n);

// Releases the drawing's blocks, and deletes the pens and the font that all
// drawings share.
void FreeDrawing(LoadedDrawing* drawing);
// Releases only the drawing's blocks and clears it; the shared pens and font
// stay (an export keeps its pens made for the next one).
void ReleaseDrawingBlocks(LoadedDrawing* drawing);
