// What the placement and the export of drawings (drawing_slot.cpp, the same in
// both builds) hand to the GDI side (drawing_render_win32.cpp). The native
// build draws and records nothing.
#pragma once

#include <cstdint>

#include "drawing/drawing_geometry.h"
#include "drawing/pictures.h"

// A drawing's locked blocks.
struct DrawingBlocks {
  const unsigned char* records;
  int32_t count;
  const char* strings;  // null when the drawing has no texts
  int32_t stringSize;
};

// Draws the drawing through an isotropic mapping of `window` (drawing units x
// 1000) onto `viewport` (device units). On the screen the viewport is clipped
// (edges included) and filled with the device context's brush first.
void PaintMappedDrawing(void* dc, const DrawingBlocks& blocks, int32_t largestX1000,
                        int32_t largestY1000, PictureRect window, PictureRect viewport,
                        bool screen);

// Records the drawing into a memory Windows metafile in the export's frame,
// with the window extent width by height. The metafile handle, or null when
// none could be made or a recorded value would not fit 16 bits.
void* RecordDrawingMetafile(const DrawingBlocks& blocks, const ExportFrame& frame, int32_t width,
                            int32_t height);
