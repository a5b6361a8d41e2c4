// The screen's text drawn with GDI: runs of equal attribute in their colours,
// input fields with their lines, the caption and band rows, values placed by
// their markers, dot leaders, single cells and erased cells.
//
// Where the text goes is decided by screen_text.cpp; this file measures the
// texts in the selected font and draws them. Text is drawn opaque, so blanks
// paint their attribute's background.
#include <windows.h>

#include <cstring>

#include "report/screen/screen_dc.h"
#include "report/screen/screen_drawing.h"
#include "report/screen/screen_model.h"
#include "report/screen/screen_text.h"
#include "report_base/device_space.h"
#include "report_base/drawn_text.h"
#include "run/run_context.h"

namespace {

char At(const char* text, int32_t cell) {
  return cell >= 0 && cell < kScreenCells ? text[cell] : ' ';
}

int32_t TextWidth(HDC dc, const char* text, int32_t length) {
  SIZE size = {0, 0};
  if (length <= 0 || !::GetTextExtentPoint32A(dc, text, length, &size)) return 0;
  return size.cx;
}

// How far right the runs of one row reached so far in one PaintScreenText
// call: the text and lines they drew. The band of a later attribute-7 run of
// the row starts right of it, so it never covers what they drew (rows 21 and
// 22 are bands with input fields of attribute 5 in them).
struct RowInk {
  int32_t row;  // the row of the runs noted, -1 before the first run
  bool drawn;
  int64_t right;  // exclusive
};

void NoteInk(RowInk* ink, int64_t right) {
  if (!ink->drawn || right > ink->right) ink->right = right;
  ink->drawn = true;
}

// A text drawn with the device context's font and colours, noted in the row's
// ink.
void PutText(HDC dc, int32_t x, int32_t y, const char* text, int32_t n, RowInk* ink) {
  ::TextOutA(dc, x, y, text, n);
  NoteInk(ink, int64_t{x} + TextWidth(dc, text, n));
}

// A line in the device context's default pen (black, one pixel wide); the
// context's own pen is put back afterwards.
void DrawLine(HDC dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
  ::MoveToEx(dc, x1, y1, nullptr);
  ::LineTo(dc, x2, y2);
  ::SelectObject(dc, old);
}

// Lines along the top and bottom edges of the cells from x1 to x2 of a row.
void DrawFieldEdges(HDC dc, int32_t x1, int32_t x2, int32_t y) {
  DrawLine(dc, x1, y, x2, y);
  DrawLine(dc, x1, y + g_screenModel.cellHeight, x2, y + g_screenModel.cellHeight);
}

// A band of 81 blanks in the selected font and background colour from x;
// nothing of it left of `keepFrom` is drawn.
void DrawBand(HDC dc, int32_t x, int32_t y, int64_t keepFrom) {
  char blanks[81];
  std::memset(blanks, ' ', sizeof blanks);
  if (keepFrom <= x) {
    ::TextOutA(dc, x, y, blanks, sizeof blanks);
    return;
  }
  SIZE size = {0, 0};
  ::GetTextExtentPoint32A(dc, blanks, sizeof blanks, &size);
  if (keepFrom >= int64_t{x} + size.cx) return;
  const RECT kept = {static_cast<LONG>(keepFrom), y, x + size.cx, y + size.cy};
  ::ExtTextOutA(dc, x, y, ETO_CLIPPED, &kept, blanks, sizeof blanks, nullptr);
}

// A value converted for drawing and placed by its kind.
void DrawPlacedValue(HDC dc, const TextPlacement& item, RowInk* ink) {
  char shown[kFieldValueShownLimit + 1];
  std::memcpy(shown, item.text, static_cast<size_t>(item.length));
  ToDrawnCodePage(shown, item.length);
  const int32_t width = TextWidth(dc, shown, item.length);
  const ScreenPoint p = CellToPixel(item.cell);
  const int32_t cellWidth = g_screenModel.cellWidth;
  // A right-aligned value ends at its cell's right edge whatever the font.
  const int32_t x =
      item.kind == kPlaceRight ? p.x + cellWidth - width : p.x - (width - cellWidth) / 2;
  PutText(dc, x, p.y, shown, item.length, ink);
}

// A segment being drawn, for its leader: the screen's cells give the distance
// from its first cell.
struct SegmentPlace {
  HDC dc;
  int32_t startCell;
};

bool MeasureSegment(void* context, const char* text, int32_t n, int32_t* width) {
  SIZE size = {0, 0};
  if (!::GetTextExtentPoint32A(static_cast<SegmentPlace*>(context)->dc, text, n, &size))
    return false;
  *width = size.cx;
  return true;
}

int32_t SegmentDistance(void* context, int32_t cells) {
  const int32_t first = static_cast<SegmentPlace*>(context)->startCell;
  const int64_t x = CellToPixel(first + cells).x;
  return ClampToInt32(x - CellToPixel(first).x);
}

void DrawSegment(HDC dc, const char* text, int32_t startCell, int32_t length, RowInk* ink) {
  if (length <= 0) return;
  SegmentPlace place{dc, startCell};
  const LeaderTarget target{&place, &MeasureSegment, &SegmentDistance, g_screenModel.cellWidth};
  char shown[kLeaderTextLimit + 1];
  const int32_t n = LayOutDrawnText(target, text, length, ' ', shown);
  const ScreenPoint p = CellToPixel(startCell);
  PutText(dc, p.x, p.y, shown, n, ink);
}

void DrawRunText(HDC dc, const ScreenTextCopy& copy, const ScreenRun& run, RowInk* ink) {
  static RunTextPlan plan;
  PlanRunText(copy, run, &plan);
  for (int32_t k = 0; k < plan.count; ++k) {
    const TextPlacement& item = plan.item[k];
    if (item.kind == kPlaceSegment) {
      DrawSegment(dc, item.text, item.cell, item.length, ink);
    } else {
      DrawPlacedValue(dc, item, ink);
    }
  }
}

void DrawRun(HDC dc, const ScreenTextCopy& copy, const ScreenRun& run, RowInk* ink) {
  const ScreenModel& m = g_screenModel;
  const AttributeColours colours = ColoursOfAttribute(run.attribute);
  ::SetBkColor(dc, colours.background);
  ::SetTextColor(dc, colours.text);
  const ScreenPoint p = CellToPixel(run.first);
  const int32_t row = run.first / kScreenColumns;
  if (ink->row != row) *ink = RowInk{row, false, 0};
  switch (run.attribute) {
    case kAttrInputField: {
      SelectScreenFont(dc, kFontField);
      char shown[kScreenColumns];
      std::memcpy(shown, copy.work + run.first, static_cast<size_t>(run.count));
      ToDrawnCodePage(shown, run.count);
      PutText(dc, p.x, p.y, shown, run.count, ink);
      const int32_t right =
          ClampToInt32(int64_t{CellToPixel(run.first + run.count - 1).x} + m.cellWidth);
      DrawFieldEdges(dc, p.x, right, p.y);
      NoteInk(ink, right);
      return;
    }
    case kAttrCaption: {
      // The caption band, then its text: 64 characters from the run's start
      // and the next 15 at the bottom row's column 64, unconverted.
      SelectScreenFont(dc, kFontField);
      DrawBand(dc, p.x - m.cellWidth / 2, p.y, INT32_MIN);
      SelectScreenFont(dc, kFontNormal);
      char caption[79];
      for (int32_t k = 0; k < 79; ++k) caption[k] = At(copy.work, run.first + k);
      PutText(dc, p.x, p.y, caption, 64, ink);
      const ScreenPoint tail = CellToPixel(1984);
      PutText(dc, tail.x, tail.y, caption + 64, 15, ink);
      return;
    }
    case kAttrBandRow: {
      // The band runs across the row from half a cell left of its first
      // cell, but never over what an earlier run of the row drew in this
      // call: from the later of this run's first cell and their right edge.
      SelectScreenFont(dc, kFontField);
      const ScreenPoint rowStart = CellToPixel(row * kScreenColumns);
      const int64_t keepFrom = ink->drawn ? (ink->right > p.x ? ink->right : p.x) : INT32_MIN;
      DrawBand(dc, rowStart.x - m.cellWidth / 2, rowStart.y, keepFrom);
      SelectScreenFont(dc, kFontNormal);
      DrawRunText(dc, copy, run, ink);
      return;
    }
    default:
      SelectScreenFont(dc, kFontNormal);
      DrawRunText(dc, copy, run, ink);
      return;
  }
}

}  // namespace

void PaintScreenText(void* dcHandle, const char* text, uint8_t* attributes, int32_t count,
                     int32_t startCell) {
  ScreenSpan span;
  if (!ClampScreenSpan(startCell, count, &span)) return;
  ApplyColumn79Rule(attributes, span);
  HDC dc = static_cast<HDC>(dcHandle);
  if (dc != nullptr) {
    static ScreenTextCopy copy;
    static ScreenRun runs[kScreenCells];
    MakeScreenTextCopy(text, span, &copy);
    // Opaque whatever a picture drawn before left behind: blanks must paint
    // their background.
    ::SetBkMode(dc, OPAQUE);
    SelectScreenFont(dc, kFontNormal);
    const int32_t runCount = CutScreenRuns(attributes, span, runs);
    RowInk ink{-1, false, 0};
    for (int32_t k = 0; k < runCount; ++k) DrawRun(dc, copy, runs[k], &ink);
  }
  StoreScreenCells(text, attributes, span);
}

void DrawScreenRun(const char* text, uint8_t* attributes, int32_t count, int32_t startCell) {
  void* dc = AcquireScreenDc();
  PaintScreenText(dc, text, attributes, count, startCell);
  ReleaseScreenDc(dc);
}

void PaintScreen() {
  HWND window = static_cast<HWND>(GetHostWindow());
  if (window == nullptr) return;
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(window, &paint);
  PaintScreenText(dc, g_screenModel.screenText, g_screenModel.screenAttributes, kScreenCells, 0);
  ::EndPaint(window, &paint);
}

void DrawScreenCell(char character, uint8_t attribute, int32_t cell) {
  if (cell < 0 || cell >= kScreenCells) return;
  HDC dc = static_cast<HDC>(AcquireScreenDc());
  if (dc != nullptr) {
    const AttributeColours colours = ColoursOfAttribute(attribute);
    ::SetBkColor(dc, colours.background);
    ::SetTextColor(dc, colours.text);
    ::SetBkMode(dc, OPAQUE);
    SelectScreenFont(dc, kFontField);
    char shown = character;
    ToDrawnCodePage(&shown, 1);
    const ScreenPoint p = CellToPixel(cell);
    ::TextOutA(dc, p.x, p.y, &shown, 1);
    DrawFieldEdges(dc, p.x, p.x + g_screenModel.cellWidth, p.y);
    ReleaseScreenDc(dc);
  }
  g_screenModel.screenText[cell] = character;
  g_screenModel.screenAttributes[cell] = attribute;
}

void InvalidateCells(int32_t firstCell, int32_t count) {
  ScreenRect rects[kScreenRows];
  const int32_t n = CellRangeRects(firstCell, count, rects);
  if (n == 0) return;
  HDC dc = static_cast<HDC>(AcquireScreenDc());
  if (dc == nullptr) return;
  HWND window = static_cast<HWND>(GetHostWindow());
  // The window class's background (a brush or a system colour index plus one,
  // which FillRect takes alike); white when the class has none.
  HBRUSH brush = window != nullptr
                     ? reinterpret_cast<HBRUSH>(::GetClassLongPtrA(window, GCLP_HBRBACKGROUND))
                     : nullptr;
  if (brush == nullptr) brush = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
  for (int32_t k = 0; k < n; ++k) {
    const RECT r = {rects[k].left, rects[k].top, rects[k].right, rects[k].bottom};
    ::FillRect(dc, &r, brush);
    if (window != nullptr) ::ValidateRect(window, &r);
  }
  ReleaseScreenDc(dc);
}

void DrawTextAtPixel(int32_t x, int32_t y, const char* text) {
  HDC dc = static_cast<HDC>(AcquireScreenDc());
  if (dc == nullptr) return;
  SelectScreenFont(dc, kFontNormal);
  ::TextOutA(dc, x, y, text, static_cast<int>(std::strlen(text)));
  ReleaseScreenDc(dc);
}

void DrawDotLeaders(void* dcHandle, const char* text, int32_t startCell, int32_t length) {
  HDC dc = static_cast<HDC>(dcHandle);
  if (dc == nullptr) return;
  RowInk ink{-1, false, 0};
  DrawSegment(dc, text, startCell, length, &ink);
}
