// The screen in a real visible window under the null display driver: pixels
// of bands, fields, one-pixel lines and right-aligned values; the update
// region after erasing cells and the rectangle WM_PAINT then gets; the state
// of a class device context after a refresh; caption colours and the caret.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "report/screen/screen_drawing.h"
#include "report/screen/screen_lines.h"
#include "report/screen/screen_refresh.h"
#include "report/screen/screen_services.h"
#include "screen_window_win32.h"

namespace {

using screen_test::g_lastPaintRect;
using screen_test::g_paintCount;

class ScreenWindow : public screen_test::ScreenWindowTest {
 protected:
  static bool IsWhite(COLORREF c) { return c == RGB(255, 255, 255); }
  static bool IsBlack(COLORREF c) { return c == RGB(0, 0, 0); }
};

TEST_F(ScreenWindow, BandsAndFieldsPaintTheirBackgrounds) {
  PutText(10, 3, "Band row");
  PutRowAttribute(10, kAttrBandRow);
  PutText(12, 0, "Field:");
  PutRowAttribute(12, 1);
  std::memset(g_screenModel.screenAttributes + 12 * 80 + 10, kAttrInputField, 6);
  DrawWholeScreen();
  // The band spans the row from the window's left edge, blanks included.
  EXPECT_EQ(Pixel(1, 203), RGB(192, 192, 192));
  EXPECT_EQ(Pixel(600, 203), RGB(192, 192, 192));
  // The input field: cyan inside, its top edge drawn in black along the
  // cells, the row's own cells white.
  EXPECT_EQ(Pixel(130, 245), RGB(0, 255, 255));
  EXPECT_TRUE(IsBlack(Pixel(130, 240)));
  EXPECT_TRUE(IsBlack(Pixel(164, 240)));
  EXPECT_TRUE(IsWhite(Pixel(175, 245)));
  EXPECT_TRUE(IsWhite(Pixel(400, 300)));
}

TEST_F(ScreenWindow, BoxLinesAreOnePixelLines) {
  PutText(2, 10, "|--------|");
  DrawScreenBoxLines(2, 1);
  // From the middle of column 10 (x 110) up to, not including, the middle of
  // column 19 (x 200), on y 50 only.
  for (int32_t x : {110, 150, 199}) {
    SCOPED_TRACE(x);
    EXPECT_TRUE(IsBlack(Pixel(x, 50)));
    EXPECT_TRUE(IsWhite(Pixel(x, 49)));
    EXPECT_TRUE(IsWhite(Pixel(x, 51)));
  }
  EXPECT_TRUE(IsWhite(Pixel(109, 50)));
  EXPECT_TRUE(IsWhite(Pixel(200, 50)));
}

TEST_F(ScreenWindow, FrameIsAnOutlineOverTheField) {
  PutText(8, 10, "abcde");
  std::memset(g_screenModel.screenAttributes + 8 * 80 + 10, kAttrInputField, 5);
  RefreshScreen();
  // The frame runs from x 103 to 154 over rows 160 to 179; inside it the
  // field's cyan stays.
  EXPECT_TRUE(IsBlack(Pixel(103, 170)));
  EXPECT_TRUE(IsBlack(Pixel(154, 170)));
  EXPECT_EQ(Pixel(150, 177), RGB(0, 255, 255));
}

TEST_F(ScreenWindow, RightAlignedValueEndsAtTheCellEdgeInAnyFont) {
  // Attribute 8 paints a grey box behind the value: it ends exactly at the
  // right edge of its marker cell (column 10: x 115), whatever the font.
  for (int32_t height : {-12, -16, -28}) {
    SCOPED_TRACE(height);
    HFONT font =
        ::CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    SetClient(800, 500, fieldFont_, font);
    FillClient(RGB(255, 255, 255));
    PutText(4, 6, "12345");
    PutRowAttribute(4, 8);
    PutField(330, '}', 0, "12345");
    DrawScreenRun(g_screenModel.screenText + 320, g_screenModel.screenAttributes + 320, 80, 320);
    EXPECT_FALSE(IsWhite(Pixel(114, 82)));
    EXPECT_TRUE(IsWhite(Pixel(115, 82)));
    SetClient(800, 500, fieldFont_, normalFont_);
    ::DeleteObject(font);
  }
}

TEST_F(ScreenWindow, ErasingCellsRowByRowInTheClassBackground) {
  MakeWindow(0, ::CreateSolidBrush(RGB(0, 128, 0)));
  FillClient(RGB(0, 0, 0));
  // Columns 75 to 79 of row 0 and 0 to 4 of row 1.
  InvalidateCells(75, 10);
  EXPECT_EQ(Pixel(760, 10), RGB(0, 128, 0));
  EXPECT_EQ(Pixel(799, 10), RGB(0, 128, 0));
  EXPECT_EQ(Pixel(10, 30), RGB(0, 128, 0));
  EXPECT_EQ(Pixel(54, 30), RGB(0, 128, 0));
  // Nothing outside the range: not the start of row 0, not the end of row 1.
  EXPECT_TRUE(IsBlack(Pixel(10, 10)));
  EXPECT_TRUE(IsBlack(Pixel(400, 10)));
  EXPECT_TRUE(IsBlack(Pixel(754, 10)));
  EXPECT_TRUE(IsBlack(Pixel(55, 30)));
  EXPECT_TRUE(IsBlack(Pixel(400, 30)));
  // No text is drawn, and a count of 0 or less erases nothing.
  InvalidateCells(400, 0);
  InvalidateCells(400, -5);
  EXPECT_TRUE(IsBlack(Pixel(10, 110)));
}

TEST_F(ScreenWindow, ErasingWithoutClassBackgroundIsWhite) {
  MakeWindow(0, nullptr);
  FillClient(RGB(0, 0, 0));
  InvalidateCells(81, 2);
  EXPECT_TRUE(IsWhite(Pixel(20, 30)));
  EXPECT_TRUE(IsBlack(Pixel(40, 30)));
}

TEST_F(ScreenWindow, ErasedCellsLeaveTheUpdateRegion) {
  // Rows 0 to 2 of the cells need painting; rows 0 and 1 are erased.
  RECT rows = {5, 0, 800, 60};
  ::InvalidateRect(window_, &rows, FALSE);
  InvalidateCells(0, 160);
  HRGN region = ::CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(::GetUpdateRgn(window_, region, FALSE), ERROR);
  EXPECT_FALSE(::PtInRegion(region, 50, 10));
  EXPECT_FALSE(::PtInRegion(region, 700, 39));
  EXPECT_TRUE(::PtInRegion(region, 50, 40));
  EXPECT_TRUE(::PtInRegion(region, 700, 59));
  ::DeleteObject(region);
  // The paint that follows is asked for row 2 only, and validates it.
  ::UpdateWindow(window_);
  EXPECT_EQ(g_paintCount, 1);
  EXPECT_EQ(g_lastPaintRect.left, 5);
  EXPECT_EQ(g_lastPaintRect.top, 40);
  EXPECT_EQ(g_lastPaintRect.right, 800);
  EXPECT_EQ(g_lastPaintRect.bottom, 60);
  RECT left;
  EXPECT_FALSE(::GetUpdateRect(window_, &left, FALSE));
}

TEST_F(ScreenWindow, PaintHandlerDrawsTheShadows) {
  PutText(6, 0, "Painted");
  PutRowAttribute(6, kAttrBandRow);
  ::InvalidateRect(window_, nullptr, FALSE);
  ::UpdateWindow(window_);
  EXPECT_EQ(g_paintCount, 1);
  EXPECT_EQ(Pixel(700, 125), RGB(192, 192, 192));
  RECT left;
  EXPECT_FALSE(::GetUpdateRect(window_, &left, FALSE));
}

TEST_F(ScreenWindow, ClassDcStateAfterARefresh) {
  MakeWindow(CS_OWNDC, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  // The host left its own pen and brush selected and transparent text, as a
  // picture drawn before the text might.
  HPEN pen = ::CreatePen(PS_SOLID, 3, RGB(255, 0, 0));
  HBRUSH brush = ::CreateSolidBrush(RGB(0, 0, 255));
  HDC dc = ::GetDC(window_);
  ::SelectObject(dc, pen);
  ::SelectObject(dc, brush);
  ::SetBkMode(dc, TRANSPARENT);
  ::ReleaseDC(window_, dc);

  PutText(3, 10, "|----|");
  PutText(10, 2, "Band");
  PutRowAttribute(10, kAttrBandRow);
  std::memset(g_screenModel.screenAttributes + 5 * 80 + 10, kAttrInputField, 5);
  RefreshScreen();

  dc = ::GetDC(window_);
  EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), pen);
  EXPECT_EQ(::GetCurrentObject(dc, OBJ_BRUSH), brush);
  EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), normalFont_);  // the last text was normal
  EXPECT_EQ(::GetBkMode(dc), OPAQUE);
  ::ReleaseDC(window_, dc);
  EXPECT_EQ(g_screenModel.fontState, kFontNormal);
  // The band is painted although the context was transparent, the lines are
  // black one-pixel lines, and the field's frame did not fill it blue.
  EXPECT_EQ(Pixel(600, 205), RGB(192, 192, 192));
  EXPECT_TRUE(IsBlack(Pixel(130, 70)));
  EXPECT_TRUE(IsWhite(Pixel(130, 71)));
  EXPECT_EQ(Pixel(130, 110), RGB(0, 255, 255));
  ::DeleteObject(pen);
  ::DeleteObject(brush);
}

TEST_F(ScreenWindow, LastRunInTheFieldFontLeavesItSelected) {
  MakeWindow(CS_OWNDC, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  std::memset(g_screenModel.screenAttributes + 1990, kAttrInputField, 10);
  RefreshScreen();
  HDC dc = ::GetDC(window_);
  EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), fieldFont_);
  ::ReleaseDC(window_, dc);
  EXPECT_EQ(g_screenModel.fontState, kFontField);
}

TEST_F(ScreenWindow, CaptionColoursAreReadFromTheSystemOnFirstUse) {
  const COLORREF active = ::GetSysColor(COLOR_ACTIVECAPTION);
  const COLORREF inactive = ::GetSysColor(COLOR_INACTIVECAPTION);
  ASSERT_NE(active, inactive);
  ASSERT_NE(active, RGB(0, 0, 0));
  PutText(24, 0, "Caption");
  PutRowAttribute(24, kAttrCaption);
  DrawWholeScreen();
  EXPECT_EQ(Pixel(400, 482), RGB(0, 0, 125));  // the initial pair
  ShowActiveCaption();
  EXPECT_EQ(Pixel(400, 482), active);
  EXPECT_EQ(g_screenModel.captionTextColour, ::GetSysColor(COLOR_CAPTIONTEXT));
  ShowInactiveCaption();
  EXPECT_EQ(Pixel(400, 482), inactive);
  EXPECT_EQ(g_screenModel.captionTextColour, ::GetSysColor(COLOR_INACTIVECAPTIONTEXT));
  LoadSystemColours(1);
  EXPECT_EQ(g_screenModel.captionColour, active);
  LoadSystemColours(0);
  EXPECT_EQ(g_screenModel.captionColour, inactive);
}

TEST_F(ScreenWindow, CaretGoesToTheBottomOfItsCell) {
  ASSERT_TRUE(::CreateCaret(window_, nullptr, 2, 10));
  PlaceCaret(81);
  POINT p;
  ASSERT_TRUE(::GetCaretPos(&p));
  EXPECT_EQ(p.x, 15);
  EXPECT_EQ(p.y, 40);
  ::DestroyCaret();
}

TEST_F(ScreenWindow, LoadScreenRefreshesTheWindow) {
  std::string text(kScreenCells, ' ');
  std::vector<uint8_t> attributes(kScreenCells, 1);
  std::memset(attributes.data() + 2 * 80, kAttrBandRow, 80);
  LoadScreen(text.data(), attributes.data());
  EXPECT_EQ(Pixel(500, 45), RGB(192, 192, 192));
}

}  // namespace
