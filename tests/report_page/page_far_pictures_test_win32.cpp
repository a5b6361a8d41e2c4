// A page picture whose cells lie far off the page draws nothing: drawn into
// a memory bitmap through the metafile target's logical units, where a
// position that does not fit 32 bits is clamped (never wrapped round onto the
// page) and lies outside GDI's device space.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "drawing/pictures.h"
#include "page_fixture.h"
#include "report/page/page_render.h"
#include "report_base/drawing_tools.h"

namespace {

class FarPagePictures : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = 200;
    bi.bmiHeader.biHeight = -200;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ =
        CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    HDC m = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    SelectObject(m, GetStockObject(BLACK_BRUSH));
    Rectangle(m, 0, 0, 100, 100);
    slot_ = PictureSlot{};
    slot_.kind = kPictureEnhanced;
    slot_.picture = CloseEnhMetaFile(m);
  }
  void TearDown() override {
    DeleteEnhMetaFile(static_cast<HENHMETAFILE>(slot_.picture));
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
    PageTest::TearDown();
  }
  int Black() const {
    int n = 0;
    for (int k = 0; k < 200 * 200; ++k) n += (bits_[k] & 0xFFFFFF) == 0;
    return n;
  }
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  uint32_t* bits_ = nullptr;
  PictureSlot slot_;
};

TEST_F(FarPagePictures, CellsFarOffThePageDrawNothing) {
  struct Case {
    const char* what;
    int32_t first, last;
    CellSize size;
    bool drawn;
  } const cases[] = {
      // Rows 1 to 5 of cells of 10: within the bitmap.
      {"rows 1 to 5", 81, 406, {10, 10}, true},
      // A reference at row 20000000 on rows of 110 units: 19999999 x 110 is
      // past the 32-bit range.
      {"row 20000000", 1599999920, 1600000330, {110, 110}, false},
      // Rows 64 and 65 of rows of 2^26 units lie at 2^32 and 2^32 + 2^26:
      // wrapped to 32 bits they would land at 0 and 2^26, over the page.
      {"rows at 2^32", 64 * 80 + 1, 65 * 80 + 6, {10, 1 << 26}, false},
  };
  g_drawingState.renderTarget = kRenderMetafile;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::memset(bits_, 0xFF, 200 * 200 * 4);
    slot_.firstCell = c.first;
    slot_.lastCell = c.last;
    DrawPagePicture(&slot_, nullptr, dc_, c.size, 1);
    EXPECT_EQ(Black() > 0, c.drawn);
  }
}

}  // namespace
