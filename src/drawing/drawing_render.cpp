#include "drawing/drawing_render.h"

void RenderDrawing(void*, const unsigned char*, int32_t, const char*, int32_t, int32_t, int32_t,
                   int32_t, int32_t, float) {}
void DrawDrawingSlot(PictureSlot*, void*, void*, PictureRect) {}
void ExportDrawingMetafile(const char*, const char*, int32_t, int32_t) {}
void ExportDrawingCall(const char*, int64_t, const char*, int64_t, const int64_t*,
                       const int64_t*) {}
void DrawingMoveTo(void*, float, float) {}
void DrawingLineTo(void*, float, float) {}
void DrawArc(void*, float, float, float, float, float, float) {}
void DrawArrow(void*, float, float, float, float, float) {}
void DrawDrawingText(void*, float, float, const char*, float, float, int32_t) {}
void CreateDrawingFont(void*, int32_t, int32_t) {}
void TraceDrawing(const char*, int32_t, int32_t) {}
void ResetDrawingRenderForTests() {}
