// A page picture whose cells lie far off the page draws nothing: drawn into
// a memory bitmap through the metafile target's logical units, where a
// position that does not fit 32 bits is clamped (never wrapped round onto the
// page) and lies outside GDI's device space.
#include <windows.h>

#include <gtest/gtest.h>

#include "drawing/pictures.h"
#include "page_fixture.h"
#include "report/page/page_render.h"
#include "report_base/drawing_tools.h"
#include "support/canvas_win32.h"

namespace {

class FarPagePictures : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    HDC m = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    SelectObject(m, GetStockObject(BLACK_BRUSH));
    Rectangle(m, 0, 0, 100, 100);
    slot_ = PictureSlot{};
    slot_.kind = kPictureEnhanced;
    slot_.picture = CloseEnhMetaFile(m);
  }
  void TearDown() override {
    DeleteEnhMetaFile(static_cast<HENHMETAFILE>(slot_.picture));
    PageTest::TearDown();
  }
  gdi_test::Canvas canvas_{200, 200};
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
    canvas_.Fill(RGB(255, 255, 255));
    slot_.firstCell = c.first;
    slot_.lastCell = c.last;
    DrawPagePicture(&slot_, nullptr, canvas_.dc, c.size, 1);
    EXPECT_EQ(canvas_.BlackIn(0, 0, 200, 200) > 0, c.drawn);
  }
}

}  // namespace
