#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "drawing/drawing_files.h"
#include "drawing_test_support.h"
#include "support/test_support.h"

namespace {

using drawing_test::Command;
using drawing_test::DrawingTest;
using drawing_test::Field;
using drawing_test::Lines;
using drawing_test::OpenFileCount;

struct TextDrawing {
  int32_t counted = -1;  // records and string bytes of the count pass
  int32_t countedSize = -1;
  int32_t count = -1;  // records of the read pass
  float largestX = -1;
  float largestY = -1;
  std::vector<DrawingRecord> records;
  std::string strings;
};

// Both passes over a text drawing, the read pass with blocks of exactly the
// size the count pass gave; the passes must agree on the record count.
TextDrawing ReadBoth(const std::string& path) {
  TextDrawing d;
  CountDrawingText(path.c_str(), &d.counted, &d.countedSize);
  std::vector<unsigned char> records(static_cast<size_t>(d.counted) * kDrawingRecordSize);
  std::vector<char> strings(static_cast<size_t>(d.countedSize));
  ReadDrawingText(path.c_str(), &d.count, records.data(), d.counted, strings.data(), d.countedSize,
                  &d.largestX, &d.largestY);
  EXPECT_EQ(d.count, d.counted) << path;
  for (int32_t i = 0; i < d.count; ++i) d.records.push_back(GetDrawingRecord(records.data(), i));
  d.strings.assign(strings.begin(), strings.end());
  return d;
}

void ExpectRecord(const DrawingRecord& r, char command, float x, float y, float f3 = 0,
                  float f4 = 0, float f5 = 0, float f6 = 0) {
  EXPECT_EQ(r.command, command);
  EXPECT_EQ(r.x, x) << command;
  EXPECT_EQ(r.y, y) << command;
  EXPECT_EQ(r.field3, f3) << command;
  EXPECT_EQ(r.field4, f4) << command;
  EXPECT_EQ(r.field5, f5) << command;
  EXPECT_EQ(r.field6, f6) << command;
}

// The tip, arc and ellipse parameter lines.
std::string TipLine(double x, double y, double tick) {
  return " " + Field(x, 8, 4) + Field(y, 8, 4) + Field(tick, 8, 4);
}
std::string ArcLine(double radius, double start, double sweep) {
  return Field(radius, 8, 4) + Field(start, 7, 3) + Field(sweep, 7, 3);
}
std::string EllipseLine(double rx, double ry, double start, double sweep) {
  return " " + Field(rx, 8, 4) + Field(ry, 8, 4) + Field(start, 7, 3) + Field(sweep, 7, 3);
}
std::string TextLine(double height, double angle, int length) {
  std::string n = std::to_string(length);
  return Field(height, 5, 4) + Field(angle, 6, 3) + std::string(2 - n.size(), ' ') + n;
}

// ---- the line reader -----------------------------------------------------------

TEST_F(DrawingTest, LineReaderSkipsVerAndStripsCarriageReturns) {
  Write("a.kvd", "VER 2\r\nfirst\r\nsecond\nthird");
  const std::string a = Path("a.kvd");
  char line[kDrawingLineSize];
  ASSERT_EQ(ReadDrawingLine(line, a.c_str(), 0), 1);
  EXPECT_STREQ(line, "first\n");
  ASSERT_EQ(ReadDrawingLine(line, a.c_str(), 0), 1);
  EXPECT_STREQ(line, "second\n");
  ASSERT_EQ(ReadDrawingLine(line, a.c_str(), 0), 1);
  EXPECT_STREQ(line, "third");
  EXPECT_EQ(ReadDrawingLine(line, a.c_str(), 0), 0);
  // The end closed the file: the next call starts it again.
  ASSERT_EQ(ReadDrawingLine(line, a.c_str(), 0), 1);
  EXPECT_STREQ(line, "first\n");
  EXPECT_EQ(ReadDrawingLine(line, a.c_str(), 1), 0);
}

TEST_F(DrawingTest, LineReaderTestsOnlyTheFirstLineForVer) {
  Write("a.kvd", "first\r\nVER\r\n");
  Write("empty.kvd", "");
  Write("onlyver.kvd", "VER 1\r\n");
  char line[kDrawingLineSize];
  const std::string a = Path("a.kvd");
  ASSERT_EQ(ReadDrawingLine(line, a.c_str(), 0), 1);
  EXPECT_STREQ(line, "first\n");
  ASSERT_EQ(ReadDrawingLine(line, a.c_str(), 0), 1);
  EXPECT_STREQ(line, "VER\n");
  EXPECT_EQ(ReadDrawingLine(line, Path("empty.kvd").c_str(), 0), 0);
  EXPECT_EQ(ReadDrawingLine(line, Path("onlyver.kvd").c_str(), 0), 0);
  EXPECT_EQ(ReadDrawingLine(line, Path("missing.kvd").c_str(), 0), 0);
}

TEST_F(DrawingTest, LineReaderReadsLongLinesInPieces) {
  const std::string longLine(300, 'x');
  Write("long.kvd", longLine + "\r\nnext\r\n");
  const std::string p = Path("long.kvd");
  char line[kDrawingLineSize];
  ASSERT_EQ(ReadDrawingLine(line, p.c_str(), 0), 1);
  EXPECT_EQ(std::string(line), std::string(255, 'x'));
  ASSERT_EQ(ReadDrawingLine(line, p.c_str(), 0), 1);
  EXPECT_EQ(std::string(line), std::string(45, 'x') + "\n");
  ASSERT_EQ(ReadDrawingLine(line, p.c_str(), 0), 1);
  EXPECT_STREQ(line, "next\n");
  ReadDrawingLine(line, p.c_str(), 1);
}

TEST_F(DrawingTest, LineReaderKeepsLineEndsAcrossItsReadAheadBlock) {
  // The file is taken 4096 bytes at a time: 16 lines of 255 bytes put the CR
  // of the 17th line at byte 4095 and its LF at 4096, in the next block.
  std::string text;
  for (int i = 0; i < 16; ++i) text += std::string(254, 'y') + "\n";
  text += std::string(15, 'z') + "\r\n";
  ASSERT_EQ(text.size(), 4097u);
  text += "p\rq\n";                        // a lone CR is text
  text += "\r\r\n";                        // only the CR before the LF goes
  text += std::string(254, 'w') + "\r\n";  // CR LF as the 255th character
  text += std::string(255, 'v') + "\r\n";  // full line; CR LF starts the next
  text += "end\r";                         // a CR at the end of the file stays
  Write("blocks.kvd", text);
  const std::vector<std::string> expected = {
      std::string(15, 'z') + "\n", "p\rq\n", "\r\n", std::string(254, 'w') + "\n",
      std::string(255, 'v'),       "\n",     "end\r"};
  const std::string p = Path("blocks.kvd");
  char line[kDrawingLineSize];
  for (int i = 0; i < 16; ++i) {
    ASSERT_EQ(ReadDrawingLine(line, p.c_str(), 0), 1) << "line " << i;
    ASSERT_EQ(std::string(line), std::string(254, 'y') + "\n") << "line " << i;
  }
  for (size_t i = 0; i < expected.size(); ++i) {
    ASSERT_EQ(ReadDrawingLine(line, p.c_str(), 0), 1) << "line " << 16 + i;
    EXPECT_EQ(std::string(line), expected[i]) << "line " << 16 + i;
  }
  EXPECT_EQ(ReadDrawingLine(line, p.c_str(), 0), 0);
}

TEST_F(DrawingTest, LineReaderRefusesANameItCannotKeep) {
  // The reader keeps the name of its open file in 260 characters with the
  // NUL: a path of 259 characters is read, one of 260 is not.
  char line[kDrawingLineSize];
  for (size_t length : {259u, 260u}) {
    const std::string p = Path(std::string(length - folder_.size() - 4, 'n') + ".kvd");
    ASSERT_EQ(p.size(), length);
    const bool written = testing_support::WriteFileBytes(p, "M\r\n");
    if (length == 259 && written) {
      EXPECT_EQ(ReadDrawingLine(line, p.c_str(), 0), 1);
      EXPECT_STREQ(line, "M\n");
    }
    if (length == 260) {
      EXPECT_EQ(ReadDrawingLine(line, p.c_str(), 0), 0);
    }
    ReadDrawingLine(line, p.c_str(), 1);
    if (written) os::RemoveFile(p.c_str());
  }
}

TEST_F(DrawingTest, LineReaderClosesOneFileBeforeOpeningAnother) {
  Write("a.kvd", "a1\r\na2\r\n");
  Write("b.kvd", "b1\r\n");
  const std::string a = Path("a.kvd");
  const std::string b = Path("b.kvd");
  char line[kDrawingLineSize];
  const int openBefore = OpenFileCount();
  ASSERT_EQ(ReadDrawingLine(line, a.c_str(), 0), 1);
  ASSERT_EQ(ReadDrawingLine(line, b.c_str(), 0), 1);
  EXPECT_STREQ(line, "b1\n");
  if (openBefore >= 0) {
    EXPECT_EQ(OpenFileCount(), openBefore + 1);
  }
  // a.kvd is closed (Windows refuses to delete an open file) and forgotten:
  // asked for again it starts from its first line.
  Write("a-copy.kvd", Read("a.kvd"));
  EXPECT_TRUE(os::RemoveFile(a.c_str()));
  const std::string copy = Path("a-copy.kvd");
  ASSERT_EQ(ReadDrawingLine(line, copy.c_str(), 0), 1);
  EXPECT_STREQ(line, "a1\n");
  // The close flag closes the open file too.
  EXPECT_EQ(ReadDrawingLine(line, copy.c_str(), 1), 0);
  EXPECT_TRUE(os::RemoveFile(copy.c_str()));
  if (openBefore >= 0) {
    EXPECT_EQ(OpenFileCount(), openBefore);
  }

  // Neither pass leaves its file open, whether it ends at a T or at the end.
  Write("t.kvd", Lines({Command('M', 1, 1), Command('T'), Command('M', 2, 2)}));
  int32_t count = 0;
  int32_t size = 0;
  CountDrawingText(Path("t.kvd").c_str(), &count, &size);
  unsigned char record[kDrawingRecordSize];
  float x = 0;
  float y = 0;
  ReadDrawingText(Path("t.kvd").c_str(), &count, record, 1, nullptr, 0, &x, &y);
  EXPECT_EQ(count, 1);
  EXPECT_TRUE(os::RemoveFile(Path("t.kvd").c_str()));
  if (openBefore >= 0) {
    EXPECT_EQ(OpenFileCount(), openBefore);
  }
}

// ---- the two passes ----------------------------------------------------------

TEST_F(DrawingTest, TextDrawingWithEveryCommand) {
  Write("plan.kvd", Lines({
                        "VER 2.0",
                        Command('F', 500.0),       // scale 0.5
                        Command('O', 2.0, 4.0),    // origin (1, 2)
                        Command('O', 2.0, 0.0),    // origins add up: (2, 2)
                        Command('M', 2.0, 2.0),    // (3, 3)
                        Command('D', 10.0, 6.0),   // (7, 5)
                        Command('L', 1.0, 0.0),    // style keeps its own x
                        Command('A', 0.0, 0.0),    // tail (2, 2)
                        TipLine(4.0, 8.0, 1.0),    // tip (4, 6), tick 0.5
                        Command('C', 14.0, 6.0),   // on the circle at 0 degrees: (9, 5)
                        ArcLine(4.0, 0.0, 360.0),  // radius 2: centre (7, 5)
                        Command('C', 0.0, 0.0),    // (2, 2) is the centre
                        ArcLine(-2.0, 0.0, 90.0),  // radius 1
                        Command('E', 0.0, 0.0),    // centre (2, 2)
                        EllipseLine(4.0, 2.0, 0.0, 90.0),
                        Command('S', 2.0, 20.0),  // (3, 12)
                        TextLine(2.0, 0.0, 5),
                        "HelloWorld",
                        Command('S', 0.0, 0.0),
                        TextLine(2.0, 45.0, 3),
                        "abcdef",
                        Command('V', 3.0),  // its extra line is passed over
                        TipLine(1.0, 1.0, 1.0),
                        Command('T'),
                        Command('M', 1000.0, 1000.0),  // after the end: never read
                    }));
  const TextDrawing d = ReadBoth(Path("plan.kvd"));
  EXPECT_EQ(d.counted, 9);
  EXPECT_EQ(d.countedSize, 8);
  ASSERT_EQ(d.count, 9);
  const float height = 2.0f * 1.45f * 0.5f;
  ExpectRecord(d.records[0], 'M', 3, 3);
  ExpectRecord(d.records[1], 'D', 7, 5);
  ExpectRecord(d.records[2], 'L', 1, 0);
  ExpectRecord(d.records[3], 'A', 2, 2, 4, 6, 0.5f);
  ExpectRecord(d.records[4], 'C', 7, 5, 2, 0, 360);
  ExpectRecord(d.records[5], 'C', 2, 2, 1, 0, 90);
  ExpectRecord(d.records[6], 'E', 2, 2, 2, 1, 0, 90);
  ExpectRecord(d.records[7], 'S', 3, 12, height, 0, 5, 0);
  ExpectRecord(d.records[8], 'S', 2, 2, height, 45, 3, 5);
  EXPECT_EQ(d.strings, "Helloabc");
  EXPECT_EQ(d.largestX, 9.0f);            // the first arc's rightmost point
  EXPECT_EQ(d.largestY, 12.0f + height);  // the first text's top
}

TEST_F(DrawingTest, ArcCentreFromAPointOnTheCircle) {
  Write("c.kvd", Lines({Command('C', 7, 5), ArcLine(2, 0, 10), Command('C', 7, 5),
                        ArcLine(-2, 0, 10), Command('C', 0, 7), ArcLine(2, 90, 10)}));
  const TextDrawing d = ReadBoth(Path("c.kvd"));
  ASSERT_EQ(d.count, 3);
  ExpectRecord(d.records[0], 'C', 5, 5, 2, 0, 10);
  ExpectRecord(d.records[1], 'C', 7, 5, 2, 0, 10);
  // At 90 degrees the centre lies below the point. The degree factor
  // 0.017453294 is a little above pi / 180, so 90 degrees is 1.5707965 and its
  // cosine about -1.63e-7: the centre's x is 2 x 1.63e-7 right of the point
  // (exact pi / 180 would put it at 8.7e-8).
  EXPECT_NEAR(d.records[2].x, 3.2584137e-7f, 1e-10);
  EXPECT_EQ(d.records[2].y, 5.0f);
  EXPECT_EQ(d.records[2].field3, 2.0f);
  EXPECT_EQ(d.records[2].field4, 90.0f);
}

TEST_F(DrawingTest, ShiftedAndScaledArrowEllipseAndText) {
  // x and y of the origin differ, so a shift taken from the wrong axis shows;
  // the arrow's tip holds the largest y and the ellipse the largest x. Scale
  // 1.5 is 1500 / 1000 exactly (1500 x 0.001 in four-byte reals is not), and
  // a text height of 0.9 becomes 0.9 x 1.45 x 1.5 = 1.9575001 in four-byte
  // reals.
  Write("ae.kvd", Lines({Command('F', 2000),         // scale 2
                         Command('O', 1, 3),         // origin (2, 6)
                         Command('M', 1, 2),         // (4, 10)
                         Command('A', 0, 0),         // tail (2, 6)
                         TipLine(5, 7, 1),           // tip (12, 20), tick 2
                         Command('E', 10, 0),        // centre (22, 6)
                         EllipseLine(3, 1, 0, 360),  // radii 6 and 2: x up to 28
                         Command('F', 1500),         // scale 1.5
                         Command('S', 2, -10),       // (5, -9)
                         TextLine(0.9, 0, 2), "ab"}));
  const TextDrawing d = ReadBoth(Path("ae.kvd"));
  ASSERT_EQ(d.count, 4);
  ExpectRecord(d.records[0], 'M', 4, 10);
  ExpectRecord(d.records[1], 'A', 2, 6, 12, 20, 2);
  ExpectRecord(d.records[2], 'E', 22, 6, 6, 2, 0, 360);
  ExpectRecord(d.records[3], 'S', 5, -9, 1.9575001f, 0, 2, 0);
  EXPECT_EQ(d.largestX, 28.0f);
  EXPECT_EQ(d.largestY, 20.0f);
}

TEST_F(DrawingTest, ColumnOneOfTipAndEllipseLinesIsNoCommand) {
  // Their first column is ignored; a letter there is no record in either pass.
  Write("col.kvd", Lines({Command('A', 1, 1), "M" + TipLine(2, 2, 0).substr(1), Command('E', 3, 3),
                          "D" + EllipseLine(1, 1, 0, 90).substr(1), Command('M', 4, 4)}));
  const TextDrawing d = ReadBoth(Path("col.kvd"));
  EXPECT_EQ(d.counted, 3);
  ASSERT_EQ(d.count, 3);
  ExpectRecord(d.records[0], 'A', 1, 1, 2, 2, 0);
  ExpectRecord(d.records[1], 'E', 3, 3, 1, 1, 0, 90);
  ExpectRecord(d.records[2], 'M', 4, 4);
}

TEST_F(DrawingTest, ExtraLineOfV3AndV4IsPassedOverByBothPasses) {
  // The lines after V 3 and V 4 look like records; after V 5 it is one.
  // V 4.9 is V 4, truncated.
  Write("v.kvd", Lines({Command('V', 3), Command('A', 1, 1), Command('V', 4), Command('M', 9, 9),
                        Command('V', 5), Command('D', 2, 2), Command('V', 4.9), Command('M', 8, 8),
                        Command('M', 1, 1)}));
  const TextDrawing d = ReadBoth(Path("v.kvd"));
  EXPECT_EQ(d.counted, 2);
  ASSERT_EQ(d.count, 2);
  ExpectRecord(d.records[0], 'D', 2, 2);
  ExpectRecord(d.records[1], 'M', 1, 1);
  EXPECT_EQ(d.largestX, 2.0f);  // the skipped M (9, 9) and M (8, 8) raised nothing
}

TEST_F(DrawingTest, ExtentsOfEmptyDrawingsAndOfLinesThatAreNoRecords) {
  Write("empty.kvd", "");
  Write("q.kvd", Lines({Command('Q', 30, 40), Command('M', 1, 1)}));  // no T: ends at the last line
  TextDrawing d = ReadBoth(Path("empty.kvd"));
  EXPECT_EQ(d.count, 0);
  EXPECT_EQ(d.largestX, 0.0f);
  EXPECT_EQ(d.largestY, 0.0f);
  d = ReadBoth(Path("q.kvd"));
  ASSERT_EQ(d.count, 1);
  ExpectRecord(d.records[0], 'M', 1, 1);
  EXPECT_EQ(d.largestX, 30.0f);
  EXPECT_EQ(d.largestY, 40.0f);
}

TEST_F(DrawingTest, TheEndPointRaisesTheExtentsButStyleScaleAndSkipLinesDoNot) {
  // F 1000 keeps the scale at 1; L, F, O and V (5: no extra line) keep their
  // points out of the extents (the two O lines shift the origin there and
  // back); T's point still counts though it ends the drawing and makes no
  // record.
  Write("t.kvd", Lines({Command('L', 500, 600), Command('F', 1000, 900), Command('V', 5, 700),
                        Command('O', 500, 600), Command('O', -500, -600), Command('M', 1, 1),
                        Command('T', 50, 60)}));
  const TextDrawing d = ReadBoth(Path("t.kvd"));
  ASSERT_EQ(d.count, 2);
  ExpectRecord(d.records[0], 'L', 500, 600);
  ExpectRecord(d.records[1], 'M', 1, 1);
  EXPECT_EQ(d.largestX, 50.0f);
  EXPECT_EQ(d.largestY, 60.0f);
}

TEST_F(DrawingTest, AnArcNeverLowersTheExtents) {
  Write("arc.kvd", Lines({Command('M', 100, 100), Command('C', 2, 1), ArcLine(1, 0, 360),
                          Command('E', 1, 1), EllipseLine(1, 1, 0, 360)}));
  const TextDrawing d = ReadBoth(Path("arc.kvd"));
  ASSERT_EQ(d.count, 3);
  EXPECT_EQ(d.largestX, 100.0f);
  EXPECT_EQ(d.largestY, 100.0f);
}

TEST_F(DrawingTest, TextLengthIsKeptAndFilledWithBlanksByBothPasses) {
  Write("s.kvd", Lines({Command('S'), TextLine(1, 0, 8), "PUMP",  // 8 asked, 4 on the line
                        Command('S'), TextLine(1, 0, -5), "xyz",  // a negative length
                        Command('S'), TextLine(1, 0, 2), "",      // an empty text line
                        Command('S'), TextLine(1, 0, 84), "abc",  // the longest kept whole
                        Command('S'), TextLine(1, 0, 90), "def",  // longer: cut to the line
                        Command('S'), TextLine(1, 0, 4)}));       // the file ends: no text line
  const TextDrawing d = ReadBoth(Path("s.kvd"));
  struct Expected {
    float length;
    float offset;
  } const expected[] = {{8, 0}, {0, 8}, {2, 8}, {84, 10}, {3, 94}, {0, 97}};
  EXPECT_EQ(d.counted, 6);
  EXPECT_EQ(d.countedSize, 97);
  ASSERT_EQ(d.count, 6);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(d.records[i].field5, expected[i].length) << "record " << i;
    EXPECT_EQ(d.records[i].field6, expected[i].offset) << "record " << i;
  }
  EXPECT_EQ(d.strings, "PUMP    " + std::string(2, ' ') + "abc" + std::string(81, ' ') + "def");
}

TEST_F(DrawingTest, ParameterLineMissingAtTheEndOfTheFile) {
  // The record counts in both passes; its parameters stay 0.
  Write("end.kvd", Lines({Command('M', 1, 1), Command('C', 3, 3)}));
  const TextDrawing d = ReadBoth(Path("end.kvd"));
  EXPECT_EQ(d.counted, 2);
  ASSERT_EQ(d.count, 2);
  ExpectRecord(d.records[1], 'C', 3, 3);
}

TEST_F(DrawingTest, ReadPassNeverWritesBeyondItsCapacity) {
  Write("big.kvd", Lines({Command('M', 1, 1), Command('D', 2, 2), Command('S'), TextLine(1, 0, 5),
                          "Hello", Command('S'), TextLine(1, 0, 2), "ab"}));
  int32_t count = 0;
  int32_t size = 0;
  CountDrawingText(Path("big.kvd").c_str(), &count, &size);
  ASSERT_EQ(count, 4);
  ASSERT_EQ(size, 7);
  // Blocks sized for less, as when the file grew after it was counted.
  std::vector<unsigned char> records(3 * kDrawingRecordSize);
  std::vector<char> strings(3);
  int32_t read = 0;
  float x = 0;
  float y = 0;
  ReadDrawingText(Path("big.kvd").c_str(), &read, records.data(), 3, strings.data(), 3, &x, &y);
  ASSERT_EQ(read, 3);
  const DrawingRecord s = GetDrawingRecord(records.data(), 2);
  EXPECT_EQ(s.field5, 3.0f);
  EXPECT_EQ(std::string(strings.begin(), strings.end()), "Hel");
}

TEST_F(DrawingTest, CountOfAFileThatCannotBeOpenedIsZero) {
  int32_t count = 99;
  int32_t size = 99;
  CountDrawingText(Path("missing.kvd").c_str(), &count, &size);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(size, 0);
  count = size = 99;
  CountDrawing(Path("missing.KVD").c_str(), &count, &size, 1);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(size, 0);
  EXPECT_TRUE(drawing_test::g_messages.empty());  // the text reader shows none
  count = size = 99;
  Write("plan.txt", Lines({Command('M', 1, 1)}));
  CountDrawing(Path("plan.txt").c_str(), &count, &size, 1);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(size, 0);
}

// ---- arc extents ------------------------------------------------------------

DrawingRecord Arc(float cx, float cy, float radius, float start, float sweep) {
  return {'C', cx, cy, radius, start, sweep, 0.0f};
}

TEST(ArcExtents, FullQuarterAndClockwiseSweeps) {
  struct Case {
    DrawingRecord arc;
    float x;
    float y;
  };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const Case cases[] = {
      {Arc(5, 5, 1, 0, 360), 6, 6},
      {Arc(5, 5, 1, 0, 90), 6, 6},
      {Arc(5, 5, 1, 0, -90), 6, 5},       // clockwise, down from 0 degrees
      {Arc(5, 5, 1, 0.9f, 90.7f), 6, 6},  // whole degrees only
      {Arc(5, 5, 1, 0, 1.0e9f), 6, 6},    // at most one full turn
      {Arc(5, 5, 1, 0, -inf), 6, 5},      // not finite: the start point only
      {Arc(5, 5, 1, 0, nan), 6, 5},
      {{'E', 5, 5, 2, 3, 0, 360}, 7, 8},  // radii from fields 3 and 4
  };
  for (const Case& c : cases) {
    float x = -1;
    float y = -1;
    ArcExtents(&x, &y, c.arc);
    EXPECT_NEAR(x, c.x, 1e-6) << c.arc.command << " sweep " << c.arc.field5;
    EXPECT_NEAR(y, c.y, 1e-6) << c.arc.command << " sweep " << c.arc.field5;
  }
}

TEST(ArcExtents, AnySweepPastAFullTurnGivesTheFullCircle) {
  float x360 = 0;
  float y360 = 0;
  ArcExtents(&x360, &y360, Arc(1.5f, -2.0f, 3.25f, 17, 360));
  for (float sweep : {361.0f, 720.0f, -720.0f, 3.0e38f}) {
    float x = 0;
    float y = 0;
    ArcExtents(&x, &y, Arc(1.5f, -2.0f, 3.25f, 17, sweep));
    // Clockwise the same angles come as other floats: near, not equal.
    EXPECT_NEAR(x, x360, 1e-5) << sweep;
    EXPECT_NEAR(y, y360, 1e-5) << sweep;
  }
}

}  // namespace
