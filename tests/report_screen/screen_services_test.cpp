// The screen's small services, the loading of a whole screen, the rectangles
// of pictures and erased cells, and the arithmetic of dot leaders.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "report/screen/screen_pictures.h"
#include "report/screen/screen_refresh.h"
#include "report/screen/screen_services.h"
#include "report/screen/screen_text.h"
#include "report_base/drawing_tools.h"
#include "report_base/drawn_text.h"
#include "screen_fixture.h"

namespace {

class ScreenServices : public ScreenTest {};

std::vector<std::string> Split(const std::string& text, int32_t* count) {
  char* slots[kWordSlots] = {};
  SplitWords(text.c_str(), count, slots);
  std::vector<std::string> words;
  for (int32_t k = 1; k < *count; ++k) words.push_back(slots[k]);
  EXPECT_EQ(slots[0], nullptr);
  return words;
}

TEST_F(ScreenServices, SplitWordsTable) {
  std::string twentyFive;
  std::vector<std::string> nineteen;
  for (int k = 1; k <= 25; ++k) {
    twentyFive += "w" + std::to_string(k) + " ";
    if (k <= 19) nineteen.push_back("w" + std::to_string(k));
  }
  struct Case {
    std::string text;
    int32_t count;
    std::vector<std::string> words;
  } const cases[] = {
      {"", 0, {}},
      {"   ", 1, {}},
      {"one", 2, {"one"}},
      {"  two  words ", 3, {"two", "words"}},
      {twentyFive, 20, nineteen},
      // Only 255 characters are taken: the word across that point is cut.
      {std::string(250, ' ') + "abcdefghij", 2, {"abcde"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("text \"" + c.text.substr(0, 40) + "\"");
    int32_t count = -1;
    EXPECT_EQ(Split(c.text, &count), c.words);
    EXPECT_EQ(count, c.count);
  }
}

TEST_F(ScreenServices, RunNamesComeFromTheRunContext) {
  std::strcpy(g_runContext.baseName, "EXCHANGER");
  std::strcpy(g_runContext.runId, "0A1B2C");
  char base[256];
  char runId[16];
  GetRunNames(base, runId);
  EXPECT_STREQ(base, "EXCHANGER");
  EXPECT_STREQ(runId, "0A1B2C");
}

TEST_F(ScreenServices, EndProcessEndsTheProcessWithExitCode0) {
  // In a child process: nothing after EndProcess runs (exit code 3 otherwise).
  EXPECT_EXIT(
      {
        EndProcess();
        std::exit(3);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(ScreenServices, LoadScreenKeepsRow24) {
  PutText(24, 0, "status row");
  PutRowAttribute(24, 6);
  std::string text(kScreenCells, 'x');
  std::vector<uint8_t> attributes(kScreenCells, 3);
  LoadScreen(text.data(), attributes.data());
  EXPECT_EQ(std::string(g_screenModel.screenText, 1920), std::string(1920, 'x'));
  EXPECT_EQ(std::string(g_screenModel.screenText + 1920, 10), "status row");
  EXPECT_EQ(g_screenModel.screenAttributes[1919], 3);
  EXPECT_EQ(g_screenModel.screenAttributes[1920], 6);
}

TEST_F(ScreenServices, PictureRectangles) {
  struct Case {
    int32_t first, last;
    ScreenRect rect;
  } const cases[] = {
      // Rows 2 to 5 at full width: the client width, top of row 2 to bottom of row 5.
      {160, 479, {0, 40, 800, 120}},
      {0, 1999, {0, 0, 800, 500}},
      // Otherwise the first cell's point to the last cell's point.
      {162, 479, {25, 40, 795, 100}},
      {160, 478, {5, 40, 785, 100}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.first << " to " << c.last);
    const ScreenRect r = PictureRectForCells(c.first, c.last);
    EXPECT_EQ(r.left, c.rect.left);
    EXPECT_EQ(r.top, c.rect.top);
    EXPECT_EQ(r.right, c.rect.right);
    EXPECT_EQ(r.bottom, c.rect.bottom);
  }
  // The client width stored by the metrics, whatever the cells add up to.
  SetClient(805, 500);
  EXPECT_EQ(PictureRectForCells(160, 479).right, 805);
}

// Picture cells and client sizes of any 32-bit value give a rectangle
// without overflow (UBSan checks the arithmetic natively), exact where it
// fits and clamped where it does not; a reference far off the screen gives
// one outside the device space, which draws nothing.
TEST_F(ScreenServices, PictureRectanglesTakeAny32BitInput) {
  struct Case {
    int32_t width, height;
    int32_t first, last;
    ScreenRect rect;
    bool drawable;
  } const cases[] = {
      {800, 500, 0, 1999, {0, 0, 800, 500}, true},
      // Row 20000000 (cells 1599999920 to 1599999999) at full width: the top
      // of row 19999999 x 20 to the bottom of row 20000000.
      {800, 500, 1599999920, 1599999999, {0, 399999980, 800, 400000000}, false},
      // From its column 1 to column 5: x 15 to 55.
      {800, 500, 1599999921, 1600000005, {15, 399999980, 55, 400000000}, false},
      // The last full-width rows 32 bits hold: 2147483599 is column 79 of
      // row 26843544.
      {800, 500, 0, 2147483599, {0, 0, 800, 26843545 * 20}, false},
      {800,
       500,
       INT32_MIN,
       INT32_MAX,
       {-48 * 10 + 5, -26843545 * 20, 47 * 10 + 5, 26843545 * 20},
       false},
      // The largest client: cells of 26843545 x 85899345 after a margin of
      // 13421772.
      {INT32_MAX, INT32_MAX, 0, 1999, {0, 0, INT32_MAX, 25 * 85899345}, false},
      {INT32_MAX, INT32_MAX, 1599999920, 1599999999, {0, INT32_MAX, INT32_MAX, INT32_MAX}, false},
      {INT32_MAX,
       INT32_MAX,
       INT32_MIN,
       INT32_MAX,
       {-48 * 26843545 + 13421772, INT32_MIN, 47 * 26843545 + 13421772, INT32_MAX},
       false},
      {INT32_MIN, INT32_MIN, 0, 1999, {0, 0, INT32_MIN, 25 * -85899345}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "client " << c.width << " x " << c.height << ", cells "
                                    << c.first << " to " << c.last);
    SetClient(c.width, c.height);
    const ScreenRect r = PictureRectForCells(c.first, c.last);
    EXPECT_EQ(r.left, c.rect.left);
    EXPECT_EQ(r.top, c.rect.top);
    EXPECT_EQ(r.right, c.rect.right);
    EXPECT_EQ(r.bottom, c.rect.bottom);
    EXPECT_EQ(InDeviceSpace(PictureRect{r.left, r.top, r.right, r.bottom}), c.drawable);
  }
}

TEST_F(ScreenServices, ErasedCellRectanglesRowByRow) {
  struct Case {
    int32_t first, count;
    std::vector<ScreenRect> rects;
  } const cases[] = {
      {0, 0, {}},
      {5, -1, {}},
      {10, 3, {{105, 0, 135, 20}}},
      // Across a row end: the end of row 0 and the start of row 1, never one
      // rectangle from column 75 back to column 4.
      {75, 10, {{755, 0, 805, 20}, {5, 20, 55, 40}}},
      {1995, 10, {{755, 480, 805, 500}}},
      {-5, 10, {{5, 0, 55, 20}}},
      {150, 100, {{705, 20, 805, 40}, {5, 40, 805, 60}, {5, 60, 105, 80}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.first << ", " << c.count);
    ScreenRect rects[kScreenRows];
    const int32_t n = CellRangeRects(c.first, c.count, rects);
    ASSERT_EQ(static_cast<size_t>(n), c.rects.size());
    for (int32_t k = 0; k < n; ++k) {
      EXPECT_EQ(rects[k].left, c.rects[k].left) << k;
      EXPECT_EQ(rects[k].top, c.rects[k].top) << k;
      EXPECT_EQ(rects[k].right, c.rects[k].right) << k;
      EXPECT_EQ(rects[k].bottom, c.rects[k].bottom) << k;
    }
  }
  ScreenRect rects[kScreenRows];
  EXPECT_EQ(CellRangeRects(0, kScreenCells, rects), 25);
}

// On the largest client (cells of 26843545 x 85899345 after a margin of
// 13421772) the right edge of column 79, 80 x 26843545 + 13421772, lies past
// the 32-bit range: it is clamped, never overflowed.
TEST_F(ScreenServices, ErasedCellRectanglesOnTheLargestClient) {
  SetClient(INT32_MAX, INT32_MAX);
  ScreenRect rects[kScreenRows];
  ASSERT_EQ(CellRangeRects(1998, 5, rects), 1);
  EXPECT_EQ(rects[0].left, 78 * 26843545 + 13421772);
  EXPECT_EQ(rects[0].top, 24 * 85899345);
  EXPECT_EQ(rects[0].right, INT32_MAX);
  EXPECT_EQ(rects[0].bottom, 25 * 85899345);
}

TEST_F(ScreenServices, DotRunsAndLeaderDots) {
  struct Case {
    const char* text;
    int32_t end;
  } const runs[] = {
      {"Total.....  12", 10}, {"a.b..c", 5}, {"x..", 3}, {".", -1}, {"", -1}, {"a.b.c", -1},
  };
  for (const Case& c : runs) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FindDotRunEnd(c.text, static_cast<int32_t>(std::strlen(c.text))), c.end);
  }
  EXPECT_EQ(LeaderDotCount(100, 40, 5), 12);
  EXPECT_EQ(LeaderDotCount(100, 40, 7), 8);  // 60 / 7
  EXPECT_EQ(LeaderDotCount(100, 40, 0), 0);
  EXPECT_EQ(LeaderDotCount(100, 40, -3), 0);
  EXPECT_EQ(LeaderDotCount(30, 40, 5), 0);
}

TEST_F(ScreenServices, LeaderDotsAreInsertedUpTo599Characters) {
  char out[kLeaderTextLimit + 1];
  EXPECT_EQ(InsertLeaderDots(out, "ab..c", 5, 4, 3), 8);
  EXPECT_STREQ(out, "ab.....c");
  const std::string text = std::string(580, 'a') + "..";
  EXPECT_EQ(InsertLeaderDots(out, text.c_str(), static_cast<int32_t>(text.size()), 582, 40), 599);
  EXPECT_EQ(std::string(out), std::string(580, 'a') + std::string(19, '.'));
  const std::string tail = std::string(597, 'b') + "..xyz";
  EXPECT_EQ(InsertLeaderDots(out, tail.c_str(), static_cast<int32_t>(tail.size()), 599, 5), 599);
  EXPECT_EQ(std::string(out), std::string(597, 'b') + "..");
}

}  // namespace
