// Without GDI the preview makes no fonts and paints nothing.
#include "report/preview/preview_render.h"

void MakeMetafilePageFonts() {}

void PaintPreview(void*, void*, int32_t) {}
