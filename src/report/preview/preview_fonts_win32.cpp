// The preview's fonts and its window paint.
#include <windows.h>

#include <cstring>

#include "report/page/page_render.h"
#include "report/preview/preview_render.h"
#include "report_base/drawing_tools.h"

namespace {

void* MakeFont(int32_t height, int32_t weight) {
  LOGFONTA lf;
  std::memset(&lf, 0, sizeof lf);
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfCharSet = ANSI_CHARSET;
  lf.lfQuality = PROOF_QUALITY;
  std::strcpy(lf.lfFaceName, "Arial");
  return CreateFontIndirectA(&lf);
}

}  // namespace

void MakeMetafilePageFonts() {
  ReplacePageFont(kTitleFont, MakeFont(312, 800));
  ReplacePageFont(kBoldFont, MakeFont(260, 800));
  ReplacePageFont(kNormalFont, MakeFont(260, 400));
}

void PaintPreview(void*, void* window, int32_t view) {
  HWND hwnd = static_cast<HWND>(window);
  HDC dc = GetDC(hwnd);
  if (dc == nullptr) return;
  RECT client = {};
  GetClientRect(hwnd, &client);
  HRGN region = CreateRectRgn(client.left, client.top, client.right, client.bottom);
  SelectObject(dc, region);
  FillRgn(dc, region, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  Rectangle(dc, client.left, client.top, client.right, client.bottom);
  RenderPreviewPages(dc, window, view);
  DeleteObject(region);
  ReleaseDC(hwnd, dc);
}
