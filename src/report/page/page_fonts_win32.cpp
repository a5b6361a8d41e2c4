// The GDI side of the page fonts' one home: deleting a font that is replaced
// or released.
#include <windows.h>

#include "report/page/page_state.h"

void ReplacePageFont(PageFont which, void* font) {
  void*& slot = g_pageRender.fonts[which];
  if (slot != nullptr) DeleteObject(static_cast<HGDIOBJ>(slot));
  slot = font;
}

void ReleasePageFonts() {
  for (void*& font : g_pageRender.fonts) {
    if (font != nullptr) DeleteObject(static_cast<HGDIOBJ>(font));
    font = nullptr;
  }
}
