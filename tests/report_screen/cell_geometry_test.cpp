// Cell arithmetic of the screen: where a cell's box starts and which cell a
// pixel falls in, worked out by hand from the client sizes.
#include <gtest/gtest.h>

#include <cstring>

#include "report/screen/screen_model.h"

namespace {

void SetClient(int32_t width, int32_t height) {
  ScreenMetricsRecord record = {nullptr, nullptr, width, height};
  SetScreenMetrics(&record);
}

class CellGeometry : public ::testing::Test {
 protected:
  void SetUp() override { ResetScreenForTests(); }
  void TearDown() override { ResetScreenForTests(); }
};

TEST_F(CellGeometry, MetricsGiveCellSizeAndMargin) {
  struct Case {
    int32_t width, height;
    int32_t cellWidth, cellHeight, margin;
  } const cases[] = {
      {800, 500, 10, 20, 5},  {640, 480, 8, 19, 4},  // 480 / 25 = 19.2
      {1023, 767, 12, 30, 6},                        // 1023 / 80 = 12.78, 511 / 80 = 6.38
      {159, 24, 1, 0, 0},                            // a window too low for a row
      {0, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    SetClient(c.width, c.height);
    EXPECT_EQ(g_screenModel.cellWidth, c.cellWidth);
    EXPECT_EQ(g_screenModel.cellHeight, c.cellHeight);
    EXPECT_EQ(g_screenModel.leftMargin, c.margin);
  }
}

TEST_F(CellGeometry, MetricsRecordIsBytePackedAndForgetsTheFont) {
  // Fonts first, then width and height, with no padding between.
  unsigned char bytes[sizeof(void*) * 2 + 8] = {};
  void* field = reinterpret_cast<void*>(0x1234);
  void* normal = reinterpret_cast<void*>(0x5678);
  const int32_t width = 800, height = 500;
  std::memcpy(bytes, &field, sizeof field);
  std::memcpy(bytes + sizeof field, &normal, sizeof normal);
  std::memcpy(bytes + 2 * sizeof field, &width, 4);
  std::memcpy(bytes + 2 * sizeof field + 4, &height, 4);
  g_screenModel.fontState = kFontField;
  SetScreenMetrics(reinterpret_cast<const ScreenMetricsRecord*>(bytes));
  EXPECT_EQ(g_screenModel.fieldFont, field);
  EXPECT_EQ(g_screenModel.normalFont, normal);
  EXPECT_EQ(g_screenModel.clientWidth, 800);
  EXPECT_EQ(g_screenModel.clientHeight, 500);
  EXPECT_EQ(g_screenModel.fontState, kFontNoneNoted);
}

TEST_F(CellGeometry, CellToPixelAndBack) {
  SetClient(800, 500);  // cells of 10 x 20 after a margin of 5
  struct Case {
    int32_t cell;
    int32_t x, y;
  } const cases[] = {
      {0, 5, 0}, {81, 15, 20}, {79, 795, 0}, {1920, 5, 480}, {1999, 795, 480},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "cell " << c.cell);
    const ScreenPoint p = CellToPixel(c.cell);
    EXPECT_EQ(p.x, c.x);
    EXPECT_EQ(p.y, c.y);
    EXPECT_EQ(PixelToCell(p.x, p.y), c.cell);
    EXPECT_EQ(PixelToCell(p.x + 9, p.y + 19), c.cell);  // the box's far corner
  }
}

TEST_F(CellGeometry, PixelToCellTable) {
  SetClient(800, 500);
  struct Case {
    int32_t x, y;
    int32_t cell;
  } const cases[] = {
      {14, 19, 0},                                // inside cell 0's box
      {15, 19, 1},      {14, 20, 80}, {0, 0, 0},  // in the margin: (0 - 5) / 10 truncates to 0
      {-30, 0, 0},                                // negative results are made 0
      {-30, 20, 77},                              // (-35 / 10) + 80
      {5, 500, 2000},                             // below the last row: no cell of the screen
      {799, 499, 1999},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "pixel " << c.x << ", " << c.y);
    EXPECT_EQ(PixelToCell(c.x, c.y), c.cell);
  }
}

TEST_F(CellGeometry, ZeroCellSizeGivesCellZero) {
  SetClient(0, 0);
  EXPECT_EQ(PixelToCell(100, 100), 0);
  SetClient(800, 24);  // rows of height 0
  EXPECT_EQ(PixelToCell(100, 100), 0);
  SetClient(79, 500);  // columns of width 0
  EXPECT_EQ(PixelToCell(100, 100), 0);
}

}  // namespace
