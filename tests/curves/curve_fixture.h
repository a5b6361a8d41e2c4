// Small fixtures over the curve block: blank it as the run input reader does
// before reading, set one property of a level's points in one line, and read
// an ordered list back.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "curves/curve_evaluation.h"
#include "curves/curve_preparation.h"
#include "curves/stream_curve_block.h"
#include "entry/library_reset.h"

namespace curve_test {

// Every member the reader's reset blanks becomes kMissingValue; the lists and
// LevelValues 103, 104 keep their (zero) load-time state.
inline void BlankLikeReader() {
  for (int64_t s = 1; s <= kCurveStreams; ++s) {
    for (int64_t l = 1; l <= kCurveLevels; ++l) {
      LevelPressuresAt(l, s) = kMissingValue;
      LevelValuesAt(101, l, s) = kMissingValue;
      LevelValuesAt(102, l, s) = kMissingValue;
      for (int64_t p = 1; p <= kCurvePoints; ++p) {
        TemperatureAxisCopyAt(p, l, s) = kMissingValue;
        SecondAxisCopyAt(p, l, s) = kMissingValue;
        for (int64_t k = 1; k <= kCurveProperties; ++k) CurveValuesAt(p, l, s, k) = kMissingValue;
        for (int64_t c = 1; c <= kCurveExtraColumns; ++c)
          ExtraColumnsAt(p, l, s, c) = kMissingValue;
      }
    }
  }
}

// Property k of points 1, 2, ... of one level, in point order.
inline void SetProperty(int64_t stream, int64_t level, int64_t k,
                        std::initializer_list<float> values) {
  int64_t p = 1;
  for (float v : values) CurveValuesAt(p++, level, stream, k) = v;
}

// The temperatures (property 20) and second-axis values (property 17) of a
// level's points, and its pressure.
inline void SetLevel(int64_t stream, int64_t level, float pressure,
                     std::initializer_list<float> temperatures,
                     std::initializer_list<float> secondAxis) {
  LevelPressuresAt(level, stream) = pressure;
  SetProperty(stream, level, kPropertyTemperature, temperatures);
  SetProperty(stream, level, kPropertySecondAxis, secondAxis);
}

inline void SetExtraColumn(int64_t stream, int64_t level, int64_t column,
                           std::initializer_list<float> values) {
  int64_t p = 1;
  for (float v : values) ExtraColumnsAt(p++, level, stream, column) = v;
}

// The point numbers of a level's list up to its end (all 23 entries when the
// list is full).
inline std::vector<int64_t> ListOf(const int64_t* list, int64_t n = kCurvePoints) {
  std::vector<int64_t> out;
  for (int64_t i = 0; i < n && list[i] != 0; ++i) out.push_back(list[i]);
  return out;
}
inline std::vector<int64_t> TemperatureList(int64_t stream, int64_t level) {
  return ListOf(g_streamCurves.TemperatureOrder[stream - 1][level - 1]);
}
inline std::vector<int64_t> SecondAxisList(int64_t stream, int64_t level) {
  return ListOf(g_streamCurves.SecondAxisOrder[stream - 1][level - 1]);
}
inline std::vector<int64_t> LevelList(int64_t stream) {
  return ListOf(g_streamCurves.LevelOrder[stream - 1], kCurveLevels);
}

// Property k of points 1..n of one level.
inline std::vector<float> PropertyOf(int64_t stream, int64_t level, int64_t k, int64_t n) {
  std::vector<float> out;
  for (int64_t p = 1; p <= n; ++p) out.push_back(CurveValuesAt(p, level, stream, k));
  return out;
}

// Returns the library (both blocks included) to its load-time state around every test, then blanks
// the curves as a reader would.
class CurveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetLibraryForTests();
    BlankLikeReader();
  }
  void TearDown() override { ResetLibraryForTests(); }
};

constexpr float M = kMissingValue;

}  // namespace curve_test
