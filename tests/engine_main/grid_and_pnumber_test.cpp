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
      {"nothing given", 0, 0, 0, 0, 100, 0, 100},
      {"only a step", 0, 0, 7, 0, 100, 0, 100},
      {"tiny step: the count is clamped", 1, 3.0e38f, 1.0e-38f, 99, 1, 1.0e-38f, 1},
      {"NaN step", 100, 200, nan, 99, 100, nan, nan},
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
      {849.6f, false, "", 8},          // 850 after rounding: G = 8
      {50149.5f, true, "5 A", 501},    // 50150 (the real is exactly 50149.5): halves away from zero
      {12700.0f, false, "", 127},      // letter 27: no letter, the integer
      {10002600.0f, false, "", 100026},  // number part 1000 does not fit two characters
      {-50100.0f, false, "", -501},
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
