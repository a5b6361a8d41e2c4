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
      {14, 19, 0},  // inside cell 0's box
      {15, 19, 1},
      {14, 20, 80},
      {5, 0, 0},  // the first column starts after the margin of 5
      // Left of the first column: no cell, never a cell of the row before.
      {4, 0, -1},
      {0, 0, -1},
      {-30, 0, -1},
      {-30, 20, -1},
      {4, 499, -1},
      // The 80th column ends at 5 + 800 = 805: right of it, no cell.
      {804, 0, 79},
      {805, 0, -1},
      {804, 499, 1999},
      {805, 499, -1},
      {5, 500, 2000},  // below the last row: no cell of the screen
      {799, 499, 1999},
      {5, -1, 0},    // just above the first row: row 0 (-1 / 20 truncates to 0)
      {15, -20, 0},  // a row above the screen: 1 - 80, a negative result made 0
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "pixel " << c.x << ", " << c.y);
    EXPECT_EQ(PixelToCell(c.x, c.y), c.cell);
  }
}

// A click in the right margin of a 1000-pixel client (cells of 12 after a
// margin of 6, the 80th column ending at x 966) lands on no cell, where it
// used to land on cells 80 to 82 of the next row.
TEST_F(CellGeometry, RightMarginIsNoCell) {
  SetClient(1000, 750);  // cells of 12 x 30
  struct Case {
    int32_t x, y;
    int32_t cell;
  } const cases[] = {
      {6, 0, 0},    {5, 0, -1},     {965, 0, 79},  {966, 0, -1},   {980, 0, -1},
      {999, 0, -1}, {965, 30, 159}, {966, 30, -1}, {999, 749, -1}, {965, 749, 1999},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "pixel " << c.x << ", " << c.y);
    EXPECT_EQ(PixelToCell(c.x, c.y), c.cell);
  }
}

// Every 32-bit pixel and client size gives a cell without overflow (UBSan
// checks the arithmetic natively): a cell below the screen is at most
// INT32_MAX, one above it is 0, and a client without a positive cell size
// gives cell 0 for every pixel.
TEST_F(CellGeometry, PixelToCellTakesAny32BitInput) {
  struct Case {
    int32_t width, height;
    int32_t x, y;
    int32_t cell;
  } const cases[] = {
      {800, 500, INT32_MIN, 0, -1},
      {800, 500, INT32_MAX, 0, -1},
      {800, 500, 5, INT32_MAX, INT32_MAX},  // row 107374182: far below
      {800, 500, 804, INT32_MAX, INT32_MAX},
      {800, 500, 5, INT32_MIN, 0},
      {800, 500, INT32_MIN, INT32_MIN, -1},
      // Cells of 1 x 1 without a margin: rows as large as the pixels.
      {80, 25, 0, INT32_MAX, INT32_MAX},
      {80, 25, 79, INT32_MIN, 0},
      {80, 25, 80, 0, -1},
      // The largest client: cells of 26843545 x 85899345 after a margin of
      // 13421772; the 80th column ends at 2147483600 + 13421772, past the
      // 32-bit range.
      {INT32_MAX, INT32_MAX, INT32_MIN, 0, -1},
      {INT32_MAX, INT32_MAX, 13421771, 0, -1},
      {INT32_MAX, INT32_MAX, 13421772, 0, 0},
      {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, 25 * 80 + 79},
      {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MIN, 0},
      // No positive cell size: cell 0, never a division by a negative size.
      {-80, -25, 0, INT32_MIN, 0},
      {-80, -25, INT32_MIN, INT32_MAX, 0},
      {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MIN, 0},
      {800, -500, 100, 100, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "client " << c.width << " x " << c.height << ", pixel " << c.x << ", " << c.y);
    SetClient(c.width, c.height);
    EXPECT_EQ(PixelToCell(c.x, c.y), c.cell);
  }
}

// Every 32-bit cell and client size has a point: worked out exactly, and
// clamped to the 32-bit range where it does not fit.
TEST_F(CellGeometry, CellToPixelTakesAny32BitInput) {
  struct Case {
    int32_t width, height;
    int32_t cell;
    int32_t x, y;
  } const cases[] = {
      // INT32_MAX is row 26843545, column 47; INT32_MIN row -26843545,
      // column -48 (the remainder keeps the sign).
      {800, 500, INT32_MAX, 47 * 10 + 5, 26843545 * 20},
      {800, 500, INT32_MIN, -48 * 10 + 5, -26843545 * 20},
      {800, 500, 1599999920, 5, 399999980},  // row 20000000 of a picture reference
      // The largest client (cells of 26843545 x 85899345, margin 13421772).
      {INT32_MAX, INT32_MAX, 79, 79 * 26843545 + 13421772, 0},
      {INT32_MAX, INT32_MAX, 1999, 79 * 26843545 + 13421772, 24 * 85899345},
      {INT32_MAX, INT32_MAX, 2000, 13421772, 25 * 85899345},
      {INT32_MAX, INT32_MAX, 2080, 13421772, INT32_MAX},  // 26 x 85899345 does not fit
      {INT32_MAX, INT32_MAX, INT32_MAX, 47 * 26843545 + 13421772, INT32_MAX},
      {INT32_MAX, INT32_MAX, INT32_MIN, -48 * 26843545 + 13421772, INT32_MIN},
      // The most negative client: cells of -26843545 x -85899345, margin
      // -13421772.
      {INT32_MIN, INT32_MIN, 79, 79 * -26843545 - 13421772, 0},
      {INT32_MIN, INT32_MIN, INT32_MAX, 47 * -26843545 - 13421772, INT32_MIN},
      {INT32_MIN, INT32_MIN, INT32_MIN, -48 * -26843545 - 13421772, INT32_MAX},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "client " << c.width << " x " << c.height << ", cell " << c.cell);
    SetClient(c.width, c.height);
    const ScreenPoint p = CellToPixel(c.cell);
    EXPECT_EQ(p.x, c.x);
    EXPECT_EQ(p.y, c.y);
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
