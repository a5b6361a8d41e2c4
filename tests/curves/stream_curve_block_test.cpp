// The layout of the curve block and its guarded accessors.
#include "curves/stream_curve_block.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "entry/library_reset.h"

namespace {

class StreamCurveBlockTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetLibraryForTests(); }
  void TearDown() override { ResetLibraryForTests(); }
};

TEST_F(StreamCurveBlockTest, MissingValueHasItsBitPattern) {
  uint32_t bits = 0;
  std::memcpy(&bits, &kMissingValue, sizeof bits);
  EXPECT_EQ(bits, 0xF99A130Cu);
}

TEST_F(StreamCurveBlockTest, PointVariesFastestThenLevelThenStreamThenProperty) {
  const float* base = &g_streamCurves.CurveValues[0][0][0][0];
  EXPECT_EQ(&CurveValuesAt(1, 1, 1, 1), base);
  EXPECT_EQ(&CurveValuesAt(2, 1, 1, 1), base + 1);
  EXPECT_EQ(&CurveValuesAt(1, 2, 1, 1), base + 23);
  EXPECT_EQ(&CurveValuesAt(1, 1, 2, 1), base + 69);
  EXPECT_EQ(&CurveValuesAt(1, 1, 1, 2), base + 207);
  EXPECT_EQ(&CurveValuesAt(23, 3, 3, 21), base + 207 * 21 - 1);
  const float* extra = &g_streamCurves.ExtraColumns[0][0][0][0];
  EXPECT_EQ(&ExtraColumnsAt(5, 2, 3, 50), extra + 4 + 23 + 2 * 69 + 49 * 207);
  EXPECT_EQ(&LevelPressuresAt(3, 2), &g_streamCurves.LevelPressures[0][0] + 2 + 3);
  EXPECT_EQ(&LevelValuesAt(103, 2, 3), &g_streamCurves.LevelValues[0][0][0] + 1 + 6 + 18);
  EXPECT_EQ(&TemperatureOrderAt(4, 3, 2), &g_streamCurves.TemperatureOrder[0][0][0] + 3 + 46 + 69);
  EXPECT_EQ(&SecondAxisOrderAt(23, 1, 1), &g_streamCurves.SecondAxisOrder[0][0][22]);
  EXPECT_EQ(&LevelOrderAt(2, 3), &g_streamCurves.LevelOrder[2][1]);
  EXPECT_EQ(&TemperatureAxisCopyAt(7, 1, 2), &g_streamCurves.TemperatureAxisCopy[1][0][6]);
  EXPECT_EQ(&SecondAxisCopyAt(7, 3, 1), &g_streamCurves.SecondAxisCopy[0][2][6]);
}

TEST_F(StreamCurveBlockTest, ResetGivesAllZeroBytes) {
  CurveValuesAt(3, 2, 1, 20) = 5.0f;
  LevelOrderAt(1, 1) = 2;
  g_curveModeBlock.ExtraColumnMode = 1;
  ResetStreamCurveBlocksForTests();
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&g_streamCurves);
  for (size_t i = 0; i < sizeof g_streamCurves; ++i) ASSERT_EQ(bytes[i], 0u) << i;
  EXPECT_EQ(g_curveModeBlock.ExtraColumnMode, 0);
}

TEST_F(StreamCurveBlockTest, OutOfRangeIndicesNeverTouchTheBlock) {
  struct Case {
    int64_t point, level, stream, property;
  };
  const Case cases[] = {{0, 1, 1, 1}, {24, 1, 1, 1}, {1, 0, 1, 1},  {1, 4, 1, 1},    {1, 1, 0, 1},
                        {1, 1, 4, 1}, {1, 1, 1, 0},  {1, 1, 1, 22}, {-5, -5, -5, -5}};
  for (const Case& c : cases) {
    CurveValuesAt(c.point, c.level, c.stream, c.property) = 7.0f;
    EXPECT_EQ(CurveValuesAt(c.point, c.level, c.stream, c.property), kMissingValue);
    ExtraColumnsAt(c.point, c.level, c.stream, c.property == 22 ? 51 : c.property) = 7.0f;
    if (IsCurvePoint(c.point) && IsCurveLevel(c.level) && IsCurveStream(c.stream)) continue;
    TemperatureAxisCopyAt(c.point, c.level, c.stream) = 7.0f;
    SecondAxisCopyAt(c.point, c.level, c.stream) = 7.0f;
    TemperatureOrderAt(c.point, c.level, c.stream) = 7;
    EXPECT_EQ(SecondAxisOrderAt(c.point, c.level, c.stream) = 7, 7);
  }
  EXPECT_EQ(ExtraColumnsAt(1, 1, 1, 51), kMissingValue);
  EXPECT_EQ(TemperatureOrderAt(24, 1, 1), 0);
  LevelPressuresAt(4, 1) = 7.0f;
  LevelPressuresAt(1, 0) = 7.0f;
  LevelOrderAt(0, 1) = 7;
  LevelOrderAt(4, 1) = 7;
  LevelValuesAt(100, 1, 1) = 7.0f;
  LevelValuesAt(105, 1, 1) = 7.0f;
  LevelValuesAt(101, 4, 1) = 7.0f;
  EXPECT_EQ(LevelValuesAt(105, 1, 1), kMissingValue);
  EXPECT_EQ(LevelOrderAt(4, 1), 0);
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&g_streamCurves);
  for (size_t i = 0; i < sizeof g_streamCurves; ++i) ASSERT_EQ(bytes[i], 0u) << i;
}

}  // namespace
