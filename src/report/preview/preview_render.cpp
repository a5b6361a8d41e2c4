#include "report/preview/preview_render.h"

#include <cstring>

#include "drawing/pictures.h"
#include "report/page/page_render.h"
#include "report/preview/page_store.h"
#include "report/print/print_page.h"
#include "report_base/drawing_tools.h"

void CreatePreviewFonts(void* dc, CellSize* size) {
  if (g_drawingState.renderTarget != kRenderMetafile) {
    CreatePageFonts(dc, size);
    return;
  }
  // A metafile cannot measure text: its cells and fonts are fixed, sized for
  // the 14960 by 19964 units of a copied page.
  size->w = kMetafileCellWidth;
  size->h = kMetafileCellHeight;
  MakeMetafilePageFonts();
}

void RenderPreviewPages(void* dc, void* window, int32_t view) {
  if (view < 0 || view >= g_preview.viewCount) return;
  const int32_t perSheet = g_preview.pagesPerSheet;
  RenderStoredPagesAside(dc, window, view * perSheet, perSheet,
                         PreviewDrawing{perSheet, kRenderWindow, nullptr});
}

void RenderStoredPages(void* dc, void* window, int32_t firstRecord, int32_t count) {
  for (int32_t i = firstRecord; i < firstRecord + count && i < kPageStoreSize; ++i) {
    if (!CopyStoredPage(i)) continue;
    RenderPage(dc, window, i + 1, g_preview.records[i].lineCount);
  }
}

void RenderStoredPagesAside(void* dc, void* window, int32_t firstRecord, int32_t count,
                            const PreviewDrawing& drawing) {
  SavedPageState saved;
  SetPageStateAside(&saved);
  g_pageRender.pagesPerSheet = drawing.pagesPerSheet;
  g_pageRender.referenceDC = drawing.referenceDC;
  g_drawingState.renderTarget = drawing.renderTarget;
  RenderStoredPages(dc, window, firstRecord, count);
  RestorePageState(saved);
}

void RenderPage(void* dc, void* window, int32_t sequence, int32_t lines) {
  CellSize& size = g_pageRender.cellSize;
  CreatePreviewFonts(dc, &size);
  const int32_t perSheet = g_pageRender.pagesPerSheet;
  SetSheetOffset(perSheet, sequence, SheetUse::kPreview);
  if (StartsSheetWithFrame(perSheet, sequence)) DrawSheetFrame(window, dc, perSheet);
  for (int32_t k = 0; k < g_pageBuffer.pictureCount; ++k) {
    PictureSlot slot;
    std::memset(&slot, 0, sizeof slot);
    if (LoadPicture(&slot, g_pageBuffer.pictureRefs[k], g_pageBuffer.pictureRows[k] * kPageColumns,
                    g_pageBuffer.drawingNumbers[k]) == 0) {
      continue;
    }
    MovePictureBelowText(&slot, lines);
    DrawPagePicture(&slot, window, dc, size, sequence);
    FreePicture(&slot);
  }
  MapPageToDevice(window, dc, size, sequence);
  DrawPageBody(dc, lines, size);
}
