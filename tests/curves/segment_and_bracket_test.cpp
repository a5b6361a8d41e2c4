// The two building blocks of every curve evaluation: the segment
// interpolation with its rules for missing ends and negative results, and the
// search for the two list entries that bracket a value.
//
// Values marked "derive_expected.py" come from that script's four-byte
// arithmetic; the others are worked by hand on power-of-two spacings.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "curve_fixture.h"

namespace curve_test {
namespace {

struct SegmentCase {
  const char* what;
  float x, x1, y1, x2, y2;
  int64_t code;
  float expected;
};

const SegmentCase kSegmentCases[] = {
    {"second end missing gives the first value", 5, 1, 3, M, 9, 20, 3},
    {"first end missing gives the second value", 5, M, 3, 2, 9, 20, 9},
    {"both ends missing gives the first value", 5, M, 3, M, 9, 20, 3},
    {"equal abscissae give the first value", 5, 2, 3, 2, 9, 20, 3},
    {"equal abscissae within 2E-5 of x still give the first value", 2.00001f, 2, 3, 2, 9, 20, 3},
    {"within 2E-5 of the first end", 1.00001f, 1, 3, 2, 9, 20, 3},
    {"within 2E-5 of the second end", 1.99999f, 1, 3, 2, 9, 20, 9},
    {"1E-4 from an end is interpolated (derive_expected.py)", 1.0001f, 1, 3, 2, 9, 20, 3.0006001f},
    {"inside", 1.5f, 1, 3, 2, 9, 20, 6},
    {"extrapolated below, not corrected", 0, 1, 3, 2, 9, 20, -3},
    {"extrapolated above", 4, 1, 3, 2, 9, 20, 21},
    {"rounding inside (derive_expected.py)", 0.3f, 0.1f, 1.7f, 0.7f, 2.9f, 20, 2.10000014f},
    {"rounding outside (derive_expected.py)", 2.5f, 0.1f, 1.7f, 0.7f, 2.9f, 20, 6.50000095f},
    {"quotient rounded before the product (derive_expected.py)", 0.2f, 0.1f, 0.1f, 2.9f, 1.7f, 20,
     0.157142848f},
    {"the missing value is a number for y", 1.5f, 1, M, 2, 4, 20, M * 0.5f},
    // Correction of the non-negative class, ascending segment.
    {"below the segment takes the first end", 0, 1, 3, 2, 9, 1, 3},
    {"above the segment takes the second end", 4, 1, 9, 2, 3, 1, 3},
    {"inside takes a positive second end", 1.5f, 1, -4, 2, 2, 1, 2},
    {"inside takes the first end when the second is not positive", 1.5f, 1, 2, 2, -4, 1, 2},
    {"never negative", 1.5f, 1, -2, 2, -4, 1, 0},
    {"below the segment with a negative first end gives 0", 0, 1, -1, 2, 9, 1, 0},
    {"a missing y corrected to the other end", 1.5f, 1, M, 2, 4, 1, 4},
    // Descending segment.
    {"descending, above the first end", 3, 2, 3, 1, 9, 1, 3},
    {"descending, below the second end", 0, 2, 9, 1, 3, 1, 3},
    {"descending, inside", 1.5f, 2, -4, 1, 2, 1, 2},
    {"descending, inside with a second end not positive", 1.5f, 2, 2, 1, -4, 1, 2},
    // Equal abscissae count as descending: below them the second end.
    {"equal abscissae, below", 0, 2, -3, 2, 5, 1, 5},
    {"equal abscissae, above", 3, 2, -3, 2, 5, 1, 0},
    // The class of each code decides.
    {"code 19 is corrected", 0, 1, 3, 2, 9, 19, 3},
    {"code 21 is corrected", 0, 1, 3, 2, 9, 21, 3},
    {"code 101 is not corrected", 0, 1, 3, 2, 9, 101, -3},
    {"code 102 is not corrected", 0, 1, 3, 2, 9, 102, -3},
    {"code 103 is corrected", 0, 1, 3, 2, 9, 103, 3},
    {"code 250 is corrected", 0, 1, 3, 2, 9, 250, 3},
};

TEST_F(CurveTest, SegmentInterpolationTable) {
  for (const SegmentCase& c : kSegmentCases) {
    EXPECT_EQ(InterpolateSegment(c.x, c.x1, c.y1, c.x2, c.y2, c.code), c.expected) << c.what;
  }
}

TEST_F(CurveTest, ExtraColumnModeCorrectsEveryCode) {
  g_curveModeBlock.ExtraColumnMode = 1;
  EXPECT_EQ(InterpolateSegment(0, 1, 3, 2, 9, 20), 3.0f);
  EXPECT_EQ(InterpolateSegment(0, 1, 3, 2, 9, 101), 3.0f);
  g_curveModeBlock.ExtraColumnMode = 2;  // only 1 switches it on
  EXPECT_EQ(InterpolateSegment(0, 1, 3, 2, 9, 20), -3.0f);
}

TEST_F(CurveTest, NonNegativeClass) {
  struct Case {
    int64_t code;
    bool nonNegative;
  };
  const Case cases[] = {{1, true},   {4, true},   {17, true},   {19, true},
                        {20, false}, {21, true},  {101, false}, {102, false},
                        {103, true}, {104, true}, {201, true},  {250, true}};
  for (const Case& c : cases) EXPECT_EQ(IsNonNegativeCode(c.code), c.nonNegative) << c.code;
}

struct BracketCase {
  const char* what;
  float x;
  int64_t list[4];
  int64_t n;
  int64_t first, second;
};

// Abscissae of the numbers 1..4: 30, 10, 20, 40, so the ascending list is
// 2, 3, 1, 4.
const float kAbscissae[4] = {30, 10, 20, 40};
const float kNaN = std::numeric_limits<float>::quiet_NaN();

const BracketCase kBracketCases[] = {
    {"below the first", 5, {2, 3, 1, 4}, 4, 2, 3},
    {"at the first", 10, {2, 3, 1, 4}, 4, 2, 3},
    {"between first and second", 15, {2, 3, 1, 4}, 4, 2, 3},
    {"at the second", 20, {2, 3, 1, 4}, 4, 2, 3},
    {"between second and third", 25, {2, 3, 1, 4}, 4, 3, 1},
    {"at an inner entry", 30, {2, 3, 1, 4}, 4, 3, 1},
    {"at the last", 40, {2, 3, 1, 4}, 4, 1, 4},
    {"above the last of a full list", 50, {2, 3, 1, 4}, 4, 1, 4},
    {"above the last of a short list", 50, {2, 3, 0, 0}, 4, 2, 3},
    {"one entry, below", 5, {2, 0, 0, 0}, 4, 2, 0},
    {"one entry, above", 50, {2, 0, 0, 0}, 4, 2, 0},
    {"empty list", 5, {0, 0, 0, 0}, 4, 0, 0},
    {"a negative entry ends the list", 50, {2, -1, 3, 4}, 4, 2, 0},
    {"a negative second entry is no point", 5, {2, -1, 3, 4}, 4, 2, 0},
    {"an entry above n ends the list", 50, {2, 9, 3, 4}, 4, 2, 0},
    {"NaN passes every entry", kNaN, {2, 3, 1, 4}, 4, 1, 4},
    {"NaN on a short list", kNaN, {2, 3, 0, 0}, 4, 2, 3},
    {"n of 1 is too short to search", 5, {2, 3, 1, 4}, 1, 0, 0},
    {"n of 1 with a listed entry", 5, {1, 2, 0, 0}, 1, 0, 0},
    {"n of 0", 5, {2, 3, 1, 4}, 0, 0, 0},
    {"negative n", 5, {2, 3, 1, 4}, -3, 0, 0},
};

TEST_F(CurveTest, BracketSearchTable) {
  for (const BracketCase& c : kBracketCases) {
    int64_t pair[2] = {77, 77};
    FindBracket(c.x, kAbscissae, pair, c.list, c.n);
    EXPECT_EQ(pair[0], c.first) << c.what;
    EXPECT_EQ(pair[1], c.second) << c.what;
  }
}

TEST_F(CurveTest, BracketSearchOverTwoEntries) {
  const float abscissae[2] = {8, 4};
  const int64_t list[2] = {2, 1};
  int64_t pair[2];
  FindBracket(100, abscissae, pair, list, 2);
  EXPECT_EQ(pair[0], 2);
  EXPECT_EQ(pair[1], 1);
  FindBracket(-100, abscissae, pair, list, 2);
  EXPECT_EQ(pair[0], 2);
  EXPECT_EQ(pair[1], 1);
}

}  // namespace
}  // namespace curve_test
