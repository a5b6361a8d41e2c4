// A screen picture whose reference lies far off the screen draws nothing.
// An enhanced metafile on the screen fills the window's client area wherever
// its cells are, so a reference at row 20000000 (its rectangle at y 400
// million, outside GDI's device space) would otherwise paint the whole
// window.
#include <gtest/gtest.h>

#include "drawing/pictures.h"
#include "report/screen/screen_pictures.h"
#include "screen_window_win32.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

class FarScreenPictures : public screen_test::ScreenWindowTest {
 protected:
  // An enhanced metafile of one red square in slot 0, from `firstCell` to
  // `lastCell`.
  static void PlaceRedMetafile(int32_t firstCell, int32_t lastCell) {
    HDC recorder = ::CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    HBRUSH red = ::CreateSolidBrush(kRed);
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

TEST_F(FarScreenPictures, ReferenceFarBelowTheScreenDrawsNothing) {
  struct Case {
    const char* what;
    int32_t first, last;
    COLORREF shown;
  } const cases[] = {
      // Rows 2 to 5 at full width: the metafile fills the client area.
      {"rows 2 to 5", 160, 479, kRed},
      // Row 20000000, as a reference "<A.EMF 1 20000000 80 20000000>" gives.
      {"row 20000000 at full width", 1599999920, 1599999999, kWhite},
      {"row 20000000, columns 2 to 6", 1599999921, 1599999925, kWhite},
      {"cells at the ends of the 32-bit range", INT32_MIN, INT32_MAX, kWhite},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FillClient(kWhite);
    PlaceRedMetafile(c.first, c.last);
    DrawScreenPictures();
    EXPECT_EQ(Pixel(400, 250), c.shown);
    EXPECT_EQ(Pixel(10, 10), c.shown);
    FreeAllPictures();
  }
}

}  // namespace
