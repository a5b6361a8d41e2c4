#include "report/print/print_page.h"

#include "drawing/pictures.h"
#include "report/page/page_render.h"
#include "report/page/page_state.h"

void MovePictureBelowText(PictureSlot* slot, int32_t lines) {
  if (slot->kind != kPictureDrawing) return;
  if (slot->firstCell / kPageColumns + 1 < lines) return;
  slot->firstCell = (kPageRows - 1) * kPageColumns + slot->firstCell % kPageColumns;
}

void CreatePrintFonts(void* printerDC) { CreatePageFonts(printerDC, &g_pageRender.cellSize); }

void DrawPrintedPage(void* window, void* printerDC, int32_t sequence, int32_t lines) {
  const int32_t perSheet = g_pageRender.pagesPerSheet;
  SetSheetOffset(perSheet, sequence, SheetUse::kPrint);
  if (StartsSheetWithFrame(perSheet, sequence)) DrawSheetFrame(window, printerDC, perSheet);
  MapPageToDevice(window, printerDC, g_pageRender.cellSize, sequence);
  DrawPageBody(printerDC, lines, g_pageRender.cellSize);
}

void DrawPrintedPicture(PictureSlot* slot, void* owner, void* printerDC, int32_t sequence) {
  DrawPagePicture(slot, owner, printerDC, g_pageRender.cellSize, sequence);
}
