// Array groups: the group-code to table mappings at their boundaries, the
// header rules, capacities (lines beyond a table land nowhere) and the group
// outcomes.
#include <gtest/gtest.h>

#include <string>

#include "engine/input/group_reader.h"
#include "engine/input/run_input_reader.h"
#include "engine/input/stream_curve_input.h"
#include "input_fixture.h"
#include "support/kvt_writer.h"

namespace {

using input_test::ArraySection;
using input_test::InputTest;
using input_test::Read;
using input_test::Trimmed;
using testing_support::KvtWriter;

using Groups = InputTest;

TEST_F(Groups, TextTablesAtTheirBoundaries) {
  InputNameLists& l = g_inputNameLists;
  InputTextLines& t = g_inputTextLines;
  const struct {
    int64_t code, k;
    char* cell;
    int64_t width;
  } cases[] = {
      {13001, 1, t.group13001[0], 80},
      {13001, 5, t.group13001[4], 80},
      {13001, 6, nullptr, 80},
      {14001, 3, t.group14001[2], 80},
      {14001, 4, nullptr, 80},
      {18001, 18, t.group18001[17], 80},
      {18001, 19, nullptr, 80},
      {15001, 1, l.listA[0], 40},
      {15001, 50, l.listA[49], 40},
      {15001, 51, nullptr, 40},
      {15031, 1, l.listA[30], 40},
      {15031, 20, l.listA[49], 40},
      {15031, 21, nullptr, 40},
      {15021, 40, l.listB[39], 40},
      {15021, 41, nullptr, 40},
      {15041, 1, l.listB[10], 40},
      {15041, 30, l.listB[39], 40},
      {15041, 31, nullptr, 40},
      {15051, 1, l.listB[20], 40},
      {15051, 21, nullptr, 40},
      {15061, 1, l.listB[30], 40},
      {15061, 10, l.listB[39], 40},
      {15061, 11, nullptr, 40},
      {15081, 50, l.listC[49], 40},
      {15081, 51, nullptr, 40},
      {16001, 20, l.listD[19], 40},
      {16001, 21, nullptr, 40},
      {15200, 50, l.numbered[0].text[49], 40},
      {15100, 1, l.numbered[1].text[0], 40},
      {15300, 51, nullptr, 40},
      {21001, 400, g_inputLongLines.line[399], 400},
      {21001, 401, nullptr, 400},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.code) + " line " + std::to_string(c.k));
    char* cell = reinterpret_cast<char*>(1);
    int64_t width = 0;
    EXPECT_TRUE(input::GroupTextCell(c.code, c.k, &cell, &width));
    EXPECT_EQ(cell, c.cell);
    EXPECT_EQ(width, c.width);
  }
  for (int64_t code : {1, 12999, 13000, 15011, 15071, 20000, 21002, 21008}) {
    SCOPED_TRACE(code);
    char* cell = nullptr;
    int64_t width = 0;
    EXPECT_FALSE(input::GroupTextCell(code, 1, &cell, &width));
  }
}

TEST_F(Groups, NumberTablesAtTheirBoundaries) {
  const struct {
    int64_t code, k;
    float* cell;
  } cases[] = {
      {1, 1, InputScalarCell(1)},
      {1, 13000, InputScalarCell(13000)},
      {1, 13001, nullptr},
      {12999, 2, InputScalarCell(13000)},
      {12999, 3, nullptr},
      {21002, 24, &g_inputSeries.series21002[23]},
      {21002, 25, nullptr},
      {21003, 32, &g_inputSeries.series21003[31]},
      {21003, 33, nullptr},
      {21004, 1, &g_inputSeries.series21004[0]},
      {21004, 24, &g_inputSeries.series21004[23]},
      {21004, 25, nullptr},
      {21005, 1, &g_inputSeries.series21005[0]},
      {21005, 24, &g_inputSeries.series21005[23]},
      {21005, 25, nullptr},
      {21006, 1, &g_inputSeries.series21006[0]},
      {21006, 24, &g_inputSeries.series21006[23]},
      {21006, 25, nullptr},
      {21007, 29, &g_inputSeries.series21007[28]},
      {21007, 30, nullptr},
      {20000, 1, &CurveValuesAt(1, 1, 1, 20)},
      {20000, 23, &CurveValuesAt(23, 1, 1, 20)},
      {20000, 24, &CurveValuesAt(1, 2, 1, 20)},
      {20000, 69, &CurveValuesAt(23, 3, 1, 20)},
      {20000, 70, nullptr},
      {20041, 47, &CurveValuesAt(1, 3, 2, 19)},
      {20002, 3, &LevelPressuresAt(3, 1)},
      {20002, 4, nullptr},
      {20003, 1, &LevelPressuresAt(1, 2)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.code) + " line " + std::to_string(c.k));
    float* cell = reinterpret_cast<float*>(4);
    EXPECT_TRUE(input::GroupNumberCell(c.code, c.k, &cell));
    EXPECT_EQ(cell, c.cell);
  }
  for (int64_t code :
       {0, -5, 13000, 13001, 15001, 20043, 20099, 20101, 20102, 20103, 20142, 21001, 21008}) {
    SCOPED_TRACE(code);
    float* cell = nullptr;
    EXPECT_FALSE(input::GroupNumberCell(code, 1, &cell));
  }
}

TEST_F(Groups, StreamCurveCodes) {
  const struct {
    int64_t code;
    CurveMember member;
    int64_t stream, property;
  } cases[] = {
      {19999, CurveMember::None, 0, 0},           {20000, CurveMember::CurveValues, 1, 20},
      {20001, CurveMember::CurveValues, 2, 20},   {20002, CurveMember::LevelPressures, 1, 0},
      {20003, CurveMember::LevelPressures, 2, 0}, {20004, CurveMember::CurveValues, 1, 1},
      {20005, CurveMember::CurveValues, 2, 1},    {20006, CurveMember::CurveValues, 1, 2},
      {20036, CurveMember::CurveValues, 1, 17},   {20037, CurveMember::CurveValues, 2, 17},
      {20040, CurveMember::CurveValues, 1, 19},   {20041, CurveMember::CurveValues, 2, 19},
      {20042, CurveMember::CurveValues, 2, 21},   {20043, CurveMember::None, 0, 0},
      {20099, CurveMember::None, 0, 0},           {20100, CurveMember::CurveValues, 3, 20},
      {20101, CurveMember::None, 0, 0},           {20102, CurveMember::None, 0, 0},
      {20103, CurveMember::None, 0, 0},           {20104, CurveMember::CurveValues, 3, 1},
      {20105, CurveMember::CurveValues, 3, 1},    {20136, CurveMember::CurveValues, 3, 17},
      {20137, CurveMember::CurveValues, 3, 17},   {20140, CurveMember::CurveValues, 3, 19},
      {20141, CurveMember::CurveValues, 3, 19},   {20142, CurveMember::None, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    const CurveGroup g = CurveGroupOf(c.code);
    EXPECT_EQ(g.member, c.member);
    EXPECT_EQ(g.stream, c.stream);
    EXPECT_EQ(g.property, c.property);
  }
  int64_t point = 0, level = 0;
  EXPECT_FALSE(CurveLinePosition(0, &point, &level));
  ASSERT_TRUE(CurveLinePosition(23, &point, &level));
  EXPECT_EQ(point, 23);
  EXPECT_EQ(level, 1);
  ASSERT_TRUE(CurveLinePosition(24, &point, &level));
  EXPECT_EQ(point, 1);
  EXPECT_EQ(level, 2);
  ASSERT_TRUE(CurveLinePosition(69, &point, &level));
  EXPECT_EQ(point, 23);
  EXPECT_EQ(level, 3);
  EXPECT_FALSE(CurveLinePosition(70, &point, &level));
}

TEST_F(Groups, HeadersWithoutLines) {
  KvtWriter w = ArraySection();
  w.GroupHeader(100, "0.9")
      .GroupHeader(101, "0")
      .GroupHeader(102, "-3")
      .ValueGroup(103, 1, 8.0, 0.0);
  EXPECT_EQ(Read(w.Bytes()), 0);
  EXPECT_EQ(InputScalarAt(100), 0.0f);
  EXPECT_EQ(InputScalarAt(103), 8.0f);
}

TEST_F(Groups, ScalarGroups) {
  KvtWriter w = ArraySection();
  w.Group(
      100,
      {{"a", "n1", "1.5"}, {"b", "n2", "-1.0E35"}, {"c", "n3", "-1.0E34"}, {"d", "n4", "-1.0E36"}});
  w.Group(12999, {{"", "", "7"}, {"", "", "8"}, {"", "", "9"}});
  EXPECT_EQ(Read(w.Bytes()), 0);
  EXPECT_EQ(InputScalarAt(100), 1.5f);
  EXPECT_EQ(InputScalarAt(101), 0.0f);
  EXPECT_EQ(InputScalarAt(102), -1.0E34f);
  EXPECT_EQ(InputScalarAt(103), -1.0E36f);  // only the missing value itself becomes 0.0
  EXPECT_EQ(InputSourceFlagAt(100), 0.0f);
  EXPECT_EQ(InputScalarAt(12999), 7.0f);
  EXPECT_EQ(InputScalarAt(13000), 8.0f);
  // The third line lies beyond the table: its value lands nowhere, not in the
  // record's value field (which keeps the header's line count).
  EXPECT_EQ(g_inputRecord.value, 3.0f);
  // The texts of a group without text table go to the record's fields.
  EXPECT_EQ(Trimmed(g_inputRecord.keyword, kKeywordWidth), "");
  EXPECT_EQ(Trimmed(g_inputRecord.name, kNameWidth), "");
}

TEST_F(Groups, NumberedLists) {
  KvtWriter w = ArraySection();
  w.Group(15100, {{"one", "x", "11"}, {"two", "y", "12"}, {"three", "z", "13"}});
  g_inputNameLists.numbered[1].number[3] = 9.0f;
  EXPECT_EQ(Read(w.Bytes()), 0);
  EXPECT_EQ(InputScalarAt(20), 3.0f);
  EXPECT_EQ(InputScalarAt(19), 0.0f);
  const NumberedNameList& list = g_inputNameLists.numbered[1];
  EXPECT_EQ(Trimmed(list.text[0], 40), "one");
  EXPECT_EQ(Trimmed(list.text[2], 40), "three");
  EXPECT_EQ(list.number[0], 1.0f);
  EXPECT_EQ(list.number[1], 2.0f);
  EXPECT_EQ(list.number[2], 3.0f);
  EXPECT_EQ(list.number[3], 9.0f);
  // The values go to the record's value field, not to any table.
  EXPECT_EQ(g_inputRecord.value, 13.0f);
  EXPECT_EQ(Trimmed(g_inputRecord.name, kNameWidth), "z");
}

// Group 15300 fills numbered list 3 up to its 50th entry, the number of that
// entry included; a 51st line lands nowhere.
TEST_F(Groups, NumberedListToItsCapacity) {
  KvtWriter w = ArraySection();
  w.GroupHeader(15300, "51");
  for (int k = 1; k <= 51; ++k) w.Line("'N" + std::to_string(k) + "','',0");
  EXPECT_EQ(Read(w.Bytes()), 0);
  EXPECT_EQ(InputScalarAt(21), 51.0f);
  EXPECT_EQ(InputScalarAt(20), 0.0f);
  const NumberedNameList& list = g_inputNameLists.numbered[2];
  EXPECT_EQ(Trimmed(list.text[0], 40), "N1");
  EXPECT_EQ(Trimmed(list.text[49], 40), "N50");
  EXPECT_EQ(list.number[0], 1.0f);
  EXPECT_EQ(list.number[49], 50.0f);
  EXPECT_EQ(Trimmed(g_inputNameLists.numbered[1].text[0], 40), "");
  EXPECT_EQ(g_inputNameLists.numbered[1].number[0], 0.0f);
  EXPECT_EQ(Trimmed(g_inputRecord.keyword, kKeywordWidth), "");
}

TEST_F(Groups, LinesBeyondATableLandNowhere) {
  KvtWriter w = ArraySection();
  w.Record("HEADER", "", "", "", "13001", "7");
  for (int k = 1; k <= 7; ++k)
    w.Line("'LINE" + std::to_string(k) + "','name'," + std::to_string(k));
  EXPECT_EQ(Read(w.Bytes()), 0);
  EXPECT_EQ(Trimmed(g_inputTextLines.group13001[0], 80), "LINE1");
  EXPECT_EQ(Trimmed(g_inputTextLines.group13001[4], 80), "LINE5");
  EXPECT_EQ(Trimmed(g_inputTextLines.group14001[0], 80), "");
  // Lines 6 and 7 did not reach the record's keyword: it holds the header's.
  EXPECT_EQ(Trimmed(g_inputRecord.keyword, kKeywordWidth), "HEADER");
  EXPECT_EQ(g_inputRecord.value, 7.0f);

  KvtWriter series = ArraySection();
  series.GroupHeader(21003, "33");
  for (int k = 1; k <= 33; ++k) series.Line("'','', " + std::to_string(k));
  series.ValueGroup(400, 1, 4.0, 0.0);
  EXPECT_EQ(Read(series.Bytes()), 0);
  EXPECT_EQ(g_inputSeries.series21003[31], 32.0f);
  EXPECT_EQ(g_inputSeries.series21004[0], 0.0f);
  EXPECT_EQ(InputScalarAt(400), 4.0f);
}

TEST_F(Groups, LongLinesAndLists) {
  const std::string line400 = std::string(399, 'x') + "y";
  KvtWriter w = ArraySection();
  w.GroupHeader(21001, "2").Line("'" + line400 + "tail',n,1").Line("short,n,1");
  w.Group(15031, {{"thirty-one", "", "0"}});
  w.Group(15061, {{"B31", "", "0"}});
  w.Group(16001, {{"D1", "", "0"}});
  EXPECT_EQ(Read(w.Bytes()), 0);
  EXPECT_EQ(std::string(g_inputLongLines.line[0], 400), line400);
  EXPECT_EQ(Trimmed(g_inputLongLines.line[1], 400), "short");
  EXPECT_EQ(g_inputLongLines.count, 0);
  EXPECT_EQ(Trimmed(g_inputNameLists.listA[30], 40), "thirty-one");
  EXPECT_EQ(Trimmed(g_inputNameLists.listB[30], 40), "B31");
  EXPECT_EQ(Trimmed(g_inputNameLists.listD[0], 40), "D1");
}

TEST_F(Groups, UnknownCodesAreReadAndDropped) {
  KvtWriter w = ArraySection();
  w.Group(13000, {{"t", "n", "1"}, {"t", "n", "2"}});
  w.Group(20102, {{"t", "n", "3"}});
  w.Group(21008, {{"t", "n", "4"}});
  w.ValueGroup(500, 1, 6.0, 0.0);
  EXPECT_EQ(Read(w.Bytes()), 0);
  EXPECT_EQ(InputScalarAt(500), 6.0f);
  EXPECT_EQ(InputScalarAt(13000), 0.0f);
  EXPECT_EQ(LevelPressuresAt(1, 3), kMissingValue);
}

TEST_F(Groups, GroupOutcomes) {
  // End of file inside a group: status 0, the lines before stay stored.
  KvtWriter eof = ArraySection();
  eof.GroupHeader(100, "3").Line("'','',1").Line("'','',2");
  EXPECT_EQ(Read(eof.Bytes()), 0);
  EXPECT_EQ(InputScalarAt(100), 1.0f);
  EXPECT_EQ(InputScalarAt(101), 2.0f);

  // A read error inside a group: status 1.
  KvtWriter bad = ArraySection();
  bad.GroupHeader(200, "3").Line("'','',1").Line("'','',x").Line("'','',3").ValueGroup(300, 1, 1.0,
                                                                                       0.0);
  EXPECT_EQ(Read(bad.Bytes()), 1);
  EXPECT_EQ(InputScalarAt(200), 1.0f);
  EXPECT_EQ(InputScalarAt(202), 0.0f);
  EXPECT_EQ(InputScalarAt(300), 0.0f);

  // "[Results-Scalar]" ends the reading before its value is taken as a count.
  KvtWriter results = ArraySection();
  results.Record("[Results-Scalar]", "", "", "", "400", "2").Line("'','',5").Line("'','',6");
  EXPECT_EQ(Read(results.Bytes()), 0);
  EXPECT_EQ(InputScalarAt(400), 0.0f);

  // A huge line count saturates; the group reads to the end of the file.
  KvtWriter huge = ArraySection();
  huge.GroupHeader(600, "1e30").Line("'','',1").Line("'','',2");
  EXPECT_EQ(Read(huge.Bytes()), 0);
  EXPECT_EQ(InputScalarAt(601), 2.0f);

  // A line with fewer items takes the rest from the next line.
  KvtWriter split = ArraySection();
  split.GroupHeader(700, "2").Line("'a'").Line("'b' 1 extra").Line("'c','d',2");
  EXPECT_EQ(Read(split.Bytes()), 0);
  EXPECT_EQ(InputScalarAt(700), 1.0f);
  EXPECT_EQ(InputScalarAt(701), 2.0f);
}

}  // namespace
