// The native build has no GDI: drawings are placed (drawing_slot.cpp keeps the
// slots' rectangles and the fit) but nothing is drawn or recorded.
#include "drawing/drawing_paint.h"
#include "drawing/drawing_render.h"

void TraceDrawing(const char*, int32_t, int32_t) {}
void DrawingMoveTo(void*, float, float) {}
void DrawingLineTo(void*, float, float) {}
void DrawArc(void*, float, float, float, float, float, float) {}
void DrawArrow(void*, float, float, float, float, float) {}
void CreateDrawingFont(void*, int32_t, int32_t) {}
void DrawDrawingText(void*, float, float, const char*, float, float, int32_t) {}
void RenderDrawing(void*, const unsigned char*, int32_t, const char*, int32_t, int32_t, int32_t,
                   int32_t, int32_t, float) {}
void PaintMappedDrawing(void*, const DrawingBlocks&, int32_t, int32_t, PictureRect, PictureRect,
                        bool) {}
void* RecordDrawingMetafile(const DrawingBlocks&, const ExportFrame&, int32_t, int32_t) {
  return nullptr;
}
