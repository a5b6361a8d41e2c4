// Pictures on the screen: drawn into the rectangle of their cells, before or
// after the screen text as the page's references chose.
#include <gtest/gtest.h>

#include <cstring>

#include "drawing/pictures.h"
#include "report/screen/screen_pictures.h"
#include "report/screen/screen_refresh.h"
#include "report_base/drawing_tools.h"
#include "screen_window_win32.h"

namespace {

class ScreenPictures : public screen_test::ScreenWindowTest {
 protected:
  // A Windows metafile of one red square, 100 x 100 units, in slot 0 as a
  // placeable picture whose box is that square: it fills its rectangle.
  void PlaceRedSquare(int32_t firstCell, int32_t lastCell) {
    HDC recorder = ::CreateMetaFileA(nullptr);
    HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0));
    ::SelectObject(recorder, red);
    ::SelectObject(recorder, ::GetStockObject(NULL_PEN));
    ::Rectangle(recorder, 0, 0, 101, 101);
    HMETAFILE metafile = ::CloseMetaFile(recorder);
    ::DeleteObject(red);
    PictureSlot& slot = g_pictureTable.slots[0];
    slot.kind = kPicturePlaceable;
    slot.picture = metafile;
    slot.firstCell = firstCell;
    slot.lastCell = lastCell;
    const unsigned char header[kPlaceableHeaderSize] = {0xD7, 0xCD, 0xC6, 0x9A, 0,   0, 0,    0,
                                                        0,    0,    100,  0,    100, 0, 0xE8, 0x03};
    std::memcpy(slot.placeableHeader, header, sizeof header);
    g_pictureTable.count = 1;
  }

  // An enhanced metafile of one red square in slot 0, from `firstCell` to
  // `lastCell`.
  static void PlaceRedMetafile(int32_t firstCell, int32_t lastCell) {
    HDC recorder = ::CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0));
    ::SelectObject(recorder, red);
    ::SelectObject(recorder, ::GetStockObject(NULL_PEN));
    ::Rectangle(recorder, 0, 0, 101, 101);
    PictureSlot& slot = g_pictureTable.slots[0];
    slot.kind = kPictureEnhanced;
    slot.picture = ::CloseEnhMetaFile(recorder);
    ::DeleteObject(red);
    slot.firstCell = firstCell;
    slot.lastCell = lastCell;
    g_pictureTable.count = 1;
  }
};

TEST_F(ScreenPictures, FullWidthPictureSpansItsRows) {
  // Cells 160 to 479: rows 2 to 5 from column 0 to column 79.
  PlaceRedSquare(160, 479);
  DrawScreenPictures();
  EXPECT_EQ(Pixel(0, 41), RGB(255, 0, 0));
  EXPECT_EQ(Pixel(798, 118), RGB(255, 0, 0));
  EXPECT_EQ(Pixel(400, 38), RGB(255, 255, 255));
  EXPECT_EQ(Pixel(400, 122), RGB(255, 255, 255));
}

TEST_F(ScreenPictures, OtherPicturesRunBetweenTheirCellsPoints) {
  // Cell 165 (x 55, y 40) to cell 250 (x 105, y 60).
  PlaceRedSquare(165, 250);
  DrawScreenPictures();
  EXPECT_EQ(Pixel(60, 45), RGB(255, 0, 0));
  EXPECT_EQ(Pixel(100, 57), RGB(255, 0, 0));
  EXPECT_EQ(Pixel(50, 45), RGB(255, 255, 255));
  EXPECT_EQ(Pixel(110, 45), RGB(255, 255, 255));
  EXPECT_EQ(Pixel(60, 62), RGB(255, 255, 255));
}

TEST_F(ScreenPictures, RefreshDrawsPicturesAfterOrBeforeTheText) {
  PutText(3, 0, "Band");
  PutRowAttribute(3, kAttrBandRow);
  PlaceRedSquare(160, 479);
  // Pictures after the text cover it.
  g_drawingState.picturesBeforeText = 0;
  RefreshScreen();
  EXPECT_EQ(Pixel(400, 65), RGB(255, 0, 0));
  // Pictures before the text: the band is drawn over them, and the text's
  // background is opaque although the picture left transparent text behind.
  g_drawingState.picturesBeforeText = 1;
  RefreshScreen();
  EXPECT_EQ(Pixel(400, 65), RGB(192, 192, 192));
  EXPECT_EQ(Pixel(400, 110), RGB(255, 0, 0));
}

// A screen picture whose reference lies far off the screen draws nothing.
// An enhanced metafile on the screen fills the window's client area wherever
// its cells are, so a reference at row 20000000 (its rectangle at y 400
// million, outside GDI's device space) would otherwise paint the whole
// window.
TEST_F(ScreenPictures, ReferenceFarBelowTheScreenDrawsNothing) {
  struct Case {
    const char* what;
    int32_t first, last;
    COLORREF shown;
  } const cases[] = {
      // Rows 2 to 5 at full width: the metafile fills the client area.
      {"rows 2 to 5", 160, 479, RGB(255, 0, 0)},
      // Row 20000000, as a reference "<A.EMF 1 20000000 80 20000000>" gives.
      {"row 20000000 at full width", 1599999920, 1599999999, RGB(255, 255, 255)},
      {"row 20000000, columns 2 to 6", 1599999921, 1599999925, RGB(255, 255, 255)},
      {"cells at the ends of the 32-bit range", INT32_MIN, INT32_MAX, RGB(255, 255, 255)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FillClient(RGB(255, 255, 255));
    PlaceRedMetafile(c.first, c.last);
    DrawScreenPictures();
    EXPECT_EQ(Pixel(400, 250), c.shown);
    EXPECT_EQ(Pixel(10, 10), c.shown);
    FreeAllPictures();
  }
}

}  // namespace
