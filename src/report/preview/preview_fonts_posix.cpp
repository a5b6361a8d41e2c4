// Without GDI the preview makes no fonts; a metafile target still has its
// fixed cell size, and any other keeps the page renderer's.
#include "report/page/page_render.h"
#include "report/preview/preview_render.h"
#include "report/shared/drawing_tools.h"

void CreatePreviewFonts(void* dc, CellSize* size) {
  if (g_drawingState.renderTarget != kRenderMetafile) {
    CreatePageFonts(dc, size);
    return;
  }
  size->w = kMetafileCellWidth;
  size->h = kMetafileCellHeight;
}

void PaintPreview(void*, void*, int32_t) {}
