// The grey band of an attribute-7 run in a visible window: it runs across
// its row, but never over the text and lines that an earlier run of the same
// row drew in the same call. Rows 21 and 22 of a screen are bands whose
// input cells keep attribute 5, so a row of runs 7, 5, 7 is common.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "report/screen/screen_drawing.h"
#include "report/screen/screen_refresh.h"
#include "screen_window_win32.h"

namespace {

constexpr COLORREF kGrey = RGB(192, 192, 192);
constexpr COLORREF kCyan = RGB(0, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

class ScreenBands : public screen_test::ScreenWindowTest {
 protected:
  // How many pixels of the box (right and bottom exclusive) have the colour.
  int32_t Count(COLORREF colour, int32_t left, int32_t top, int32_t right, int32_t bottom) const {
    int32_t n = 0;
    for (int32_t y = top; y < bottom; ++y) {
      for (int32_t x = left; x < right; ++x) n += Pixel(x, y) == colour ? 1 : 0;
    }
    return n;
  }
  // The width of a text in one of the window's fonts, as the window measures
  // it.
  int32_t Width(HFONT font, const std::string& text) const {
    HDC dc = ::GetDC(window_);
    HGDIOBJ old = ::SelectObject(dc, font);
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(window_, dc);
    return size.cx;
  }
};

// Row 21: a band with "Name" at column 3, an input field at columns 30 to 37
// (x 305 to 385) holding ABC, and the band again from column 38. The field
// keeps its cyan background and its black value, with its top edge; the
// band shows on both sides of it.
TEST_F(ScreenBands, InputFieldInABandRowKeepsItsValue) {
  PutRowAttribute(21, kAttrBandRow);
  PutText(21, 3, "Name");
  PutText(21, 30, "ABC");
  std::memset(g_screenModel.screenAttributes + 21 * 80 + 30, kAttrInputField, 8);
  DrawScreenRun(g_screenModel.screenText + 1680, g_screenModel.screenAttributes + 1680, 80, 1680);
  const int32_t top = 21 * 20;
  // The value's glyphs in the field's first three cells, the field's blanks
  // after them in cyan (each field cell is one field-font character wide).
  EXPECT_GT(Count(kBlack, 305, top + 2, 335, top + 18), 0);
  EXPECT_GT(Count(kCyan, 305, top + 1, 335, top + 18), 0);
  EXPECT_EQ(Count(kCyan, 345, top + 1, 385, top + 18), 40 * 17);
  // The field's top edge from its first cell to its end.
  EXPECT_EQ(Count(kBlack, 305, top, 385, top + 1), 80);
  // The band before the field (from half a cell left of the row) and after
  // it, to the row's end.
  EXPECT_EQ(Pixel(1, top + 5), kGrey);
  EXPECT_EQ(Pixel(300, top + 5), kGrey);
  EXPECT_EQ(Pixel(390, top + 5), kGrey);
  EXPECT_EQ(Pixel(799, top + 5), kGrey);
}

// The same row drawn by the window's paint handler, the whole screen in one
// call: row 22 too, with its field at columns 10 to 13.
TEST_F(ScreenBands, PaintedBandRowsKeepTheirFields) {
  for (int32_t row : {21, 22}) {
    PutRowAttribute(row, kAttrBandRow);
    std::memset(g_screenModel.screenAttributes + row * 80 + 10, kAttrInputField, 4);
  }
  ::InvalidateRect(window_, nullptr, FALSE);
  ::UpdateWindow(window_);
  for (int32_t row : {21, 22}) {
    SCOPED_TRACE(row);
    const int32_t top = row * 20;
    EXPECT_EQ(Count(kCyan, 105, top + 1, 145, top + 18), 40 * 17);
    EXPECT_EQ(Pixel(100, top + 5), kGrey);
    EXPECT_EQ(Pixel(150, top + 5), kGrey);
  }
}

// Text of an earlier run that reaches past its own cells is not covered by
// the band of the run after it either: "WWWWW" of attribute 1 in columns 0 to
// 5 is wider than its cells in the normal font, and the band of the run from
// column 6 (x 65) starts where that text ends.
TEST_F(ScreenBands, BandStartsRightOfTextThatReachesIntoItsRun) {
  PutText(10, 0, "WWWWW");
  PutRowAttribute(10, kAttrBandRow);
  std::memset(g_screenModel.screenAttributes + 10 * 80, 1, 6);
  const int32_t textRight = 5 + Width(normalFont_, "WWWWW");
  ASSERT_GT(textRight, 65 + 4) << "the font's W is too narrow to reach into the next run";
  DrawScreenRun(g_screenModel.screenText + 800, g_screenModel.screenAttributes + 800, 80, 800);
  const int32_t top = 10 * 20;
  // The glyphs (black, or shades of it where they are smoothed) beyond
  // column 6's x, where the band would be.
  int32_t glyph = 0;
  for (int32_t y = top; y < top + 20; ++y) {
    for (int32_t x = 65; x < textRight; ++x) {
      const COLORREF c = Pixel(x, y);
      glyph += c != kGrey && c != RGB(255, 255, 255) ? 1 : 0;
    }
  }
  EXPECT_GT(glyph, 0);
  EXPECT_EQ(Pixel(textRight + 2, top + 5), kGrey);
  EXPECT_EQ(Pixel(700, top + 5), kGrey);
  // No band left of the text's end: the first run is white behind its text.
  EXPECT_EQ(Pixel(1, top + 5), RGB(255, 255, 255));
}

// A band run drawn on its own, the first run of its row in its call, still
// starts half a cell left of the row: what other calls drew is not its care.
TEST_F(ScreenBands, FirstRunOfItsRowInTheCallBandsTheWholeRow) {
  PutRowAttribute(12, kAttrBandRow);
  std::memset(g_screenModel.screenAttributes + 12 * 80, 1, 20);
  DrawScreenRun(g_screenModel.screenText + 980, g_screenModel.screenAttributes + 980, 20, 980);
  EXPECT_EQ(Pixel(1, 12 * 20 + 5), kGrey);
  EXPECT_EQ(Pixel(700, 12 * 20 + 5), kGrey);
}

}  // namespace
