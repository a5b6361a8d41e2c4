// The native build has no GDI: nothing is drawn and no font is made.
#include "report/page/page_render.h"

void CreatePageFonts(void* /*dc*/, CellSize* /*size*/) {}

TargetSize GetRenderTargetSize(void* /*window*/, void* /*dc*/) { return {0, 0}; }

void MapPageToDevice(void* /*window*/, void* /*dc*/, CellSize /*size*/, int32_t /*sequence*/) {}

void DrawSheetFrame(void* /*window*/, void* /*dc*/, int32_t /*pagesPerSheet*/) {}

void DrawPageBody(void* /*dc*/, int32_t /*lines*/, CellSize /*size*/) {}

void DrawPagePicture(PictureSlot* /*slot*/, void* /*window*/, void* /*dc*/, CellSize /*size*/,
                     int32_t /*sequence*/) {}
