// The printed page through the page renderer.
#include <windows.h>

#include "drawing/pictures.h"
#include "report/page/page_state.h"
#include "report/print/print_page.h"

void CreatePrintFonts(void*) {}

void DrawPrintedPage(void*, void* printerDC, int32_t sequence, int32_t) {
  SetSheetOffset(g_pageRender.pagesPerSheet, sequence, SheetUse::kPrint);
  (void)printerDC;
}

void DrawPrintedPicture(PictureSlot*, void*, void*, int32_t) {}
