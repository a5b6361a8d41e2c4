// The native build makes no GDI font: replacing or releasing one only
// stores or forgets the handle.
#include "report/page/page_state.h"

void ReplacePageFont(PageFont which, void* font) { g_pageRender.fonts[which] = font; }

void ReleasePageFonts() {
  for (void*& font : g_pageRender.fonts) font = nullptr;
}
