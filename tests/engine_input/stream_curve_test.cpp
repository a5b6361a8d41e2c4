// The stream curve groups: where their lines go, the magnitude of property 17,
// the reset before a read and the completion after it.
#include <gtest/gtest.h>

#include <string>

#include "curves/stream_curve_block.h"
#include "engine/input/run_input_reader.h"
#include "engine/input/stream_curve_input.h"
#include "input_fixture.h"
#include "support/kvt_writer.h"

namespace {

using input_test::ArraySection;
using input_test::Bits;
using input_test::InputTest;
using input_test::Read;
using input_test::TextLines;
using testing_support::KvtWriter;

using StreamCurveInput = InputTest;

TEST_F(StreamCurveInput, TemperatureLinesFillLevelsInTurn) {
  KvtWriter w = ArraySection();
  w.ValueGroup(20000, 46, 1.0, 1.0);
  EXPECT_EQ(Read(w.Bytes()), 0);
  EXPECT_EQ(CurveValuesAt(1, 1, 1, 20), 1.0f);
  EXPECT_EQ(CurveValuesAt(23, 1, 1, 20), 23.0f);
  EXPECT_EQ(CurveValuesAt(1, 2, 1, 20), 24.0f);
  EXPECT_EQ(CurveValuesAt(23, 2, 1, 20), 46.0f);
  EXPECT_EQ(CurveValuesAt(1, 3, 1, 20), kMissingValue);
  EXPECT_EQ(CurveValuesAt(1, 1, 2, 20), kMissingValue);
}

// A group of 70 lines reads all of them, but line 70 lands nowhere: it does
// not reach the next stream, nor the record's value field.
TEST_F(StreamCurveInput, LinesBeyondTheStreamLandNowhere) {
  KvtWriter w = ArraySection();
  w.ValueGroup(20000, 70, 1.0, 1.0).ValueGroup(300, 1, 9.0, 0.0);
  EXPECT_EQ(Read(w.Bytes()), 0);
  EXPECT_EQ(CurveValuesAt(23, 3, 1, 20), 69.0f);
  EXPECT_EQ(CurveValuesAt(1, 1, 2, 20), kMissingValue);
  EXPECT_EQ(g_streamCurves.CurveValues[19][1][0][0], kMissingValue);
  EXPECT_EQ(InputScalarAt(300), 9.0f);

  KvtWriter pressures = ArraySection();
  pressures.ValueGroup(20000, 1, 10.0, 0.0).ValueGroup(20002, 4, 1.0, 1.0);
  EXPECT_EQ(Read(pressures.Bytes()), 0);
  EXPECT_EQ(LevelPressuresAt(1, 1), 1.0f);
  EXPECT_EQ(LevelPressuresAt(1, 2), kMissingValue);
  EXPECT_EQ(g_inputRecord.value, 4.0f);
}

TEST_F(StreamCurveInput, PressuresAndTheCompletion) {
  KvtWriter w = ArraySection();
  // Stream 1: temperatures on level 1 only, pressures for levels 1 and 2.
  w.ValueGroup(20000, 3, 100.0, 10.0).ValueGroup(20002, 2, 5.0, 1.0);
  // Stream 2: temperatures on level 2, no pressures.
  w.GroupHeader(20001, "24");
  for (int k = 1; k <= 23; ++k) w.Line("'','',/");
  w.Line("'','',300");
  EXPECT_EQ(Read(w.Bytes()), 0);
  EXPECT_EQ(LevelPressuresAt(1, 1), 5.0f);
  EXPECT_EQ(LevelPressuresAt(2, 1), kMissingValue);  // a pressure without points
  EXPECT_EQ(LevelPressuresAt(3, 1), kMissingValue);
  EXPECT_EQ(CurveValuesAt(1, 2, 2, 20), 300.0f);
  EXPECT_EQ(LevelPressuresAt(2, 2), kMissingValue);  // points without a pressure
  for (int level = 1; level <= 3; ++level) EXPECT_EQ(LevelPressuresAt(level, 3), kMissingValue);

  // Stream 3 gets the pressure 1.0 on level 1 once any level has a point; its
  // pressures cannot come from the file.
  KvtWriter third = ArraySection();
  third.GroupHeader(20100, "47");
  for (int k = 1; k <= 46; ++k) third.Line("'','',/");
  third.Line("'','',50");
  third.ValueGroup(20102, 3, 7.0, 1.0).ValueGroup(20103, 3, 7.0, 1.0);
  EXPECT_EQ(Read(third.Bytes()), 0);
  EXPECT_EQ(CurveValuesAt(1, 3, 3, 20), 50.0f);
  EXPECT_EQ(LevelPressuresAt(1, 3), 1.0f);
  EXPECT_EQ(LevelPressuresAt(2, 3), kMissingValue);
  EXPECT_EQ(LevelPressuresAt(3, 3), kMissingValue);
}

TEST_F(StreamCurveInput, PropertySeventeenAsItsMagnitude) {
  KvtWriter w = ArraySection();
  w.ValueGroup(20000, 4, 100.0, 10.0)
      .ValueGroup(20001, 4, 100.0, 10.0)
      .ValueGroup(20100, 4, 1.0, 1.0);
  w.Group(20036, {{"", "", "-5.0"}, {"", "", "-1.0E35"}, {"", "", "2.5"}});
  w.GroupHeader(20037, "2").Line("'','',/").Line("'','',-1.0E35");
  w.Group(20042, {{"", "", "-5.0"}});
  w.Group(20038, {{"", "", "-5.0"}});
  w.Group(20136, {{"", "", "-6"}});
  w.Group(20137, {{"", "", "/"}, {"", "", "-7"}});
  EXPECT_EQ(Read(w.Bytes()), 0);
  EXPECT_EQ(CurveValuesAt(1, 1, 1, 17), 5.0f);
  // A missing value stays missing: its magnitude would count as present.
  EXPECT_EQ(Bits(CurveValuesAt(2, 1, 1, 17)), Bits(kMissingValue));
  EXPECT_EQ(CurveValuesAt(3, 1, 1, 17), 2.5f);
  EXPECT_EQ(Bits(CurveValuesAt(1, 1, 2, 17)), Bits(kMissingValue));  // not given: the reset's
  EXPECT_EQ(Bits(CurveValuesAt(2, 1, 2, 17)), Bits(kMissingValue));
  EXPECT_EQ(CurveValuesAt(1, 1, 2, 21), -5.0f);
  EXPECT_EQ(CurveValuesAt(1, 1, 1, 18), -5.0f);
  EXPECT_EQ(CurveValuesAt(1, 1, 3, 17), 6.0f);  // 20137 gave nothing on line 1
  EXPECT_EQ(CurveValuesAt(2, 1, 3, 17), 7.0f);
}

TEST_F(StreamCurveInput, LaterGroupOfAPairWins) {
  KvtWriter w = ArraySection();
  w.ValueGroup(20100, 3, 1.0, 1.0);
  w.ValueGroup(20104, 3, 10.0, 1.0);
  w.Group(20105, {{"", "", "20"}, {"", "", "/"}});
  EXPECT_EQ(Read(w.Bytes()), 0);
  EXPECT_EQ(CurveValuesAt(1, 1, 3, 1), 20.0f);
  EXPECT_EQ(CurveValuesAt(2, 1, 3, 1), 11.0f);  // the second line of 20105 gave nothing
  EXPECT_EQ(CurveValuesAt(3, 1, 3, 1), 12.0f);
}

TEST_F(StreamCurveInput, NoCurveGroupLeavesEverythingMissing) {
  g_streamCurves.CurveValues[3][1][2][4] = 1.0f;
  g_streamCurves.LevelPressures[2][0] = 1.0f;
  EXPECT_EQ(Read(ArraySection().ValueGroup(100, 1, 1.0, 0.0).Bytes()), 0);
  for (int s = 1; s <= 3; ++s) {
    for (int l = 1; l <= 3; ++l) {
      EXPECT_EQ(LevelPressuresAt(l, s), kMissingValue);
      for (int p = 1; p <= 23; ++p) {
        for (int q = 1; q <= 21; ++q) ASSERT_EQ(CurveValuesAt(p, l, s, q), kMissingValue);
      }
    }
  }
}

TEST_F(StreamCurveInput, PointWithoutTemperatureIsMissingEverywhere) {
  KvtWriter w = ArraySection();
  w.GroupHeader(20000, "2").Line("'','',100").Line("'','',/");
  w.ValueGroup(20004, 2, 1.0, 1.0).ValueGroup(20040, 2, 1.0, 1.0);
  EXPECT_EQ(Read(w.Bytes()), 0);
  EXPECT_EQ(CurveValuesAt(1, 1, 1, 1), 1.0f);
  EXPECT_EQ(CurveValuesAt(1, 1, 1, 19), 1.0f);
  EXPECT_EQ(CurveValuesAt(2, 1, 1, 1), kMissingValue);
  EXPECT_EQ(CurveValuesAt(2, 1, 1, 19), kMissingValue);
}

TEST_F(StreamCurveInput, ResetAndFinishDirectly) {
  // The reset leaves the level values 103 and 104 and the lists alone.
  LevelValuesAt(101, 1, 1) = 5.0f;
  LevelValuesAt(102, 2, 2) = 5.0f;
  LevelValuesAt(103, 1, 1) = 6.0f;
  LevelValuesAt(104, 3, 3) = 7.0f;
  TemperatureOrderAt(1, 1, 1) = 3;
  LevelOrderAt(1, 2) = 2;
  SecondAxisOrderAt(23, 3, 3) = 4;
  TemperatureAxisCopyAt(5, 2, 1) = 1.0f;
  SecondAxisCopyAt(5, 2, 1) = 1.0f;
  ExtraColumnsAt(23, 3, 3, 50) = 1.0f;
  ResetStreamCurves();
  EXPECT_EQ(LevelValuesAt(101, 1, 1), kMissingValue);
  EXPECT_EQ(LevelValuesAt(102, 2, 2), kMissingValue);
  EXPECT_EQ(LevelValuesAt(103, 1, 1), 6.0f);
  EXPECT_EQ(LevelValuesAt(104, 3, 3), 7.0f);
  EXPECT_EQ(LevelValuesAt(103, 2, 1), 0.0f);
  EXPECT_EQ(TemperatureOrderAt(1, 1, 1), 3);
  EXPECT_EQ(LevelOrderAt(1, 2), 2);
  EXPECT_EQ(SecondAxisOrderAt(23, 3, 3), 4);
  EXPECT_EQ(TemperatureAxisCopyAt(5, 2, 1), kMissingValue);
  EXPECT_EQ(SecondAxisCopyAt(5, 2, 1), kMissingValue);
  EXPECT_EQ(ExtraColumnsAt(23, 3, 3, 50), kMissingValue);

  // The completion blanks the extra columns with their point; a present
  // temperature keeps them, however large and negative it is, also below the
  // missing value.
  CurveValuesAt(4, 1, 2, 20) = -1.0E34f;
  CurveValuesAt(1, 3, 2, 20) = -1.0E36f;
  CurveValuesAt(1, 3, 2, 3) = 2.0f;
  LevelPressuresAt(3, 2) = 4.0f;
  ExtraColumnsAt(4, 1, 2, 7) = 2.0f;
  ExtraColumnsAt(5, 1, 2, 7) = 2.0f;
  CurveValuesAt(5, 1, 2, 3) = 2.0f;
  LevelPressuresAt(1, 2) = 4.0f;
  LevelPressuresAt(2, 2) = 4.0f;
  FinishStreamCurves();
  EXPECT_EQ(ExtraColumnsAt(4, 1, 2, 7), 2.0f);
  EXPECT_EQ(ExtraColumnsAt(5, 1, 2, 7), kMissingValue);
  EXPECT_EQ(CurveValuesAt(5, 1, 2, 3), kMissingValue);
  EXPECT_EQ(LevelPressuresAt(1, 2), 4.0f);
  EXPECT_EQ(LevelPressuresAt(2, 2), kMissingValue);
  EXPECT_EQ(CurveValuesAt(1, 3, 2, 3), 2.0f);
  EXPECT_EQ(LevelPressuresAt(3, 2), 4.0f);
}

// The curves are finished on a path that ends with status 1 too.
TEST_F(StreamCurveInput, FinishedAfterAReadError) {
  KvtWriter w = ArraySection();
  w.ValueGroup(20003, 1, 2.0, 0.0).GroupHeader(20001, "2").Line("'','',100").Line("'','',bad");
  EXPECT_EQ(Read(w.Bytes()), 1);
  EXPECT_EQ(CurveValuesAt(1, 1, 2, 20), 100.0f);
  EXPECT_EQ(LevelPressuresAt(1, 2), 2.0f);
  EXPECT_EQ(LevelPressuresAt(1, 1), kMissingValue);
  TextLines none("");
  int64_t status = 0;
  g_streamCurves.LevelPressures[0][0] = 3.0f;
  ReadRunInputFrom(&none.source, "VESKAR", 6, &status);
  EXPECT_EQ(status, 1);
  EXPECT_EQ(LevelPressuresAt(1, 1), kMissingValue);
}

}  // namespace
