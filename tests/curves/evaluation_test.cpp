// Property lookup, blending between pressure levels, the bisection along the
// second axis, extra columns and the crossing searches, on prepared curves.
//
// Values marked "derive_expected.py" come from that script's four-byte
// arithmetic; the others are worked by hand on power-of-two spacings.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "curve_fixture.h"

namespace curve_test {
namespace {

// Stream 1: one level (pressure 2) along T = 16 S.
// Stream 2: two levels, level 2 at pressure 1 (T = 16 S) and level 1 at
// pressure 3 (T = 8 S), so the level list runs 2, 1.
// Stream 3: one level whose temperature turns back along the second axis.
class EvaluationTest : public CurveTest {
 protected:
  void SetUp() override {
    CurveTest::SetUp();
    SetLevel(1, 1, 2.0f, {16, 32, 48, 64}, {1, 2, 3, 4});
    SetProperty(1, 1, 1, {2, 4, 8, 16});
    SetProperty(1, 1, 2, {3, M, 5, 7});
    SetProperty(1, 1, 3, {M, 1, 2, 3});
    SetProperty(1, 1, 5, {4, 2, 1, 0.5f});
    SetExtraColumn(1, 1, 20, {8, 4, -4, -8});
    SetExtraColumn(1, 1, 4, {M, 1, 2, 3});

    SetLevel(2, 2, 1.0f, {16, 32, 48, 64}, {1, 2, 3, 4});
    SetProperty(2, 2, 1, {2, 4, 8, 16});
    SetLevel(2, 1, 3.0f, {16, 32, 48, 64}, {2, 4, 6, 8});
    SetProperty(2, 1, 1, {1, 2, 3, 4});

    SetLevel(3, 1, 1.0f, {16, 64, 32, 48}, {1, 2, 3, 4});
    SetProperty(3, 1, 1, {2, 4, 8, 16});
    PrepareStreamCurves();
  }
};

TEST_F(EvaluationTest, OneLevelAlongTheTemperatureAxis) {
  struct Case {
    int64_t code;
    float t;
    float expected;
  };
  const Case cases[] = {
      {1, 40, 6},        {1, 32, 4},  {1, 8, 1},
      {1, 0, 0},         {1, -16, 2},  // negative extrapolation of a non-negative code: first point
      {1, 32.00001f, 4},               // within 2E-5 of a point: that point's value exactly
      {5, 96, 0.5f},                   // negative above the end: last point
      {2, 40, 5},    // missing neighbour is -1E35, then corrected to the other end
      {3, 40, 0},    // first point missing: the level is dropped
      {20, 40, 40},  // the axis itself
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StreamProperty(1, c.code, c.t, 2.0f, 1), c.expected) << c.code << " at " << c.t;
  }
}

TEST_F(EvaluationTest, OneLevelGivesItsValueAtEveryPressure) {
  for (float pressure : {-50.0f, 0.0f, 2.0f, 1.0E6f}) {
    EXPECT_EQ(StreamProperty(1, 1, 40, pressure, 1), 6.0f) << pressure;
  }
}

TEST_F(EvaluationTest, OneLevelAlongTheSecondAxis) {
  EXPECT_EQ(StreamProperty(2, 1, 2.5f, 2.0f, 1), 6.0f);
  EXPECT_EQ(StreamProperty(2, 20, 2.5f, 2.0f, 1), 40.0f);
  EXPECT_EQ(StreamProperty(2, 20, -1.0f, 2.0f, 1), -16.0f);  // code 20 is never corrected
  EXPECT_EQ(StreamProperty(2, 17, 7.5f, 2.0f, 1), 7.5f);
  EXPECT_EQ(StreamProperty(3, 1, 2.5f, 2.0f, 1), 6.0f);  // any other axis is the second
  // Only axis 2 hands back its own abscissa; on axis 3 property 17 is
  // interpolated (-1 below the first point, corrected to that point's 1).
  EXPECT_EQ(StreamProperty(3, 17, -1.0f, 2.0f, 1), 1.0f);
}

TEST_F(EvaluationTest, TwoLevelsBlendLinearlyInPressure) {
  ASSERT_EQ(LevelList(2), (std::vector<int64_t>{2, 1}));
  // At T = 40: 6 on the level at pressure 1, 2.5 on the level at pressure 3.
  struct Case {
    float pressure;
    float expected;
  };
  const Case cases[] = {{1, 6},
                        {2, 4.25f},
                        {3, 2.5f},
                        {0, 7.75f},
                        {5, 2.5f}};  // -1 beyond the high level, corrected to its value
  for (const Case& c : cases) {
    EXPECT_EQ(StreamProperty(1, 1, 40, c.pressure, 2), c.expected) << c.pressure;
  }
}

TEST_F(EvaluationTest, OnlyTheExactMissingValueDropsALevel) {
  // The first temperature-ordered point holds -1.0E34 (and then the float
  // next to -1.0E35): present, so the level stays; 40 lies between 1 and 2.
  SetProperty(1, 1, 18, {-1.0E34f, 1, 2, 3});
  EXPECT_EQ(StreamProperty(1, 18, 40, 2.0f, 1), 1.5f);
  CurveValuesAt(1, 1, 1, 18) = std::nextafter(M, 0.0f);
  EXPECT_EQ(StreamProperty(1, 18, 40, 2.0f, 1), 1.5f);
  CurveValuesAt(1, 1, 1, 18) = M;
  EXPECT_EQ(StreamProperty(1, 18, 40, 2.0f, 1), 0.0f);
}

TEST_F(CurveTest, TheFirstPointByTemperatureDecidesWhetherALevelCounts) {
  // Temperatures fall along the second axis: point 4 comes first by
  // temperature, point 1 first by the second axis.
  SetLevel(1, 1, 2.0f, {64, 48, 32, 16}, {1, 2, 3, 4});
  SetProperty(1, 1, 2, {3, 5, 7, M});
  SetProperty(1, 1, 3, {M, 5, 6, 7});
  SetExtraColumn(1, 1, 1, {1, 2, 3, M});
  SetExtraColumn(1, 1, 2, {M, 2, 3, 4});
  PrepareStreamCurves();
  ASSERT_EQ(TemperatureList(1, 1), (std::vector<int64_t>{4, 3, 2, 1}));
  EXPECT_EQ(StreamProperty(1, 2, 40, 2.0f, 1), 0.0f);  // point 4 lacks it: dropped
  EXPECT_EQ(StreamProperty(2, 2, 2.5f, 2.0f, 1), 0.0f);
  EXPECT_EQ(StreamProperty(1, 3, 40, 2.0f, 1), 5.5f);  // 6 + (-1 / 16) * 8
  EXPECT_EQ(ExtraColumnAt(1, 1.5f, 2.0f, 1), 0.0f);
  EXPECT_EQ(ExtraColumnAt(2, 2.5f, 2.0f, 1), 2.5f);
}

TEST_F(CurveTest, AFullLevelOf23Points) {
  // T = 16 p and S = p at points 1..23; property 1 is p except 30 at point 23.
  LevelPressuresAt(1, 1) = 2.0f;
  for (int64_t p = 1; p <= kCurvePoints; ++p) {
    CurveValuesAt(p, 1, 1, kPropertyTemperature) = 16.0f * static_cast<float>(p);
    CurveValuesAt(p, 1, 1, kPropertySecondAxis) = static_cast<float>(p);
    CurveValuesAt(p, 1, 1, 1) = p == kCurvePoints ? 30.0f : static_cast<float>(p);
  }
  PrepareStreamCurves();
  ASSERT_EQ(TemperatureList(1, 1).size(), 23u);
  ASSERT_EQ(SecondAxisList(1, 1).size(), 23u);
  EXPECT_EQ(SecondAxisOrderAt(23, 1, 1), 23);
  // Between points 22 and 23: 22 + (8 / 16) * 8; above the last point too.
  EXPECT_EQ(StreamProperty(1, 1, 360, 2.0f, 1), 26.0f);
  EXPECT_EQ(StreamProperty(1, 1, 384, 2.0f, 1), 38.0f);  // 22 + (8 / 16) * 32
  EXPECT_EQ(StreamProperty(2, 1, 22.5f, 2.0f, 1), 26.0f);
  // The search from the start reaches the last segment, the one from the end
  // the first.
  EXPECT_EQ(SecondAxisAtTemperatureFromStart(360, 1, 1), 22.5f);
  EXPECT_EQ(SecondAxisAtTemperatureFromEnd(24, 1, 1), 1.5f);
  float first = 0;
  float last = 0;
  TemperatureSpan(&first, &last, 1, 1);
  EXPECT_EQ(first, 16.0f);
  EXPECT_EQ(last, 368.0f);
}

TEST_F(CurveTest, APressureOutsideThreeLevelsUsesTheTwoNearest) {
  // Pressures 2, 4, 1 on levels 1, 2, 3: the level list runs 3, 1, 2. Table
  // 103 holds 2, 8, 1 on them (set after the preparation, which fills it).
  LevelPressuresAt(1, 1) = 2.0f;
  LevelPressuresAt(2, 1) = 4.0f;
  LevelPressuresAt(3, 1) = 1.0f;
  PrepareStreamCurves();
  ASSERT_EQ(LevelList(1), (std::vector<int64_t>{3, 1, 2}));
  LevelValuesAt(103, 1, 1) = 2;
  LevelValuesAt(103, 2, 1) = 8;
  LevelValuesAt(103, 3, 1) = 1;
  struct Case {
    float pressure;
    float expected;
  };
  const Case cases[] = {
      {0.5f, 0.5f},   // below: 1 + (1 / 1) * -0.5 from the two lowest
      {1.5f, 1.5f},   // between the two lowest
      {3.0f, 5.0f},   // 2 + (6 / 2) * 1 between the two highest
      {5.0f, 11.0f},  // above: 2 + (6 / 2) * 3 from the two highest
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StreamProperty(1, 103, 0, c.pressure, 1), c.expected) << c.pressure;
  }
}

TEST_F(EvaluationTest, LevelValuesBlendAndAMissingOneIsANumber) {
  LevelValuesAt(101, 2, 2) = M;
  LevelValuesAt(101, 1, 2) = 100;
  LevelValuesAt(103, 2, 2) = 2;
  LevelValuesAt(103, 1, 2) = 6;
  EXPECT_EQ(StreamProperty(1, 101, 999, 2.0f, 2), M * 0.5f);
  EXPECT_EQ(StreamProperty(2, 103, 999, 2.0f, 2), 4.0f);
  EXPECT_EQ(StreamProperty(1, 103, 999, 5.0f, 2), 10.0f);
  EXPECT_EQ(StreamProperty(1, 103, 999, -5.0f, 2), 2.0f);  // -10 corrected to the near level
  LevelValuesAt(104, 1, 1) = -3;
  EXPECT_EQ(StreamProperty(1, 104, 0, 2.0f, 1), 0.0f);
  LevelValuesAt(102, 1, 1) = -3;
  EXPECT_EQ(StreamProperty(1, 102, 0, 2.0f, 1), -3.0f);
}

TEST_F(EvaluationTest, ExtraColumnsRunAlongTheSecondAxisAsNonNegative) {
  EXPECT_EQ(ExtraColumnAt(20, 1.5f, 2.0f, 1), 6.0f);
  // -2 inside the segment (2, 4)-(3, -4): the mode flag corrects it to the
  // first end even though column 20 is not of the non-negative class.
  EXPECT_EQ(ExtraColumnAt(20, 2.75f, 2.0f, 1), 4.0f);
  EXPECT_EQ(g_curveModeBlock.ExtraColumnMode, 0);
  EXPECT_EQ(StreamProperty(1, 220, 2.75f, 2.0f, 1), 4.0f);  // axis argument ignored
  EXPECT_EQ(EvaluateStreamProperty(1, 220, 2.75f, 2.0f, 1), 4.0f);
  EXPECT_EQ(ExtraColumnAt(4, 3.0f, 2.0f, 1), 0.0f);  // dropped: first point missing
  EXPECT_EQ(ExtraColumnAt(5, 3.0f, 2.0f, 1), 0.0f);  // never filled
}

TEST_F(EvaluationTest, BisectionOnOneLevel) {
  // derive_expected.py: the first midpoint already meets the temperature.
  EXPECT_EQ(EvaluateStreamProperty(1, 1, 41, 2.0f, 1), 6.25f);
  EXPECT_EQ(EvaluateStreamProperty(1, 17, 41, 2.0f, 1), 2.5625f);
  EXPECT_EQ(EvaluateStreamProperty(1, 20, 41, 2.0f, 1), 41.0f);
  EXPECT_EQ(EvaluateStreamProperty(2, 1, 2.5f, 2.0f, 1), 6.0f);
  // Any axis but 2 takes x as a temperature.
  EXPECT_EQ(EvaluateStreamProperty(3, 1, 41, 2.0f, 1), 6.25f);
  // derive_expected.py: the window ends 1.2 and 0.8 times the estimate are
  // four-byte products, and the first midpoint rounds above the estimate.
  EXPECT_EQ(EvaluateStreamProperty(1, 1, 27.125f, 2.0f, 1), 3.39062524f);
}

TEST_F(EvaluationTest, BisectionBetweenTwoLevels) {
  // derive_expected.py: the first estimate 3.75 is off; 11 halvings reach
  // 3.33325195 where the temperature is 39.9990234.
  EXPECT_EQ(StreamProperty(1, 17, 40, 2.0f, 2), 3.75f);
  EXPECT_EQ(EvaluateStreamProperty(1, 17, 40, 2.0f, 2), 3.33325195f);
  EXPECT_EQ(EvaluateStreamProperty(1, 1, 40, 2.0f, 2), 6.1663208f);
}

TEST_F(EvaluationTest, BisectionThatMissesItsRootEndsAtTheWindowEdge) {
  // Along the temperature axis 56 lies between T 48 (S 4) and T 64 (S 2),
  // giving S 3; in the window 2.4 .. 3.6 the temperature never reaches 56, so
  // the search closes on the low end (derive_expected.py) and reports nothing.
  ASSERT_EQ(TemperatureList(3, 1), (std::vector<int64_t>{1, 3, 4, 2}));
  EXPECT_EQ(StreamProperty(1, 17, 56, 1.0f, 3), 3.0f);
  EXPECT_EQ(EvaluateStreamProperty(1, 17, 56, 1.0f, 3), 2.4000001f);
  EXPECT_EQ(EvaluateStreamProperty(1, 1, 56, 1.0f, 3), 5.60000038f);
  // Property 21 is a curve property too: bisection, not the value 10 along
  // the temperature axis.
  SetProperty(3, 1, 21, {2, 4, 8, 16});
  EXPECT_EQ(StreamProperty(1, 21, 56, 1.0f, 3), 10.0f);
  EXPECT_EQ(EvaluateStreamProperty(1, 21, 56, 1.0f, 3), 5.60000038f);
  // derive_expected.py: a root inside the window, reached after 14 halvings.
  EXPECT_EQ(EvaluateStreamProperty(1, 1, 17.625f, 1.0f, 3), 2.06769514f);
}

TEST_F(CurveTest, BisectionStopsWhenTheWindowIsNarrowerThan1EMinus7) {
  // The missing root again, on a second axis 1024 times smaller: the window
  // closes by its width after 14 halvings, 7E-8 above its low end
  // (derive_expected.py), not on the low end itself.
  const float u = 1.0f / 1024.0f;
  SetLevel(1, 1, 1.0f, {16, 64, 32, 48}, {u, 2 * u, 3 * u, 4 * u});
  SetProperty(1, 1, 1, {2, 4, 8, 16});
  PrepareStreamCurves();
  EXPECT_EQ(EvaluateStreamProperty(1, 17, 56, 1.0f, 1), 0.00234382157f);
  EXPECT_EQ(EvaluateStreamProperty(1, 1, 56, 1.0f, 1), 5.60029316f);
}

TEST_F(EvaluationTest, BisectionFromAZeroEstimate) {
  // T 0 gives S 0: the window is empty, mid stays 0 and property 5 at S 0
  // (4 + (-2)(-1)) comes back.
  EXPECT_EQ(StreamProperty(1, 17, 0, 2.0f, 1), 0.0f);
  EXPECT_EQ(EvaluateStreamProperty(1, 5, 0, 2.0f, 1), 6.0f);
}

TEST_F(CurveTest, AStreamWithoutDataGivesZeroExceptItsOwnAxis) {
  PrepareStreamCurves();
  EXPECT_EQ(StreamProperty(1, 1, 40, 2.0f, 1), 0.0f);
  EXPECT_EQ(StreamProperty(1, 101, 40, 2.0f, 1), 0.0f);
  EXPECT_EQ(StreamProperty(1, 20, 40, 2.0f, 1), 40.0f);
  EXPECT_EQ(StreamProperty(2, 17, 5, 2.0f, 1), 5.0f);
  EXPECT_EQ(EvaluateStreamProperty(1, 20, 40, 2.0f, 1), 40.0f);
  EXPECT_EQ(EvaluateStreamProperty(1, 1, 40, 2.0f, 1), 0.0f);
  EXPECT_EQ(SecondAxisAtTemperature(40, 2.0f, 1, 1), M);
  EXPECT_EQ(SecondAxisAtTemperature(40, 2.0f, 1, 2), M);
}

// Temperatures 16, 48, 16 along the second axis: 32 is passed twice.
class CrossingTest : public CurveTest {
 protected:
  void SetUp() override {
    CurveTest::SetUp();
    SetLevel(2, 2, 1.0f, {16, 48, 16}, {1, 2, 4});
    SetLevel(2, 1, 3.0f, {16, 48, 16}, {2, 4, 8});
    SetLevel(1, 1, 2.0f, {16, 32, 48, 64}, {1, 2, 3, 4});
    PrepareStreamCurves();
  }
};

TEST_F(CrossingTest, TheTwoEndsFindTheTwoCrossings) {
  EXPECT_EQ(SecondAxisAtTemperatureFromStart(32, 2, 2), 1.5f);
  EXPECT_EQ(SecondAxisAtTemperatureFromEnd(32, 2, 2), 3.0f);
  EXPECT_EQ(SecondAxisAtTemperatureFromStart(32, 1, 2), 3.0f);
  EXPECT_EQ(SecondAxisAtTemperatureFromEnd(32, 1, 2), 6.0f);
  EXPECT_EQ(SecondAxisAtTemperature(32, 2.0f, 2, 1), 2.25f);
  EXPECT_EQ(SecondAxisAtTemperature(32, 2.0f, 2, 2), 4.5f);
  EXPECT_EQ(SecondAxisAtTemperature(32, 2.0f, 2, 0), 4.5f);  // any end but 1
  EXPECT_EQ(SecondAxisAtTemperature(32, 1.0f, 2, 1), 1.5f);
}

TEST_F(CrossingTest, TheMarginOfTheEndSegments) {
  // derive_expected.py
  EXPECT_EQ(SecondAxisAtTemperatureFromStart(64.0009f, 1, 1), 4.00005627f);
  EXPECT_EQ(SecondAxisAtTemperatureFromStart(64.0011f, 1, 1), M);
  EXPECT_EQ(SecondAxisAtTemperatureFromEnd(15.9991f, 1, 1), 0.999943733f);
  EXPECT_EQ(SecondAxisAtTemperatureFromEnd(15.9989f, 1, 1), M);
  // The same margins on the other side of each end segment.
  EXPECT_EQ(SecondAxisAtTemperatureFromStart(15.9991f, 1, 1), 0.999943733f);
  EXPECT_EQ(SecondAxisAtTemperatureFromStart(15.9989f, 1, 1), M);
  EXPECT_EQ(SecondAxisAtTemperatureFromEnd(64.0009f, 1, 1), 4.00005627f);
  EXPECT_EQ(SecondAxisAtTemperatureFromEnd(64.0011f, 1, 1), M);
  EXPECT_EQ(SecondAxisAtTemperatureFromStart(48, 1, 1), 3.0f);
  EXPECT_EQ(SecondAxisAtTemperatureFromEnd(48, 1, 1), 3.0f);
}

TEST_F(CrossingTest, OnlyOneLevelFindingTheTemperatureGivesItsValue) {
  // The searches read the temperatures from property 20: raise the middle
  // point of level 1 to 80, so that 56 lies only on that level
  // (2 + (2 / 64) * 40 = 3.25).
  CurveValuesAt(2, 1, 2, kPropertyTemperature) = 80;
  EXPECT_EQ(SecondAxisAtTemperatureFromStart(56, 2, 2), M);
  EXPECT_EQ(SecondAxisAtTemperatureFromStart(56, 1, 2), 3.25f);
  EXPECT_EQ(SecondAxisAtTemperature(56, 2.0f, 2, 1), 3.25f);
  EXPECT_EQ(SecondAxisAtTemperature(56, 2.0f, 2, 2), 5.5f);  // 8 + (-4 / 64) * 40
}

TEST_F(CrossingTest, GuardsOfTheSearches) {
  EXPECT_EQ(SecondAxisAtTemperatureFromStart(32, 0, 2), M);
  EXPECT_EQ(SecondAxisAtTemperatureFromEnd(32, 0, 2), M);  // no level: same guard as from the start
  EXPECT_EQ(SecondAxisAtTemperatureFromEnd(32, -1, 2), M);
  EXPECT_EQ(SecondAxisAtTemperatureFromStart(32, 4, 2), M);
  EXPECT_EQ(SecondAxisAtTemperatureFromEnd(32, 4, 2), M);
  EXPECT_EQ(SecondAxisAtTemperatureFromStart(32, 1, 0), M);
  EXPECT_EQ(SecondAxisAtTemperatureFromEnd(32, 1, 4), M);
  EXPECT_EQ(SecondAxisAtTemperatureFromStart(32, 3, 2), M);  // empty list
  EXPECT_EQ(SecondAxisAtTemperatureFromEnd(32, 3, 2), M);
  EXPECT_EQ(SecondAxisAtTemperature(32, 2.0f, 0, 1), M);
  EXPECT_EQ(SecondAxisAtTemperature(32, 2.0f, 9, 2), M);
  // A list with a single entry has no segment from either end.
  SetLevel(3, 1, 1.0f, {16}, {1});
  PrepareStreamCurves();
  ASSERT_EQ(SecondAxisList(3, 1), (std::vector<int64_t>{1}));
  EXPECT_EQ(SecondAxisAtTemperatureFromStart(16, 1, 3), M);
  EXPECT_EQ(SecondAxisAtTemperatureFromEnd(16, 1, 3), M);
}

TEST_F(EvaluationTest, GuardsOfThePropertyLookup) {
  for (int64_t stream : {int64_t{0}, int64_t{4}, int64_t{-1}}) {
    EXPECT_EQ(StreamProperty(1, 1, 40, 2.0f, stream), 0.0f) << stream;
    EXPECT_EQ(StreamProperty(1, 101, 40, 2.0f, stream), 0.0f) << stream;
    EXPECT_EQ(StreamProperty(1, 20, 40, 2.0f, stream), 40.0f) << stream;
    EXPECT_EQ(EvaluateStreamProperty(1, 1, 40, 2.0f, stream), 0.0f) << stream;
    EXPECT_EQ(ExtraColumnAt(20, 1.5f, 2.0f, stream), 0.0f) << stream;
  }
  for (int64_t code : {int64_t{0}, int64_t{-3}, int64_t{22}, int64_t{100}, int64_t{105},
                       int64_t{200}, int64_t{251}, int64_t{100000}}) {
    EXPECT_EQ(StreamProperty(1, code, 40, 2.0f, 1), 0.0f) << code;
    EXPECT_EQ(StreamProperty(2, code, 2.5f, 2.0f, 1), 0.0f) << code;
    EXPECT_EQ(EvaluateStreamProperty(1, code, 40, 2.0f, 1), 0.0f) << code;
  }
  for (int64_t column : {int64_t{0}, int64_t{-1}, int64_t{51}, std::numeric_limits<int64_t>::max(),
                         std::numeric_limits<int64_t>::min()}) {
    EXPECT_EQ(ExtraColumnAt(column, 1.5f, 2.0f, 1), 0.0f) << column;
  }
  EXPECT_EQ(g_curveModeBlock.ExtraColumnMode, 0);
  // A level interpolation outside the block gives what a level without points
  // gives.
  const auto& c = g_streamCurves;
  EXPECT_EQ(
      InterpolateAtLevel(c.CurveValues, 40, c.TemperatureAxisCopy, c.TemperatureOrder, 4, 1, 20),
      M);
  EXPECT_EQ(
      InterpolateAtLevel(c.CurveValues, 40, c.TemperatureAxisCopy, c.TemperatureOrder, 1, 1, 1),
      6.0f);
  EXPECT_EQ(
      InterpolateAtLevel(c.CurveValues, 40, c.TemperatureAxisCopy, c.TemperatureOrder, 1, 1, 22),
      M);
  EXPECT_EQ(
      InterpolateAtLevel(c.CurveValues, 40, c.TemperatureAxisCopy, c.TemperatureOrder, 2, 1, 20),
      M);
  EXPECT_EQ(InterpolateAtLevel(c.ExtraColumns, 1.5f, c.SecondAxisCopy, c.SecondAxisOrder, 1, 1, 51),
            M);
  EXPECT_EQ(InterpolateAtLevel(c.ExtraColumns, 1.5f, c.SecondAxisCopy, c.SecondAxisOrder, 1, 0, 20),
            M);
}

TEST_F(EvaluationTest, EvaluationChangesNothingInTheBlock) {
  static StreamCurves before;
  before = g_streamCurves;
  StreamProperty(1, 1, 40, 2.0f, 2);
  EvaluateStreamProperty(1, 1, 40, 2.0f, 2);
  ExtraColumnAt(20, 2.75f, 2.0f, 1);
  SecondAxisAtTemperature(40, 2.0f, 1, 1);
  SecondAxisAtTemperature(40, 2.0f, 1, 2);
  EXPECT_EQ(std::memcmp(&before, &g_streamCurves, sizeof before), 0);
}

}  // namespace
}  // namespace curve_test
