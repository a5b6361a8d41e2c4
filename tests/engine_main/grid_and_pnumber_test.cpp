// The temperature grid rules and the P-number rule.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/main/p_number.h"
#include "engine/main/temperature_grid.h"

namespace {

struct GridCase {
  const char* name;
  float start, end, step;
  int64_t steps;
  float first, stepWanted, last;
};

// Every expected value here is exact in four-byte reals (worked by hand).
TEST(TemperatureGrid, Rules) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const GridCase cases[] = {
      {"three given", 100, 200, 10, 10, 100, 10, 200},
      {"end past a whole step", 100, 205, 10, 11, 100, 10, 210},
      {"end below start", 100, 50, 10, 5, 100, -10, 50},
      {"negative step, end below", 100, 50, -10, 5, 100, -10, 50},
      {"negative step, end above", 100, 200, -10, 10, 100, 10, 200},
      {"capped at 99 steps", 100, 5000, 1, 99, 100, 1, 199},
      {"no step", 100, 300, 0, 20, 100, 10, 300},
      {"no end", 100, 0, 5, 20, 100, 5, 200},
      {"no end, negative step", 100, 0, -5, 20, 100, -5, 0},
      {"no start", 0, 500, 25, 20, 0, 25, 500},
      {"start alone", 70, 0, 0, 0, 70, 0, 70},
      {"end alone", 0, 70, 0, 0, 70, 0, 70},
      {"start equals end", 100, 100, 10, 0, 100, 10, 100},
      // Only exactly 0.0 counts as not given: a start or an end below zero
      // is given.
      {"negative start", -50, 50, 25, 4, -50, 25, 50},
      {"negative end", 50, -50, 25, 4, 50, -25, -50},
      {"start equals end, no step", 100, 100, 0, 20, 100, 0, 100},  // 21 points at 100
      {"nothing given", 0, 0, 0, 0, 100, 0, 100},
      {"only a step", 0, 0, 7, 0, 100, 0, 100},
      {"tiny step: the count is clamped", 1, 3.0e38f, 1.0e-38f, 99, 1, 1.0e-38f, 1},
      {"NaN step", 100, 200, nan, 99, 100, nan, nan},
      // Four-byte reals: 116.001 is 116.000999450684, and 16.000999450684 +
      // 0.999000012875 rounds to 17.0 exactly (in eight-byte reals the sum
      // stays below 17: 16 steps).
      {"count in four-byte reals", 100, 116.001f, 1, 17, 100, 1, 117},
      // 2.001 is 2.00099992752; 1.00099992752 + 0.999000012875 is exactly
      // half-way between 1.99999988 and 2.0 and rounds to 2.0 (even): two
      // steps. With 0.999 as an eight-byte real the sum rounds down: one.
      {"sum with the four-byte 0.999", 1, 2.001f, 1, 2, 1, 1, 3},
      // 100.21 - 0.2 rounds to 100.010002136 in four-byte reals, the quotient
      // to 10.0010004 and the sum to 11.0 exactly: 11 steps (the difference
      // in eight-byte reals, 100.0099999, gives 10).
      {"difference and quotient in four-byte reals", 0.2f, 100.21f, 10, 11, 0.2f, 10, 110.2f},
      // 300.3 - 0.3 rounds to 300.0 before the division: the step is 15.0
      // (one rounding of the whole gives 14.999999).
      {"no step, difference rounded first", 0.3f, 300.3f, 0, 20, 0.3f, 15, 300.3f},
      // 20 x 0.3 (0.300000011921) rounds to 6.0 first, so the start is 1.0
      // exactly (with one rounding of 7 - 20 x 0.3 it would be 0.99999976).
      {"no start, product rounded first", 0, 7, 0.3f, 20, 1, 0.3f, 7},
  };
  for (const GridCase& c : cases) {
    SCOPED_TRACE(c.name);
    TemperatureGrid g;
    BuildTemperatureGrid(c.start, c.end, c.step, &g);
    EXPECT_EQ(g.steps, c.steps);
    if (std::isnan(c.stepWanted)) {  // every point is NaN too: nothing to compare
      EXPECT_TRUE(std::isnan(g.step));
      continue;
    }
    EXPECT_EQ(g.point[0], c.first);
    EXPECT_EQ(g.start, c.first);
    EXPECT_EQ(g.end, c.last);  // the end moves to the last point
    EXPECT_EQ(g.step, c.stepWanted);
    EXPECT_EQ(g.point[g.steps], c.last);
    for (int64_t i = g.steps + 1; i < kMaxGridPoints; ++i) EXPECT_EQ(g.point[i], 0.0f);
  }
}

// 0.999 rounds up unless the range exceeds a whole number of steps by at most
// a thousandth of a step. In four-byte reals 100.0005 is 100.000503540039, the
// quotient 0.000503540039, and adding 0.999 (0.999000012875) gives 0.9995035,
// truncated to 0 steps; 100.002 gives 1.000999, one step.
TEST(TemperatureGrid, RoundsUpOnlyPastAThousandthOfAStep) {
  TemperatureGrid g;
  BuildTemperatureGrid(100.0f, 100.0005f, 1.0f, &g);
  EXPECT_EQ(g.steps, 0);
  BuildTemperatureGrid(100.0f, 100.002f, 1.0f, &g);  // 0.002 of a step beyond: one more step
  EXPECT_EQ(g.steps, 1);
  EXPECT_EQ(g.point[1], 101.0f);
}

// Each point is start + (i - 1) x step with the product rounded to a
// four-byte real before the sum: 13 x 3.3 (3.29999995232) is 42.8999977112,
// and 70 + that is 112.899993896; one rounding of the whole would give
// 112.900001526.
TEST(TemperatureGrid, PointsAreRoundedProductThenSum) {
  TemperatureGrid g;
  BuildTemperatureGrid(70.0f, 0.0f, 3.3f, &g);
  ASSERT_EQ(g.steps, 20);
  EXPECT_EQ(g.point[13], 112.899993896484375f);
}

TEST(PNumber, Decoding) {
  struct Case {
    float word;
    bool isText;
    const char* text;
    int64_t number;
  } const cases[] = {
      {800.0f, false, "", 8},
      {50100.0f, true, "5 A", 501},
      {110200.0f, true, "11B", 1102},
      {110000.0f, false, "", 1100},
      {0.0f, false, "", 0},
      {849.6f, false, "", 8},  // 850 after rounding: G = 8
      // Rounding that moves G (every real below is exact): halves away from
      // zero, so 899.5 gives 900 (truncated: 899, G = 8) and -899.5 gives
      // -900 (rounded half up: -899, G = -8).
      {899.5f, false, "", 9},
      {-899.5f, false, "", -9},
      {50199.5f, true, "5 B", 502},
      {12700.0f, false, "", 127},        // letter 27: no letter, the integer
      {10002600.0f, false, "", 100026},  // number part 1000 does not fit two characters
      {-50100.0f, false, "", -501},
      {10000.0f, false, "", 100},        // G = 100 is not above 100
      {10100.0f, true, "1 A", 101},      // the smallest text
      {100100.0f, true, "10A", 1001},    // the smallest two-digit number part
      {992600.0f, true, "99Z", 9926},    // the largest text
      {1000100.0f, false, "", 10001},    // number part 100: the integer
      {10000000.0f, false, "", 100000},  // letter position 0: the integer
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.word);
    const PNumber p = DecodePNumber(c.word);
    EXPECT_EQ(p.isText, c.isText);
    EXPECT_EQ(p.number, c.number);
    if (c.isText) {
      EXPECT_EQ(std::string(p.text, 3), c.text);
    }
  }
  EXPECT_FALSE(DecodePNumber(std::numeric_limits<float>::infinity()).isText);
  EXPECT_EQ(DecodePNumber(std::numeric_limits<float>::quiet_NaN()).number, 0);
}

}  // namespace
