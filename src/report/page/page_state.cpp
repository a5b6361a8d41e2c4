#include "report/page/page_state.h"

#include <cstring>

#include "report_base/drawing_tools.h"

PageBuffer g_pageBuffer;
PageRenderState g_pageRender = {1, 0, "Arial", kPageColumns, 0, 0, {0, 0}, {}, nullptr};

namespace {

void SetFace(const char* face) {
  std::memset(g_pageRender.pageFaceName, 0, sizeof g_pageRender.pageFaceName);
  std::strncpy(g_pageRender.pageFaceName, face, kPageFaceNameSize - 1);
}

}  // namespace

void SelectPrintTextMode(int32_t mode) {
  g_pageRender.plainTextMode = mode;
  if (mode == 0) {
    SetFace("Arial");
    g_pageRender.pageColumns = kPageColumns;
  } else if (mode == 1) {
    SetFace("Courier New");
    g_pageRender.pageColumns = kPageColumns;
  }
}

void* GetReferenceDC() { return g_pageRender.referenceDC; }

void SetSheetOffset(int32_t pagesPerSheet, int32_t sequence, SheetUse use) {
  const int32_t p = sequence - 1;
  // The preview's left-hand pages sit one cell further in than printed ones.
  const int32_t leftIn = use == SheetUse::kPreview ? 1 : 0;
  int32_t x = 0;
  int32_t y = 0;
  if (pagesPerSheet == 2) {
    x = p % 2 == 0 ? 5 + leftIn : 4;
    y = 3;
  } else if (pagesPerSheet == 4) {
    const int32_t place = p % 4;
    x = place % 2 == 0 ? 7 + leftIn : 4;
    y = place < 2 ? 3 : 2;
  }
  g_pageRender.sheetOffsetX = x;
  g_pageRender.sheetOffsetY = y;
}

bool StartsSheetWithFrame(int32_t pagesPerSheet, int32_t sequence) {
  const int32_t p = sequence - 1;
  if (pagesPerSheet == 2) return p % 2 == 0;
  if (pagesPerSheet == 4) return p % 4 == 0;
  return false;
}

void SetPageStateAside(SavedPageState* saved) {
  std::memcpy(&saved->pageBuffer, &g_pageBuffer, sizeof g_pageBuffer);
  saved->render = g_pageRender;
  saved->renderTarget = g_drawingState.renderTarget;
  saved->pagePictureFlag = g_drawingState.pagePictureFlag;
  // The fonts stay with `saved`: a font the drawing makes would otherwise
  // replace, and delete, one of them.
  for (void*& font : g_pageRender.fonts) font = nullptr;
}

void RestorePageState(const SavedPageState& saved) {
  ReleasePageFonts();  // those the drawing made
  std::memcpy(&g_pageBuffer, &saved.pageBuffer, sizeof g_pageBuffer);
  g_pageRender = saved.render;
  g_drawingState.renderTarget = saved.renderTarget;
  g_drawingState.pagePictureFlag = saved.pagePictureFlag;
}

void ResetPageStateForTests() {
  ReleasePageFonts();
  std::memset(&g_pageBuffer, 0, sizeof g_pageBuffer);
  g_pageRender = PageRenderState{1, 0, "Arial", kPageColumns, 0, 0, {0, 0}, {}, nullptr};
}
