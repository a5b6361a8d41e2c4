// Where a picture placed on a report page is drawn, worked out by hand from
// its cells: on a metafile target the cells' logical corners, on any other
// the device units of the page's place on its sheet; and, for references far
// off the page and absurd cell sizes, rectangles without overflow that lie
// outside the device space and so draw nothing.
#include "report/page/page_pictures.h"

#include <gtest/gtest.h>

#include "entry/library_reset.h"
#include "report/page/page_state.h"
#include "report_base/drawing_tools.h"

namespace {

class PagePictureRectTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetLibraryForTests(); }
  void TearDown() override { ResetLibraryForTests(); }
};

TEST_F(PagePictureRectTest, CornersOfTheFirstAndLastCell) {
  struct Case {
    const char* what;
    int32_t target, perSheet, sequence;
    int32_t width, height;  // of the target, device units
    CellSize size;
    int32_t first, last;
    PictureRect rect;
    bool drawable;
  } const cases[] = {
      // Cells 81 (row 1, column 1) to 406 (row 5, column 6) of 10 x 10.
      {"metafile: logical corners",
       kRenderMetafile,
       1,
       1,
       0,
       0,
       {10, 10},
       81,
       406,
       {10, 10, 60, 50},
       true},
      // 800 / (10 x 80) = 1 and 620 / (10 x 62) = 1.
      {"printer, whole sheet",
       kRenderPrinter,
       1,
       1,
       800,
       620,
       {10, 10},
       81,
       406,
       {10, 10, 60, 50},
       true},
      // x scaled by 1000 / 800 and y by 700 / 620, each edge truncated:
      // 12.5, 11.29, 75, 56.45.
      {"printer, truncated",
       kRenderPrinter,
       1,
       1,
       1000,
       700,
       {10, 10},
       81,
       406,
       {12, 11, 75, 56},
       true},
      // Two a sheet: x halved (1600 / 800 / 2), the second page on the right
      // half, 800 in.
      {"second of two",
       kRenderWindow,
       2,
       2,
       1600,
       620,
       {10, 10},
       81,
       406,
       {810, 10, 860, 50},
       true},
      {"first of two", kRenderWindow, 2, 1, 1600, 620, {10, 10}, 81, 406, {10, 10, 60, 50}, true},
      // Four a sheet: the fourth page in the bottom-right quarter.
      {"fourth of four",
       kRenderPrinter,
       4,
       4,
       1600,
       1240,
       {10, 10},
       81,
       406,
       {810, 630, 860, 670},
       true},
      {"third of four",
       kRenderPrinter,
       4,
       3,
       1600,
       1240,
       {10, 10},
       81,
       406,
       {10, 630, 60, 670},
       true},
      // A page number of INT32_MIN is no right-hand page (its place, one
      // below it, is odd and negative).
      {"page INT32_MIN",
       kRenderPrinter,
       2,
       INT32_MIN,
       1600,
       620,
       {10, 10},
       81,
       406,
       {10, 10, 60, 50},
       true},
      // A reference from row 20000000 to row 20000005 (cells 1599999920,
      // row 19999999 counted from 0, column 0, to 1600000330, row 20000004,
      // column 10) on rows of 110 units: the logical top 19999999 x 110 is
      // past the 32-bit range.
      {"row 20000000 on a metafile",
       kRenderMetafile,
       1,
       1,
       0,
       0,
       {110, 110},
       1599999920,
       1600000330,
       {0, INT32_MAX, 1100, INT32_MAX},
       false},
      // On a 2400 x 3300 printer page: 2199999890 x 3300 / 6820 and
      // 2200000440 x 3300 / 6820 device units down, far beyond the device.
      {"row 20000000 on a printer",
       kRenderPrinter,
       1,
       1,
       2400,
       3300,
       {110, 110},
       1599999920,
       1600000330,
       {0, 1064516075, 300, 1064516341},
       false},
      // Cells of INT32_MAX: x scaled by 1 / 80 and y by 1 / 62 of it.
      {"largest cells",
       kRenderPrinter,
       1,
       1,
       INT32_MAX,
       INT32_MAX,
       {INT32_MAX, INT32_MAX},
       81,
       406,
       {26843545, 34636833, 161061273, 173184165},
       false},
      {"most negative cells",
       kRenderMetafile,
       1,
       1,
       0,
       0,
       {INT32_MIN, INT32_MIN},
       81,
       406,
       {INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN},
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g_drawingState.renderTarget = c.target;
    g_pageRender.pagesPerSheet = c.perSheet;
    const PictureRect r = PagePictureRect(c.first, c.last, c.size, c.width, c.height, c.sequence);
    EXPECT_EQ(r.left, c.rect.left);
    EXPECT_EQ(r.top, c.rect.top);
    EXPECT_EQ(r.right, c.rect.right);
    EXPECT_EQ(r.bottom, c.rect.bottom);
    EXPECT_EQ(InDeviceSpace(r), c.drawable);
  }
}

}  // namespace
