// Two reads in one process: what lasts from one run to the next and what every
// read blanks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "curves/stream_curve_block.h"
#include "engine/input/run_input_reader.h"
#include "input_fixture.h"
#include "support/kvt_writer.h"

namespace {

using input_test::InputTest;
using input_test::Read;
using input_test::ScalarSection;
using input_test::Trimmed;
using testing_support::KvtGroupLine;
using testing_support::KvtWriter;

std::vector<KvtGroupLine> Names(const std::string& stem, int count) {
  std::vector<KvtGroupLine> lines;
  for (int k = 1; k <= count; ++k) lines.push_back({stem + std::to_string(k), "", "0"});
  return lines;
}

using Persistence = InputTest;

TEST_F(Persistence, SecondRunKeepsWhatItsFileDoesNotGive) {
  KvtWriter first = ScalarSection();
  first.Scalar(10001, "100", "1")
      .Scalar(10005, "3056", "1")
      .Scalar(44, "4", "0")
      .TextScalar(15071, "ABCD")
      .TextScalar(16001, "short one")
      .TextScalar(17001, "long one")
      .TextScalar(17005, "tag")
      .TextScalar(21000, "", "12")
      .InputArray();
  first.Group(15021, Names("B", 20))
      .Group(15001, Names("A", 3))
      .Group(15081, Names("C", 3))
      .Group(16001, Names("D", 2))
      .Group(15200, Names("N", 4))
      .Group(13001, Names("T", 2))
      .Group(14001, Names("H", 2))
      .Group(18001, Names("R", 2))
      .Group(21001, Names("L", 2))
      .ValueGroup(21002, 3, 1.0, 1.0)
      .ValueGroup(20000, 2, 100.0, 10.0)
      .ValueGroup(20002, 1, 5.0, 0.0);
  ASSERT_EQ(Read(first.Bytes()), 0);
  LevelValuesAt(103, 1, 1) = 42.0f;  // as a curve preparation would leave it
  TemperatureOrderAt(1, 1, 1) = 2;

  KvtWriter second = ScalarSection();
  second.Scalar(10001, "200", "0").InputArray();
  second.Group(15021, Names("b", 5)).Group(15200, Names("n", 2));
  ASSERT_EQ(Read(second.Bytes()), 0);

  // Not cleared: scalars and flags, the code text, list B, list D, the
  // numbers of the numbered lists, the series, and in the curves the level
  // values 103 and 104 and the ordered lists.
  EXPECT_EQ(InputScalarAt(10001), 200.0f);
  EXPECT_EQ(InputScalarAt(10005), 3056.0f);
  EXPECT_EQ(InputSourceFlagAt(44), 0.0f);
  EXPECT_EQ(InputScalarAt(44), 4.0f);
  EXPECT_EQ(std::string(g_inputTextItems.codeText, 4), "ABCD");
  EXPECT_EQ(Trimmed(g_inputNameLists.listB[0], 40), "b1");
  EXPECT_EQ(Trimmed(g_inputNameLists.listB[4], 40), "b5");
  EXPECT_EQ(Trimmed(g_inputNameLists.listB[5], 40), "B6");
  EXPECT_EQ(Trimmed(g_inputNameLists.listB[19], 40), "B20");
  EXPECT_EQ(Trimmed(g_inputNameLists.listD[1], 40), "D2");
  EXPECT_EQ(g_inputNameLists.numbered[0].number[3], 4.0f);
  EXPECT_EQ(InputScalarAt(19), 2.0f);
  EXPECT_EQ(g_inputSeries.series21002[2], 3.0f);
  EXPECT_EQ(LevelValuesAt(103, 1, 1), 42.0f);
  EXPECT_EQ(TemperatureOrderAt(1, 1, 1), 2);

  // Blanked by every read: lists A and C, the numbered lists' texts, the text
  // lines, the long lines and their count, and the texts of indices 16001 to
  // 17010; the curves are reset.
  EXPECT_EQ(Trimmed(g_inputNameLists.listA[0], 40), "");
  EXPECT_EQ(Trimmed(g_inputNameLists.listC[2], 40), "");
  EXPECT_EQ(Trimmed(g_inputNameLists.numbered[0].text[1], 40), "n2");
  EXPECT_EQ(Trimmed(g_inputNameLists.numbered[0].text[3], 40), "");
  EXPECT_EQ(Trimmed(g_inputTextLines.group13001[0], 80), "");
  EXPECT_EQ(Trimmed(g_inputTextLines.group14001[1], 80), "");
  EXPECT_EQ(Trimmed(g_inputTextLines.group18001[0], 80), "");
  EXPECT_EQ(Trimmed(g_inputLongLines.line[0], 400), "");
  EXPECT_EQ(g_inputLongLines.count, 0);
  EXPECT_EQ(Trimmed(g_inputTextItems.shortList[0], 20), "");
  EXPECT_EQ(Trimmed(g_inputTextItems.longText[0], 256), "");
  EXPECT_EQ(Trimmed(g_inputTextItems.tags[0], 8), "");
  EXPECT_EQ(CurveValuesAt(1, 1, 1, 20), kMissingValue);
  EXPECT_EQ(LevelPressuresAt(1, 1), kMissingValue);
}

// The record fields keep their values from one read to the next, across runs
// too: a first record of the next file that leaves items out takes them from
// the last record of the run before.
TEST_F(Persistence, RecordFieldsCarryOver) {
  KvtWriter first = ScalarSection();
  first.Scalar(10001, "100", "1");
  ASSERT_EQ(Read(first.Bytes()), 0);
  EXPECT_EQ(g_inputRecord.index, 10001);
  EXPECT_EQ(Trimmed(g_inputRecord.sourceFlag, 80), "1");

  // The application record gives only keyword and name: its index and value
  // are those of the first run's last record.
  KvtWriter second;
  second.Heading()
      .Line("'[BeginApplication]','VESKAR'/")
      .Line("'[Input-Scalar]'/")
      .Line(",,,'0',44/");
  ASSERT_EQ(Read(second.Bytes()), 0);
  EXPECT_EQ(InputScalarAt(6), 100.0f);
  EXPECT_EQ(InputScalarAt(44), 100.0f);
  EXPECT_EQ(InputSourceFlagAt(44), 0.0f);
  EXPECT_EQ(g_inputRecord.index, 44);
}

}  // namespace
