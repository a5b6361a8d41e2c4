// The screen's lines drawn with GDI: one-pixel lines in the default black pen
// and input-field frames as outlines, so a frame never paints over the field's
// band and value. The context's pen and brush are put back afterwards (a
// class DC keeps them), and the font FontState names is selected again.
#include <windows.h>

#include "report/screen/screen_dc.h"
#include "report/screen/screen_lines.h"
#include "report/screen/screen_model.h"

void DrawScreenBoxLines(int32_t firstRow, int32_t rowCount) {
  static ScreenLinePlan plan;
  PlanScreenBoxLines(firstRow, rowCount, &plan);
  HDC dc = static_cast<HDC>(AcquireScreenDc());
  if (dc == nullptr) return;
  HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
  HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(HOLLOW_BRUSH));
  for (int32_t k = 0; k < plan.count; ++k) {
    const ScreenLineItem& item = plan.item[k];
    if (item.frame) {
      ::Rectangle(dc, item.x1, item.y1, item.x2, item.y2);
    } else {
      ::MoveToEx(dc, item.x1, item.y1, nullptr);
      ::LineTo(dc, item.x2, item.y2);
    }
  }
  ::SelectObject(dc, oldBrush);
  ::SelectObject(dc, oldPen);
  // The font the last text drawing noted: normal when 1, field otherwise.
  void* font =
      g_screenModel.fontState == kFontNormal ? g_screenModel.normalFont : g_screenModel.fieldFont;
  if (font != nullptr) ::SelectObject(dc, static_cast<HGDIOBJ>(font));
  ReleaseScreenDc(dc);
}
