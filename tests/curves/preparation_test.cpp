// Each phase of the curve preparation on small fixtures, the two sorts, the
// stream reset and the queries over a prepared block. Expected values are
// worked by hand on power-of-two spacings, so they are exact.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "curve_fixture.h"

namespace curve_test {
namespace {

using List = std::vector<int64_t>;
using Values = std::vector<float>;

// ---- Sorts -----------------------------------------------------------------

TEST_F(CurveTest, SortKeepsPresentValuesAscendingAndStable) {
  const float values[6] = {5, M, 3, 5, -2, 3};
  int64_t list[6] = {9, 9, 9, 9, 9, 9};
  SortValidPoints(list, values, 6);
  EXPECT_EQ(ListOf(list, 6), (List{5, 3, 6, 1, 4}));
  EXPECT_EQ(list[5], 0);
}

TEST_F(CurveTest, SortListsEveryValueButTheExactMissingOne) {
  // The floats on either side of -1.0E35 and -1.0E34 are present values.
  const float values[4] = {std::nextafter(M, 0.0f), M, std::nextafter(M, -1.0E38f), -1.0E34f};
  int64_t list[4] = {9, 9, 9, 9};
  SortValidPoints(list, values, 4);
  EXPECT_EQ(ListOf(list, 4), (List{3, 1, 4}));
  EXPECT_EQ(list[3], 0);
}

TEST_F(CurveTest, SortWithNothingOrOnePresent) {
  int64_t list[3] = {9, 9, 9};
  const float none[3] = {M, M, M};
  SortValidPoints(list, none, 3);
  EXPECT_EQ(ListOf(list, 3), List{});
  const float one[3] = {M, 7, M};
  SortValidPoints(list, one, 3);
  EXPECT_EQ(ListOf(list, 3), List{2});
  EXPECT_EQ(list[1], 0);
  SortValidPoints(list, one, 0);  // n of 0 writes nothing
  EXPECT_EQ(list[0], 2);
}

TEST_F(CurveTest, CheckedSortFlagsEqualValuesWithDifferentSecondValues) {
  int64_t list[4];
  int64_t flag = 7;
  const float values[4] = {20, 10, 20, 30};
  const float sameSecond[4] = {1, 2, 1, 4};
  SortValidPointsChecked(list, values, sameSecond, 4, &flag);
  EXPECT_EQ(flag, 0);
  EXPECT_EQ(ListOf(list, 4), (List{2, 1, 3, 4}));
  const float otherSecond[4] = {1, 2, 3, 4};
  SortValidPointsChecked(list, values, otherSecond, 4, &flag);
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(ListOf(list, 4), (List{2, 1, 3, 4}));  // stopped before entry 3 moved on
  SortValidPointsChecked(list, values, otherSecond, 1, &flag);
  EXPECT_EQ(flag, 0);
  EXPECT_EQ(ListOf(list, 1), List{1});
}

// ---- Phases 1 and 2: axis copies and clean-up -------------------------------

TEST_F(CurveTest, AxisCopiesFollowTheTemperature) {
  SetLevel(1, 1, 2.0f, {16, M, 48}, {1, 2, 3});
  SetProperty(1, 1, 1, {5, 6, 7});
  PrepareStreamCurves();
  EXPECT_EQ(TemperatureAxisCopyAt(1, 1, 1), 16.0f);
  EXPECT_EQ(SecondAxisCopyAt(1, 1, 1), 1.0f);
  EXPECT_EQ(TemperatureAxisCopyAt(2, 1, 1), M);
  EXPECT_EQ(SecondAxisCopyAt(2, 1, 1), M);
  EXPECT_EQ(CurveValuesAt(2, 1, 1, 17), M);  // no temperature: no second axis either
  EXPECT_EQ(CurveValuesAt(2, 1, 1, 1), 6.0f);
  EXPECT_EQ(TemperatureList(1, 1), (List{1, 3}));
  EXPECT_EQ(SecondAxisList(1, 1), (List{1, 3}));
}

TEST_F(CurveTest, APointWithOnlyATemperatureLeavesLevelsThatHaveAPressure) {
  // Points 4 and 5 have nothing but a temperature and property 21 or 1: they
  // stay.
  SetLevel(1, 1, 2.0f, {16, 32, 48, 64, 80}, {1, M, 3, M, M});
  CurveValuesAt(4, 1, 1, 21) = 5;
  CurveValuesAt(5, 1, 1, 1) = 5;
  SetLevel(1, 2, M, {16, 32, 48}, {1, M, 3});  // no pressure: no clean-up
  PrepareStreamCurves();
  EXPECT_EQ(TemperatureAxisCopyAt(2, 1, 1), M);
  EXPECT_EQ(CurveValuesAt(2, 1, 1, 20), 32.0f);
  EXPECT_EQ(TemperatureList(1, 1), (List{1, 3, 4, 5}));
  EXPECT_EQ(TemperatureList(1, 2), (List{1, 2, 3}));
}

TEST_F(CurveTest, OfIdenticalPointsOnlyTheLastStays) {
  SetLevel(2, 1, 2.0f, {32, 16, 32, 32}, {1, 2, 1, 1});
  SetProperty(2, 1, 1, {5, 6, 5, 5});
  PrepareStreamCurves();
  for (int64_t p : {1, 3}) {  // points 1 and 3 go, point 4 stays
    EXPECT_EQ(TemperatureAxisCopyAt(p, 1, 2), M) << p;
    EXPECT_EQ(SecondAxisCopyAt(p, 1, 2), M) << p;
    EXPECT_EQ(CurveValuesAt(p, 1, 2, 17), M) << p;
    EXPECT_EQ(CurveValuesAt(p, 1, 2, 20), M) << p;
    EXPECT_EQ(CurveValuesAt(p, 1, 2, 1), 5.0f) << p;  // the rest of the point stays
  }
  EXPECT_EQ(TemperatureList(2, 1), (List{2, 4}));
  EXPECT_EQ(SecondAxisList(2, 1), (List{4, 2}));
}

TEST_F(CurveTest, PointsAlikeInAllButTheTemperatureBothStay) {
  SetLevel(2, 1, 2.0f, {16, 32}, {1, 1});
  SetProperty(2, 1, 1, {5, 5});
  PrepareStreamCurves();
  EXPECT_EQ(TemperatureList(2, 1), (List{1, 2}));
  EXPECT_EQ(CurveValuesAt(1, 1, 2, 20), 16.0f);
}

TEST_F(CurveTest, AnyDifferenceKeepsBothPointsAndTheSearchEndsAtTheFirstMatch) {
  // Points 1 and 3 are identical, point 2 between them differs in property 1.
  SetLevel(2, 1, 2.0f, {32, 32, 32}, {1, 1, 1});
  SetProperty(2, 1, 1, {5, 6, 5});
  // Two points that differ in property 21 only.
  SetLevel(2, 2, 2.0f, {32, 32}, {1, 1});
  SetProperty(2, 2, 21, {5, 6});
  PrepareStreamCurves();
  EXPECT_EQ(TemperatureList(2, 1), (List{1, 2, 3}));
  EXPECT_EQ(SecondAxisList(2, 1), (List{1, 2, 3}));
  EXPECT_EQ(TemperatureList(2, 2), (List{1, 2}));
}

// ---- Phase 3 and 4: lists ----------------------------------------------------

TEST_F(CurveTest, EqualTemperaturesWithDifferentSecondAxisTakeTheSecondAxisOrder) {
  // Point 4 has no second-axis value, so it drops out of both lists.
  for (int64_t stream : {1, 2, 3}) {
    SetLevel(stream, 1, 1.0f, {32, 16, 32, 48}, {1, 2, 3, M});
    SetProperty(stream, 1, 1, {1, 1, 1, 1});
  }
  PrepareStreamCurves();
  EXPECT_EQ(SecondAxisList(1, 1), (List{1, 2, 3}));
  EXPECT_EQ(TemperatureList(1, 1), (List{3, 2, 1}));  // reversed for stream 1
  EXPECT_EQ(TemperatureList(2, 1), (List{1, 2, 3}));
  EXPECT_EQ(TemperatureList(3, 1), (List{1, 2, 3}));
  EXPECT_EQ(TemperatureOrderAt(4, 1, 1), 0);
}

TEST_F(CurveTest, ListsAreRebuiltFromScratch) {
  for (int64_t i = 1; i <= kCurvePoints; ++i) {
    TemperatureOrderAt(i, 1, 1) = 5;
    SecondAxisOrderAt(i, 2, 1) = 5;
  }
  LevelOrderAt(3, 1) = 2;
  SetLevel(1, 1, 2.0f, {48, 16}, {2, 1});
  PrepareStreamCurves();
  EXPECT_EQ(TemperatureList(1, 1), (List{2, 1}));
  EXPECT_EQ(SecondAxisList(1, 2), List{});
  EXPECT_EQ(LevelList(1), List{1});
  EXPECT_EQ(LevelOrderAt(3, 1), 0);
}

TEST_F(CurveTest, LevelsAreOrderedByPressure) {
  SetLevel(1, 1, 3.0f, {16}, {1});
  SetLevel(1, 3, 1.0f, {16}, {1});
  SetLevel(2, 1, 2.0f, {16}, {1});
  SetLevel(2, 2, 2.0f, {16}, {1});
  SetLevel(2, 3, -1.0f, {16}, {1});
  PrepareStreamCurves();
  EXPECT_EQ(LevelList(1), (List{3, 1}));
  EXPECT_EQ(LevelList(2), (List{3, 1, 2}));
  EXPECT_EQ(LevelList(3), List{});
}

// ---- Phase 5: repair ---------------------------------------------------------

TEST_F(CurveTest, RepairOfThePropertiesThatMustBePositive) {
  struct Case {
    const char* what;
    int64_t k;
    Values before, after;
  };
  // Temperatures 16, 32, 48, 64, 80 at points 1..5.
  const Case cases[] = {
      {"no good point: unchanged", 5, {0, -1, M, 0, 0}, {0, -1, M, 0, 0}},
      {"one good point everywhere", 6, {0, 4, M, -2, 0}, {4, 4, 4, 4, 4}},
      {"two good points, in and out", 7, {0, 2, 0, 4, 0}, {1, 2, 3, 4, 5}},
      {"between and below the first of three", 8, {0, 8, 0, 4, 2}, {10, 8, 6, 4, 2}},
      {"above the last of three", 9, {2, 4, 8, 0, 0}, {2, 4, 8, 12, 16}},
      {"negative extrapolation takes the first good value",
       10,
       {0, 1, 8, M, 12},
       {1, 1, 8, 10, 12}},
      {"an exact 0.0 stays", 11, {4, 2, 0, 0, 0}, {4, 2, 0, 2, 2}},
      {"property 16", 16, {0, 2, 0, 4, 0}, {1, 2, 3, 4, 5}},
      {"property 21", 21, {M, M, 3, M, M}, {3, 3, 3, 3, 3}},
      {"property 4 is not repaired", 4, {0, 2, 0, 4, 0}, {0, 2, 0, 4, 0}},
      {"property 1 is not repaired", 1, {0, 2, 0, 4, 0}, {0, 2, 0, 4, 0}},
      {"property 18 is not repaired", 18, {0, 2, 0, 4, 0}, {0, 2, 0, 4, 0}},
  };
  SetLevel(1, 1, 2.0f, {16, 32, 48, 64, 80}, {1, 2, 3, 4, 5});
  for (const Case& c : cases) {
    int64_t p = 1;
    for (float v : c.before) CurveValuesAt(p++, 1, 1, c.k) = v;
  }
  PrepareStreamCurves();
  for (const Case& c : cases) EXPECT_EQ(PropertyOf(1, 1, c.k, 5), c.after) << c.what;
}

TEST_F(CurveTest, RepairFollowsTheTemperatureListAndSkipsUnlistedPoints) {
  // Listed by temperature: 2 (16), 3 (32), 1 (48), 5 (64); point 4 has no
  // temperature, point 5 no second-axis value (it is repaired all the same:
  // 2 + (2 / 16) * 48).
  SetLevel(2, 2, M, {48, 16, 32, M, 64}, {1, 2, 3, 4, M});
  SetProperty(2, 2, 5, {0, 2, 4, 0, 0});
  PrepareStreamCurves();
  EXPECT_EQ(PropertyOf(2, 2, 5, 5), (Values{6, 2, 4, 0, 8}));
}

TEST_F(CurveTest, RepairWithATemperatureThatComparesWithNothingTakesTheLastPair) {
  // Point 3's temperature is NaN: it stays where it is in the list, and the
  // point after it finds no good pair to the right of its temperature.
  const float nan = std::numeric_limits<float>::quiet_NaN();
  SetLevel(1, 1, 2.0f, {16, 48, nan, 64}, {1, 2, 3, 4});
  SetProperty(1, 1, 5, {2, 8, 4, 0});
  SetProperty(1, 1, 6, {2, 8, 0, 6});
  PrepareStreamCurves();
  ASSERT_EQ(TemperatureList(1, 1), (List{1, 2, 3, 4}));
  EXPECT_TRUE(std::isnan(CurveValuesAt(4, 1, 1, 5)));  // a NaN abscissa in the last pair
  EXPECT_TRUE(std::isnan(CurveValuesAt(3, 1, 1, 6)));
  EXPECT_EQ(PropertyOf(1, 1, 5, 3), (Values{2, 8, 4}));
}

// ---- Phase 6: per-level values -----------------------------------------------

struct LevelValueRow {
  float t1, s1, t0, s0;  // tables 101, 103, 102, 104
};

LevelValueRow RowOf(int64_t level, int64_t stream) {
  return {LevelValuesAt(101, level, stream), LevelValuesAt(103, level, stream),
          LevelValuesAt(102, level, stream), LevelValuesAt(104, level, stream)};
}

void ExpectRow(int64_t level, int64_t stream, LevelValueRow expected, const char* what) {
  const LevelValueRow got = RowOf(level, stream);
  EXPECT_EQ(got.t1, expected.t1) << what << ": 101";
  EXPECT_EQ(got.s1, expected.s1) << what << ": 103";
  EXPECT_EQ(got.t0, expected.t0) << what << ": 102";
  EXPECT_EQ(got.s0, expected.s0) << what << ": 104";
}

// The same three levels on streams 1, 2 and 3:
//   level 1: property 4 is 1 at two points and 0 at two points (matches);
//   level 2: property 4 never 1 or 0 (extrapolation from one end);
//   level 3: property 4 falls away from both targets (0.0 results).
class LevelValueTest : public CurveTest {
 protected:
  void SetUp() override {
    CurveTest::SetUp();
    for (int64_t stream = 1; stream <= 3; ++stream) {
      SetLevel(stream, 1, 1.0f, {16, 32, 48, 64}, {1, 2, 3, 4});
      SetProperty(stream, 1, 4, {1, 1, 0, 0});
      SetLevel(stream, 2, 2.0f, {48, 64, 72}, {2, 3, 4});
      SetProperty(stream, 2, 4, {0.25f, 0.5f, 0.625f});
      SetLevel(stream, 3, 3.0f, {48, 64, 80}, {2, 3, 4});
      SetProperty(stream, 3, 4, {0.75f, 0.5f, 0.25f});
      LevelValuesAt(103, 1, stream) = 55;  // stale values of an earlier run
      LevelValuesAt(104, 1, stream) = 55;
      LevelValuesAt(103, 3, stream) = 55;
      LevelValuesAt(104, 3, stream) = 55;
    }
    PrepareStreamCurves();
  }
};

TEST_F(LevelValueTest, MatrixOfStreamsTargetsAndCases) {
  // Matches: stream 1 keeps the last 1 and the first 0, stream 2 the first 1
  // and the last 0.
  ExpectRow(1, 1, {32, 2, 48, 3}, "stream 1, matches");
  ExpectRow(1, 2, {16, 1, 64, 4}, "stream 2, matches");
  // Extrapolation. Stream 1: target 1 from the start (points 1, 2), target 0
  // from the end (points 3, 2). Stream 2 the other way round.
  //   s1 t1: 48 + (16 / 0.25) * 0.75 = 96;  103: 2 + (1 / 0.25) * 0.75 = 5
  //   s1 t0: 72 + (-8 / -0.125) * -0.625 = 32;  104: 4 + 8 * -0.625 = -1 -> 3
  //   s2 t1: 72 + 64 * 0.375 = 96;  103: 4 + 8 * 0.375 = 7
  //   s2 t0: 48 + 64 * -0.25 = 32;  104: 2 + 4 * -0.25 = 1
  ExpectRow(2, 1, {96, 5, 32, 3}, "stream 1, extrapolated");
  ExpectRow(2, 2, {96, 7, 32, 1}, "stream 2, extrapolated");
  // Stream 1 on level 3: target 1 from the start gives 48 + (16 / -0.25) *
  // 0.25 = 32, below both ends; target 0 from the end gives 80 + (-16 / 0.25)
  // * -0.25 = 96, above both ends.
  ExpectRow(3, 1, {0, 0, 0, 0}, "stream 1, beyond both ends");
  // Stream 2 on level 3: target 1 from the end (points 3, 2) gives
  // 80 + (-16 / 0.25) * 0.75 = 32, below both; target 0 from the start
  // (points 1, 2) gives 48 + (16 / -0.25) * -0.75 = 96, above both.
  ExpectRow(3, 2, {0, 0, 0, 0}, "stream 2, beyond both ends");
}

TEST_F(LevelValueTest, StreamThreeGetsNone) {
  for (int64_t level = 1; level <= 3; ++level) {
    EXPECT_EQ(LevelValuesAt(101, level, 3), M) << level;
    EXPECT_EQ(LevelValuesAt(102, level, 3), M) << level;
  }
  EXPECT_EQ(LevelValuesAt(103, 1, 3), 55.0f);
  EXPECT_EQ(LevelValuesAt(104, 2, 3), 0.0f);  // load-time zero
}

TEST_F(CurveTest, LevelValuesSkipPointsOfEqualTemperatureAtTheStartingEnd) {
  // Points 1 and 2 share 48, so b moves on to point 3.
  //   101: 48 + (16 / 0.25) * 0.75 = 96; 103: 1 + (4 / 0.25) * 0.75 = 13
  SetLevel(1, 1, 1.0f, {48, 48, 64}, {1, 2, 5});
  SetProperty(1, 1, 4, {0.25f, 0.375f, 0.5f});
  // All temperatures equal: b stops on the last point.
  //   101: 48 + (0 / 0.25) * 0.75 = 48;  103: 1 + (2 / 0.25) * 0.75 = 7
  SetLevel(1, 2, 2.0f, {48, 48, 48}, {1, 2, 3});
  SetProperty(1, 2, 4, {0.25f, 0.375f, 0.5f});
  // Temperatures 2^-24 apart count as equal too (closer than 1E-7):
  //   101: 0.5 + (0.25 / 0.25) * 0.75 = 1.25;  103: 1 + (2 / 0.25) * 0.75 = 7
  SetLevel(1, 3, 3.0f, {0.5f, 0.5f + 0x1p-24f, 0.75f}, {1, 2, 3});
  SetProperty(1, 3, 4, {0.25f, 0.375f, 0.5f});
  PrepareStreamCurves();
  EXPECT_EQ(LevelValuesAt(101, 1, 1), 96.0f);
  EXPECT_EQ(LevelValuesAt(103, 1, 1), 13.0f);
  EXPECT_EQ(LevelValuesAt(101, 2, 1), 48.0f);
  EXPECT_EQ(LevelValuesAt(103, 2, 1), 7.0f);
  EXPECT_EQ(LevelValuesAt(101, 3, 1), 1.25f);
  EXPECT_EQ(LevelValuesAt(103, 3, 1), 7.0f);
}

TEST_F(CurveTest, LevelValuesBetweenTwoPointsThatStraddleTheTarget) {
  // Property 4 runs 0.5 to 1.5 over T 48 to 64 (S 2 to 4) on both streams:
  // 1 lies inside, at T 56 (S 3); 0 lies below, at T 40 (S 1).
  for (int64_t stream : {1, 2}) {
    SetLevel(stream, 1, 1.0f, {48, 64}, {2, 4});
    SetProperty(stream, 1, 4, {0.5f, 1.5f});
  }
  PrepareStreamCurves();
  ExpectRow(1, 1, {56, 3, 40, 1}, "stream 1");
  ExpectRow(1, 2, {56, 3, 40, 1}, "stream 2");
}

TEST_F(CurveTest, ALocatorMatchesWithin1EMinus6) {
  // Point 3 is 2^-21 below 1 (a match), point 4 2^-19 above it (none), so
  // stream 1, which keeps the last match, takes point 3.
  SetLevel(1, 1, 1.0f, {16, 32, 48, 64}, {1, 2, 3, 4});
  SetProperty(1, 1, 4, {0.25f, 0.5f, 1.0f - 0x1p-21f, 1.0f + 0x1p-19f});
  PrepareStreamCurves();
  EXPECT_EQ(LevelValuesAt(101, 1, 1), 48.0f);
  EXPECT_EQ(LevelValuesAt(103, 1, 1), 3.0f);
}

TEST_F(CurveTest, LevelValuesOfOneOrNoSecondAxisPoint) {
  SetLevel(2, 1, 1.0f, {40, 56}, {M, 3});
  SetProperty(2, 1, 4, {1, 0.5f});
  SetLevel(2, 2, 2.0f, {40, 56}, {M, M});
  SetProperty(2, 2, 1, {1, 1});
  for (int64_t code = 101; code <= 104; ++code) LevelValuesAt(code, 2, 2) = 55;
  // Points but no pressure: not in the level list, so left alone.
  SetLevel(2, 3, M, {40, 56}, {1, 3});
  SetProperty(2, 3, 4, {1, 0});
  LevelValuesAt(103, 3, 2) = 55;
  LevelValuesAt(104, 3, 2) = 55;
  PrepareStreamCurves();
  ExpectRow(1, 2, {56, 3, 56, 3}, "a single second-axis point");
  ExpectRow(2, 2, {M, M, M, M}, "no second-axis point");
  ExpectRow(3, 2, {M, 55, M, 55}, "no pressure");
}

// ---- Stream reset and queries ------------------------------------------------

TEST_F(CurveTest, ClearStreamBlanksOneStreamsDataAndKeepsItsLists) {
  SetLevel(1, 1, 2.0f, {16, 32}, {1, 2});
  SetLevel(2, 1, 2.0f, {16, 32}, {1, 2});
  SetExtraColumn(1, 1, 1, {3, 4});
  PrepareStreamCurves();
  LevelValuesAt(103, 1, 1) = 9;
  static StreamCurves before;
  before = g_streamCurves;
  ClearStream(1);
  for (int64_t level = 1; level <= 3; ++level) {
    EXPECT_EQ(LevelPressuresAt(level, 1), M);
    EXPECT_EQ(LevelValuesAt(101, level, 1), M);
    EXPECT_EQ(LevelValuesAt(102, level, 1), M);
    for (int64_t p = 1; p <= kCurvePoints; ++p) {
      ASSERT_EQ(TemperatureAxisCopyAt(p, level, 1), M);
      ASSERT_EQ(SecondAxisCopyAt(p, level, 1), M);
      for (int64_t k = 1; k <= kCurveProperties; ++k) ASSERT_EQ(CurveValuesAt(p, level, 1, k), M);
    }
  }
  EXPECT_EQ(LevelValuesAt(103, 1, 1), 9.0f);
  EXPECT_EQ(ExtraColumnsAt(2, 1, 1, 1), 4.0f);
  EXPECT_EQ(TemperatureList(1, 1), (List{1, 2}));
  EXPECT_EQ(LevelList(1), List{1});
  // Stream 2 untouched.
  for (int64_t k = 0; k < kCurveProperties; ++k) {
    EXPECT_EQ(std::memcmp(before.CurveValues[k][1], g_streamCurves.CurveValues[k][1],
                          sizeof before.CurveValues[k][1]),
              0)
        << k + 1;
  }
  EXPECT_EQ(LevelPressuresAt(1, 2), 2.0f);
  EXPECT_EQ(TemperatureAxisCopyAt(2, 1, 2), 32.0f);
  before = g_streamCurves;
  ClearStream(0);
  ClearStream(4);
  EXPECT_EQ(std::memcmp(&before, &g_streamCurves, sizeof before), 0);
}

TEST_F(CurveTest, SpansOfALevel) {
  SetLevel(1, 1, 2.0f, {48, 16, 32}, {1, 3, 2});
  PrepareStreamCurves();
  float first = 1;
  float last = 1;
  TemperatureSpan(&first, &last, 1, 1);
  EXPECT_EQ(first, 16.0f);
  EXPECT_EQ(last, 48.0f);
  SecondAxisSpan(&first, &last, 1, 1);
  EXPECT_EQ(first, 1.0f);
  EXPECT_EQ(last, 3.0f);
  struct Case {
    int64_t level, stream;
  };
  for (const Case c : {Case{2, 1}, Case{4, 1}, Case{0, 1}, Case{1, 0}, Case{1, 4}}) {
    first = last = 1;
    TemperatureSpan(&first, &last, c.level, c.stream);
    EXPECT_EQ(first, M);
    EXPECT_EQ(last, M);
    first = last = 1;
    SecondAxisSpan(&first, &last, c.level, c.stream);
    EXPECT_EQ(first, M);
    EXPECT_EQ(last, M);
  }
}

TEST_F(CurveTest, MonotonicityAlongTheSecondAxis) {
  struct Case {
    const char* what;
    Values temperatures;
    int64_t expected;
  };
  const Case cases[] = {
      {"rising", {100, 110, 120}, 0},
      {"falling", {120, 110, 100}, 0},
      {"turning", {100, 110, 105}, 1},
      {"a step of 0.001 or less", {100, 100.001f, 120}, 2},
      {"a step of exactly 0.001", {0, 0.001f, 1}, 2},
      {"a flat step after a turn is found first", {100, 110, 105, 105}, 1},
      {"one point", {100}, 0},
  };
  for (const Case& c : cases) {
    ResetStreamCurveBlocksForTests();
    BlankLikeReader();
    LevelPressuresAt(1, 1) = 1.0f;
    int64_t p = 1;
    for (float t : c.temperatures) {
      CurveValuesAt(p, 1, 1, 20) = t;
      CurveValuesAt(p, 1, 1, 17) = static_cast<float>(p);
      ++p;
    }
    PrepareStreamCurves();
    EXPECT_EQ(TestCurveMonotonic(1), c.expected) << c.what;
  }
}

TEST_F(CurveTest, MonotonicityIsDecidedPerLevelWithAPressure) {
  SetLevel(1, 1, 1.0f, {100, 110, 120}, {1, 2, 3});
  SetLevel(1, 2, 2.0f, {120, 110, 100}, {1, 2, 3});
  SetLevel(1, 3, M, {100, 110, 105}, {1, 2, 3});  // no pressure: not looked at
  PrepareStreamCurves();
  EXPECT_EQ(TestCurveMonotonic(1), 0);
  EXPECT_EQ(TestCurveMonotonic(0), 0);
  EXPECT_EQ(TestCurveMonotonic(4), 0);
}

TEST_F(CurveTest, CountOfPressureLevels) {
  SetLevel(1, 1, 1.0f, {16}, {1});
  SetLevel(1, 3, -7.0f, {16}, {1});
  LevelPressuresAt(1, 2) = 5.0f;
  LevelPressuresAt(2, 2) = 5.0f;
  LevelPressuresAt(3, 2) = 5.0f;
  EXPECT_EQ(CountPressureLevels(1), 2);
  EXPECT_EQ(CountPressureLevels(2), 3);
  EXPECT_EQ(CountPressureLevels(3), 0);
  EXPECT_EQ(CountPressureLevels(0), 0);
  EXPECT_EQ(CountPressureLevels(4), 0);
}

TEST_F(CurveTest, AfterPreparationTheBlockKeepsItsPromises) {
  SetLevel(1, 1, 2.0f, {16, 32, M, 48}, {1, M, 3, 4});
  SetLevel(1, 2, 1.0f, {16}, {M});
  SetLevel(2, 3, 1.0f, {16, 16}, {2, 2});
  PrepareStreamCurves();
  for (int64_t s = 1; s <= 3; ++s) {
    for (int64_t l = 1; l <= 3; ++l) {
      for (int64_t p : SecondAxisList(s, l)) EXPECT_NE(TemperatureAxisCopyAt(p, l, s), M);
    }
    List withPressure;
    for (int64_t l = 1; l <= 3; ++l) {
      if (LevelPressuresAt(l, s) != M) withPressure.push_back(l);
    }
    List listed = LevelList(s);
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, withPressure) << s;
  }
}

}  // namespace
}  // namespace curve_test
