// The page renderer's GDI side: fonts, the page mapping, the sheet frame, the
// canvas that the text placement draws on, and page pictures.
#include <windows.h>

#include <cstring>

#include "report/page/page_pictures.h"
#include "report/page/page_render.h"
#include "report/page/page_text.h"
#include "report_base/character_tests.h"
#include "report_base/drawing_tools.h"

namespace {

// The canvas of one DrawPageBody: the target, and the page font selected last
// (a metafile cannot say which font it holds, so it is remembered here).
struct GdiCanvas {
  HDC dc;
  HFONT font;
};

// The width of a text as the target draws it: measured on the target, else on
// the reference device context with the target's page font selected for the
// measurement, so that both measure the same font.
bool MeasureOnDevice(void* context, const char* text, int32_t n, int32_t* width) {
  const GdiCanvas* c = static_cast<const GdiCanvas*>(context);
  SIZE size;
  if (GetTextExtentPointA(c->dc, text, n, &size)) {
    *width = size.cx;
    return true;
  }
  HDC reference = static_cast<HDC>(GetReferenceDC());
  if (reference == nullptr) return false;
  HGDIOBJ previous = c->font != nullptr ? SelectObject(reference, c->font) : nullptr;
  const bool ok = GetTextExtentPointA(reference, text, n, &size) != 0;
  if (previous != nullptr) SelectObject(reference, previous);
  if (!ok) return false;
  *width = size.cx;
  return true;
}

void SelectPageFont(void* context, PageFont font) {
  GdiCanvas* c = static_cast<GdiCanvas*>(context);
  HFONT handle = static_cast<HFONT>(g_pageRender.fonts[font]);
  if (handle == nullptr) return;
  SelectObject(c->dc, handle);
  c->font = handle;
}

void DrawTextAt(void* context, int32_t x, int32_t y, const char* text, int32_t n) {
  TextOutA(static_cast<GdiCanvas*>(context)->dc, x, y, text, n);
}

void DrawLineOn(void* context, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  HDC dc = static_cast<GdiCanvas*>(context)->dc;
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

HFONT MakePageFont(int32_t height, int32_t weight) {
  LOGFONTA lf;
  std::memset(&lf, 0, sizeof lf);
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfCharSet = ANSI_CHARSET;
  lf.lfOutPrecision = 0;
  lf.lfClipPrecision = 0;
  lf.lfQuality = PROOF_QUALITY;
  std::strncpy(lf.lfFaceName, g_pageRender.pageFaceName, LF_FACESIZE - 1);
  return CreateFontIndirectA(&lf);
}

bool IsSheetCount(int32_t n) { return n == 1 || n == 2 || n == 4; }

// An identity mapping of the target: one logical unit is one device unit.
void SetIdentityMapping(HDC dc, const TargetSize& t) {
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  SetWindowExtEx(dc, t.width, t.height, nullptr);
  SetViewportOrgEx(dc, 0, 0, nullptr);
  SetViewportExtEx(dc, t.width, t.height, nullptr);
}

void Segment(HDC dc, double x1, double y1, double x2, double y2) {
  MoveToEx(dc, static_cast<int>(x1), static_cast<int>(y1), nullptr);
  LineTo(dc, static_cast<int>(x2), static_cast<int>(y2));
}

}  // namespace

void CreatePageFonts(void* dc, CellSize* size) {
  const int32_t perSheet = g_pageRender.pagesPerSheet;
  const bool known = IsSheetCount(perSheet);
  ReplacePageFont(kTitleFont, MakePageFont(known ? 105 : 0, known ? 800 : 0));
  ReplacePageFont(kBoldFont, MakePageFont(100, 800));
  ReplacePageFont(kNormalFont, MakePageFont(100, 400));

  HDC h = static_cast<HDC>(dc);
  HGDIOBJ previous = SelectObject(h, static_cast<HFONT>(g_pageRender.fonts[kNormalFont]));
  TEXTMETRICA tm;
  // A device that cannot give its metrics (an old-style metafile) leaves the
  // cell size as it was, never one made of unread memory.
  if (GetTextMetricsA(h, &tm)) {
    const int32_t plain = g_pageRender.plainTextMode;
    if (perSheet == 1 || perSheet == 2) {
      if (plain == 0) {
        size->w = static_cast<int32_t>(1.1 * tm.tmAveCharWidth);
        size->h = static_cast<int32_t>(1.1 * tm.tmHeight);
      } else {
        size->w = static_cast<int32_t>(0.9 * tm.tmAveCharWidth);
        size->h = tm.tmHeight;
      }
    } else if (perSheet == 4) {
      size->w = plain == 1 ? static_cast<int32_t>(0.9 * tm.tmAveCharWidth) : tm.tmAveCharWidth;
      size->h = tm.tmHeight;
    }
  }
  if (previous != nullptr) SelectObject(h, previous);
}

TargetSize GetRenderTargetSize(void* window, void* dc) {
  switch (g_drawingState.renderTarget) {
    case kRenderPrinter:
      return {GetDeviceCaps(static_cast<HDC>(dc), HORZRES),
              GetDeviceCaps(static_cast<HDC>(dc), VERTRES)};
    case kRenderWindow: {
      // A window whose client area cannot be read is no target at all.
      RECT client = {0, 0, 0, 0};
      if (!GetClientRect(static_cast<HWND>(window), &client)) return {0, 0};
      return {client.right, client.bottom};
    }
    case kRenderMetafile:
      return {4320, 5750};
    default:
      return {0, 0};
  }
}

void MapPageToDevice(void* window, void* dc, CellSize size, int32_t sequence) {
  if (g_drawingState.renderTarget == kRenderMetafile) return;
  HDC h = static_cast<HDC>(dc);
  SetBkMode(h, TRANSPARENT);
  const TargetSize t = GetRenderTargetSize(window, dc);
  const int32_t p = sequence - 1;
  POINT origin = {0, 0};
  SIZE extent = {t.width, t.height};
  if (g_pageRender.pagesPerSheet == 2) {
    extent = {t.width / 2, t.height};
    origin = {(p % 2) * (t.width / 2), 0};
  } else if (g_pageRender.pagesPerSheet == 4) {
    extent = {t.width / 2, t.height / 2};
    origin = {(p % 2) * (t.width / 2), ((p % 4) / 2) * (t.height / 2)};
  }
  SetMapMode(h, MM_ANISOTROPIC);
  SetWindowOrgEx(h, 0, 0, nullptr);
  SetWindowExtEx(h, size.w * g_pageRender.pageColumns, size.h * kPageRows, nullptr);
  SetViewportOrgEx(h, origin.x, origin.y, nullptr);
  SetViewportExtEx(h, extent.cx, extent.cy, nullptr);
}

void DrawSheetFrame(void* window, void* dc, int32_t pagesPerSheet) {
  HDC h = static_cast<HDC>(dc);
  SetBkMode(h, TRANSPARENT);
  const TargetSize t = GetRenderTargetSize(window, dc);
  SetIdentityMapping(h, t);
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  HGDIOBJ previous = SelectObject(h, pen);
  const double columns = g_pageRender.pageColumns;
  const double cx = t.width / (2.0 * columns);
  // The frame's right edge lies at 166 cells, beyond the sheet's own 160.
  const double right = (columns + 86) * cx;
  if (pagesPerSheet == 2) {
    const double cy = t.height / 62.0;
    Rectangle(h, static_cast<int>(3 * cx), static_cast<int>(2 * cy), static_cast<int>(right),
              static_cast<int>(61 * cy));
    Segment(h, columns * cx, 2 * cy, columns * cx, 61 * cy);
  } else if (pagesPerSheet == 4) {
    const double cy = t.height / 124.0;
    Rectangle(h, static_cast<int>(5 * cx), static_cast<int>(2 * cy), static_cast<int>(right),
              static_cast<int>(122 * cy));
    Segment(h, columns * cx, 2 * cy, columns * cx, 122 * cy);
    Segment(h, 5 * cx, t.height / 2, right, t.height / 2);
  }
  SelectObject(h, previous);
  DeleteObject(pen);
}

void DrawPageBody(void* dc, int32_t lines, CellSize size) {
  HDC h = static_cast<HDC>(dc);
  GdiCanvas canvas{h, static_cast<HFONT>(g_pageRender.fonts[kNormalFont])};
  HGDIOBJ previousFont = canvas.font != nullptr ? SelectObject(h, canvas.font) : nullptr;
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  HGDIOBJ previousPen = SelectObject(h, pen);
  const PageCanvas c{&canvas, &MeasureOnDevice, &SelectPageFont, &DrawTextAt, &DrawLineOn};
  DrawPageText(c, lines, size);
  DrawPageLines(c, lines, size);
  if (previousFont != nullptr) SelectObject(h, previousFont);
  SelectObject(h, previousPen);
  DeleteObject(pen);
}

void DrawPagePicture(PictureSlot* slot, void* window, void* dc, CellSize size, int32_t sequence) {
  if (size.w <= 0 || size.h <= 0) return;
  TargetSize t = {0, 0};
  if (g_drawingState.renderTarget != kRenderMetafile) t = GetRenderTargetSize(window, dc);
  const PictureRect rect =
      PagePictureRect(slot->firstCell, slot->lastCell, size, t.width, t.height, sequence);
  g_drawingState.pagePictureFlag = 1;
  DrawPicture(slot, window, dc, rect);
  g_drawingState.pagePictureFlag = 0;
}
