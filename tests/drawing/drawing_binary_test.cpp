#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "drawing/drawing_files.h"
#include "drawing_test_support.h"
#include "report_base/drawing_tools.h"

namespace {

using drawing_test::Command;
using drawing_test::DrawingTest;
using drawing_test::g_messages;
using drawing_test::HeaderBytes;
using drawing_test::Lines;
using drawing_test::RecordBytes;

// Three drawings back to back: two plain records; one text "abc"; one text
// "wxyz" after a move.
const std::string kFirst =
    HeaderBytes("one", 2, 0, 2.0f, 2.0f) + RecordBytes('M', 1, 1) + RecordBytes('D', 2, 2);
const std::string kSecond =
    HeaderBytes("two", 1, 3, 5.0f, 6.0f) + RecordBytes('S', 5, 5, 1, 0, 3, 0) + "abc";
const std::string kThird = HeaderBytes("three", 2, 4, 1.2345f, -0.0015f) + RecordBytes('M', 3, 3) +
                           RecordBytes('S', 3, 3, 1, 0, 4, 0) + "wxyz";
const std::string kThreeDrawings = kFirst + kSecond + kThird;

bool AllZero(const DrawingFileHeader& h) {
  const auto* p = reinterpret_cast<const unsigned char*>(&h);
  for (size_t i = 0; i < sizeof h; ++i) {
    if (p[i] != 0) return false;
  }
  return true;
}

TEST_F(DrawingTest, SeekPassesOverEarlierDrawings) {
  Write("three.kfd", kThreeDrawings);
  FILE* f = os::OpenFile(Path("three.kfd").c_str(), "rb");
  ASSERT_NE(f, nullptr);
  struct Case {
    int n;
    long at;
  };
  const Case cases[] = {{1, 0},
                        {2, static_cast<long>(kFirst.size())},
                        {3, static_cast<long>(kFirst.size() + kSecond.size())},
                        {0, 0},
                        {101, 0},
                        {-7, 0}};
  for (const Case& c : cases) {
    EXPECT_TRUE(SeekDrawing(f, c.n)) << c.n;
    EXPECT_EQ(std::ftell(f), c.at) << c.n;
  }
  std::fclose(f);
}

TEST_F(DrawingTest, BinaryCountAndReadOfEachDrawing) {
  Write("three.kfd", kThreeDrawings);
  const std::string p = Path("three.kfd");
  struct Case {
    int n;
    int32_t count;
    int32_t size;
    std::string strings;
  };
  const Case cases[] = {
      {1, 2, 0, ""}, {2, 1, 3, "abc"}, {3, 2, 4, "wxyz"}, {0, 2, 0, ""}, {101, 2, 0, ""}};
  for (const Case& c : cases) {
    int32_t count = -1;
    int32_t size = -1;
    CountDrawingBinary(p.c_str(), &count, &size, c.n);
    EXPECT_EQ(count, c.count) << c.n;
    EXPECT_EQ(size, c.size) << c.n;
    std::vector<unsigned char> records(static_cast<size_t>(count) * kDrawingRecordSize);
    std::vector<char> strings(static_cast<size_t>(size));
    int32_t read = -1;
    float x = 0;
    float y = 0;
    ReadDrawingBinary(p.c_str(), &read, records.data(), count, strings.data(), size, &x, &y, c.n);
    EXPECT_EQ(read, c.count) << c.n;
    EXPECT_EQ(std::string(strings.begin(), strings.end()), c.strings) << c.n;
  }
  EXPECT_TRUE(g_messages.empty());
}

TEST_F(DrawingTest, DrawingBeyondTheLastLeavesNoStaleHeader) {
  Write("three.kfd", kThreeDrawings);
  const std::string p = Path("three.kfd");
  int32_t count = 0;
  int32_t size = 0;
  CountDrawingBinary(p.c_str(), &count, &size, 3);
  ASSERT_EQ(count, 2);
  ASSERT_EQ(g_drawingHeader.recordCount, 2);
  for (int n : {4, 100}) {
    count = size = 99;
    CountDrawingBinary(p.c_str(), &count, &size, n);
    EXPECT_EQ(count, 0) << n;
    EXPECT_EQ(size, 0) << n;
    EXPECT_TRUE(AllZero(g_drawingHeader)) << n;
  }
  LoadedDrawing d = {};
  EXPECT_EQ(LoadDrawing(&d, p.c_str(), 4), 0);
  EXPECT_TRUE(g_messages.empty());
}

TEST_F(DrawingTest, DamagedHeadersMeanNoSuchDrawing) {
  struct Case {
    const char* what;
    std::string bytes;
    int n;
  };
  const Case cases[] = {
      {"short header", kFirst.substr(0, 60), 1},
      {"negative count", HeaderBytes("", -1, 0, 1, 1), 1},
      {"negative size", HeaderBytes("", 1, -3, 1, 1) + RecordBytes('M', 1, 1), 1},
      {"records past the end", HeaderBytes("", 3, 0, 1, 1) + RecordBytes('M', 1, 1), 1},
      {"strings past the end", HeaderBytes("", 1, 10, 1, 1) + RecordBytes('M', 1, 1) + "abc", 1},
      {"strings one byte short", HeaderBytes("", 1, 4, 1, 1) + RecordBytes('M', 1, 1) + "abc", 1},
      {"sizes that overflow 32 bits", HeaderBytes("", INT32_MAX, INT32_MAX, 1, 1), 1},
      {"earlier drawing negative", HeaderBytes("", -5, 0, 1, 1) + kFirst, 2},
      {"earlier drawing past the end", HeaderBytes("", 0, 1000, 1, 1) + kFirst, 2},
      {"earlier header short", std::string(50, '\0'), 2},
  };
  const int openBefore = drawing_test::OpenFileCount();
  for (const Case& c : cases) {
    Write("bad.kfd", c.bytes);
    int32_t count = 99;
    int32_t size = 99;
    CountDrawing(Path("bad.kfd").c_str(), &count, &size, c.n);
    EXPECT_EQ(count, 0) << c.what;
    EXPECT_EQ(size, 0) << c.what;
    EXPECT_TRUE(AllZero(g_drawingHeader)) << c.what;
    LoadedDrawing d = {};
    EXPECT_EQ(LoadDrawing(&d, Path("bad.kfd").c_str(), c.n), 0) << c.what;
    EXPECT_EQ(d.records, nullptr) << c.what;
  }
  EXPECT_TRUE(g_messages.empty());
  // No failure leaves the file open (Windows refuses to delete an open file).
  EXPECT_EQ(drawing_test::OpenFileCount(), openBefore);
  EXPECT_TRUE(os::RemoveFile(Path("bad.kfd").c_str()));
}

TEST_F(DrawingTest, DrawingsBeyondTwoGibibytesAreFound) {
  // Drawing 1 promises a string area of 2^31 - 1 bytes, left sparse; drawing 2
  // starts past the 2 GiB mark, where a 32-bit file offset cannot reach.
  const int64_t second = 104 + 25 + int64_t{INT32_MAX};
  Write("big.kfd", HeaderBytes("", 1, INT32_MAX, 1, 1) + RecordBytes('M', 0, 0));
  const std::string p = Path("big.kfd");
  if (!os::ResizeFile(p.c_str(), second)) GTEST_SKIP() << "cannot make a 2 GiB file here";
  FILE* f = os::OpenFile(p.c_str(), "ab");
  ASSERT_NE(f, nullptr);
  const std::string tail =
      HeaderBytes("", 2, 3, 4, 5) + RecordBytes('M', 1, 1) + RecordBytes('D', 2, 2) + "xyz";
  ASSERT_EQ(std::fwrite(tail.data(), 1, tail.size(), f), tail.size());
  std::fclose(f);
  int32_t count = 0;
  int32_t size = 0;
  CountDrawingBinary(p.c_str(), &count, &size, 2);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(size, 3);
  LoadedDrawing d = {};
  ASSERT_EQ(LoadDrawing(&d, p.c_str(), 2), 1);
  EXPECT_EQ(drawing_test::StringsOf(d), "xyz");
  EXPECT_EQ(d.largestX1000, 4000);
  FreeDrawing(&d);
  EXPECT_TRUE(os::RemoveFile(p.c_str()));
  EXPECT_TRUE(g_messages.empty());
}

TEST_F(DrawingTest, BinaryReadKeepsWithinTheBlocksGiven) {
  // Blocks smaller than drawing 3 (M, S and "wxyz"), as when the file grew
  // after it was counted: only what fits is read, the texts from their own
  // place after all the drawing's records.
  Write("three.kfd", kThreeDrawings);
  std::vector<unsigned char> records(1 * kDrawingRecordSize);
  std::vector<char> strings(2);
  int32_t read = -1;
  float x = 0;
  float y = 0;
  ReadDrawingBinary(Path("three.kfd").c_str(), &read, records.data(), 1, strings.data(), 2, &x, &y,
                    3);
  ASSERT_EQ(read, 1);
  const DrawingRecord m = GetDrawingRecord(records.data(), 0);
  EXPECT_EQ(m.command, 'M');
  EXPECT_EQ(m.x, 3.0f);
  EXPECT_EQ(std::string(strings.begin(), strings.end()), "wx");
  EXPECT_EQ(x, 1.2345f);
}

TEST_F(DrawingTest, BinaryFileThatCannotBeOpened) {
  const std::string p = Path("missing.kfd");
  // A header read before is not left behind.
  Write("three.kfd", kThreeDrawings);
  int32_t count = 99;
  int32_t size = 99;
  CountDrawingBinary(Path("three.kfd").c_str(), &count, &size, 2);
  ASSERT_EQ(count, 1);
  CountDrawingBinary(p.c_str(), &count, &size, 1);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(size, 0);
  EXPECT_TRUE(AllZero(g_drawingHeader));
  int32_t read = 99;
  float x = 9;
  float y = 9;
  unsigned char record[kDrawingRecordSize];
  ReadDrawingBinary(p.c_str(), &read, record, 1, nullptr, 0, &x, &y, 1);
  EXPECT_EQ(read, 0);
  ASSERT_EQ(g_messages.size(), 2u);
  for (const auto& m : g_messages) {
    EXPECT_EQ(m.text, "Can not open file");
    EXPECT_EQ(m.title, "Open Error");
    EXPECT_EQ(m.owner, nullptr);
    EXPECT_EQ(m.flags, os::kMbIconStop);
  }
}

TEST_F(DrawingTest, LoadAndFreeABinaryDrawing) {
  Write("three.KFD", kThreeDrawings);
  LoadedDrawing d = {};
  ASSERT_EQ(LoadDrawing(&d, Path("three.KFD").c_str(), 3), 1);
  EXPECT_EQ(d.recordCount, 2);
  EXPECT_EQ(d.largestX1000, 1234);  // 1.2345 x 1000 = 1234.5, truncated
  EXPECT_EQ(d.largestY1000, -1);    // -1.5, truncated towards 0
  EXPECT_EQ(d.stringSize, 4);
  const auto records = drawing_test::RecordsOf(d);
  EXPECT_EQ(records[1].command, 'S');
  EXPECT_EQ(records[1].field5, 4.0f);
  EXPECT_EQ(drawing_test::StringsOf(d), "wxyz");
  int64_t at = -1;
  int64_t length = -1;
  ASSERT_TRUE(FindDrawingText(records[1], d.stringSize, &at, &length));
  EXPECT_EQ(at, 0);
  EXPECT_EQ(length, 4);

  // Loading again releases the earlier blocks first (the leak checker sees it).
  ASSERT_EQ(LoadDrawing(&d, Path("three.KFD").c_str(), 1), 1);
  EXPECT_EQ(d.recordCount, 2);
  EXPECT_EQ(d.strings, nullptr);
  EXPECT_EQ(d.largestX1000, 2000);

  // A failed load keeps what the drawing holds.
  Write("empty.kfd", std::string(104, '\0'));
  EXPECT_EQ(LoadDrawing(&d, Path("empty.kfd").c_str(), 1), 0);
  EXPECT_NE(d.records, nullptr);

  FreeDrawing(&d);
  EXPECT_EQ(d.records, nullptr);
  EXPECT_EQ(d.strings, nullptr);
  EXPECT_EQ(d.recordCount, 0);
  EXPECT_TRUE(g_messages.empty());
}

TEST_F(DrawingTest, ExtentsOutOfTheIntegerRangeAreHeld) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  Write("far.kfd", HeaderBytes("", 1, 0, 1.0e30f, nan) + RecordBytes('M', 0, 0));
  LoadedDrawing d = {};
  ASSERT_EQ(LoadDrawing(&d, Path("far.kfd").c_str(), 1), 1);
  EXPECT_EQ(d.largestX1000, INT32_MAX);
  EXPECT_EQ(d.largestY1000, 0);
  FreeDrawing(&d);
}

TEST_F(DrawingTest, ExtentsTimesAThousandInSinglePrecision) {
  // 2.3 is held as 2.29999995 and 0.7 as 0.699999988; times 1000 in
  // four-byte reals they round to 2300 and 700 before the truncation.
  Write("near.kfd", HeaderBytes("", 1, 0, 2.3f, 0.7f) + RecordBytes('M', 0, 0));
  LoadedDrawing d = {};
  ASSERT_EQ(LoadDrawing(&d, Path("near.kfd").c_str(), 1), 1);
  EXPECT_EQ(d.largestX1000, 2300);
  EXPECT_EQ(d.largestY1000, 700);
  FreeDrawing(&d);
}

TEST_F(DrawingTest, LoadATextDrawingByItsExtension) {
  Write("plan.Kvd", Lines({Command('M', 1.5, 2.25), Command('D', 3, 4)}));
  LoadedDrawing d = {};
  ASSERT_EQ(LoadDrawing(&d, Path("plan.Kvd").c_str(), 7), 1);  // a text file has one drawing
  EXPECT_EQ(d.recordCount, 2);
  EXPECT_EQ(d.largestX1000, 3000);
  EXPECT_EQ(d.largestY1000, 4000);
  EXPECT_EQ(d.strings, nullptr);
  FreeDrawing(&d);
  Write("plan.dwg", Lines({Command('M', 1.5, 2.25)}));
  EXPECT_EQ(LoadDrawing(&d, Path("plan.dwg").c_str(), 1), 0);
}

TEST_F(DrawingTest, TheKindIsTheThreeLettersAfterTheLastPoint) {
  // Whatever follows the three letters does not count; fewer than three name
  // no kind.
  Write("plan.kvd1", Lines({Command('M', 1, 2), Command('D', 3, 4), Command('D', 5, 6)}));
  Write("three.KfdX", kThreeDrawings);
  Write("plan.kv", Lines({Command('M', 1, 2)}));
  struct Case {
    const char* name;
    int n;
    int32_t count;
    int32_t size;
  };
  const Case cases[] = {{"plan.kvd1", 1, 3, 0}, {"three.KfdX", 2, 1, 3}, {"plan.kv", 1, 0, 0}};
  for (const Case& c : cases) {
    int32_t count = -1;
    int32_t size = -1;
    CountDrawing(Path(c.name).c_str(), &count, &size, c.n);
    EXPECT_EQ(count, c.count) << c.name;
    EXPECT_EQ(size, c.size) << c.name;
  }
  EXPECT_TRUE(g_messages.empty());
}

TEST_F(DrawingTest, LoadRunsOutOfMemory) {
  Write("three.kfd", kThreeDrawings);
  // The string block first, then the record block.
  for (int okCount : {0, 1}) {
    g_messages.clear();
    LoadedDrawing d = {};
    ASSERT_EQ(LoadDrawing(&d, Path("three.kfd").c_str(), 1), 1);
    os::SetMemAllocFailAfter(okCount);
    EXPECT_EQ(LoadDrawing(&d, Path("three.kfd").c_str(), 2), 0) << okCount;
    os::SetMemAllocFailAfter(-1);
    EXPECT_EQ(d.records, nullptr);  // the earlier blocks went, nothing leaks
    EXPECT_EQ(d.strings, nullptr);
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0].text, "Sorry, not enough memory to open more file.");
    EXPECT_EQ(g_messages[0].title, "Open File Error");
    EXPECT_EQ(g_messages[0].owner, nullptr);
    EXPECT_EQ(g_messages[0].flags, os::kMbIconStop);
  }
  EXPECT_TRUE(os::RemoveFile(Path("three.kfd").c_str()));  // not left open
}

TEST_F(DrawingTest, FreeDrawingDeletesTheSharedPensAndFont) {
#ifdef _WIN32
  MakeDrawingPens();
  ASSERT_NE(g_drawingState.solidPen, nullptr);
#else
  // The native build makes no GDI objects; any handle only has to be forgotten.
  static int pen = 0;
  static int font = 0;
  g_drawingState.solidPen = &pen;
  g_drawingState.dottedPen = &pen;
  g_drawingState.drawingFont = &font;
#endif
  LoadedDrawing d = {};
  FreeDrawing(&d);  // an empty drawing too
  EXPECT_EQ(g_drawingState.solidPen, nullptr);
  EXPECT_EQ(g_drawingState.dottedPen, nullptr);
  EXPECT_EQ(g_drawingState.drawingFont, nullptr);
}

TEST(DrawingText, OffsetsAndLengthsAreCheckedAgainstTheStringArea) {
  struct Case {
    float length;
    float offset;
    bool found;
  };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const Case cases[] = {{3, 7, true},   {0, 10, true},    {3, 8, false},   {-1, 0, false},
                        {1, -1, false}, {1.5f, 0, false}, {nan, 0, false}, {1, 1e30f, false}};
  for (const Case& c : cases) {
    const DrawingRecord s = {'S', 0, 0, 1, 0, c.length, c.offset};
    int64_t at = -1;
    int64_t n = -1;
    EXPECT_EQ(FindDrawingText(s, 10, &at, &n), c.found) << c.length << " at " << c.offset;
  }
}

}  // namespace
