#include "curves/stream_curve_block.h"

#include <cstddef>
#include <cstring>

// Zero-initialised at load, as the curves have no data before the first run.
StreamCurves g_streamCurves;
CurveModeBlock g_curveModeBlock;

// The block mirrors a fixed record layout: no padding between the members.
static_assert(offsetof(StreamCurves, LevelPressures) == 828);
static_assert(offsetof(StreamCurves, SecondAxisCopy) == 864);
static_assert(offsetof(StreamCurves, CurveValues) == 1692);
static_assert(offsetof(StreamCurves, TemperatureOrder) == 19080);
static_assert(offsetof(StreamCurves, LevelOrder) == 20736);
static_assert(offsetof(StreamCurves, SecondAxisOrder) == 20808);
static_assert(offsetof(StreamCurves, LevelValues) == 22464);
static_assert(offsetof(StreamCurves, ExtraColumns) == 22608);
static_assert(sizeof(StreamCurves) == 64008);
static_assert(sizeof(CurveModeBlock) == 8);

namespace {

// Out-of-range accesses land here. Each access re-arms the cell, so a read
// through a bad index always sees the missing value (or 0 for a list).
float g_scratchReal;
int64_t g_scratchIndex;

float& ScratchReal() {
  g_scratchReal = kMissingValue;
  return g_scratchReal;
}

int64_t& ScratchIndex() {
  g_scratchIndex = 0;
  return g_scratchIndex;
}

bool PointCell(int64_t point, int64_t level, int64_t stream) {
  return IsCurvePoint(point) && IsCurveLevel(level) && IsCurveStream(stream);
}

}  // namespace

float& TemperatureAxisCopyAt(int64_t point, int64_t level, int64_t stream) {
  if (!PointCell(point, level, stream)) return ScratchReal();
  return g_streamCurves.TemperatureAxisCopy[stream - 1][level - 1][point - 1];
}

float& LevelPressuresAt(int64_t level, int64_t stream) {
  if (!IsCurveLevel(level) || !IsCurveStream(stream)) return ScratchReal();
  return g_streamCurves.LevelPressures[stream - 1][level - 1];
}

float& SecondAxisCopyAt(int64_t point, int64_t level, int64_t stream) {
  if (!PointCell(point, level, stream)) return ScratchReal();
  return g_streamCurves.SecondAxisCopy[stream - 1][level - 1][point - 1];
}

float& CurveValuesAt(int64_t point, int64_t level, int64_t stream, int64_t property) {
  if (!PointCell(point, level, stream) || !IsCurveProperty(property)) return ScratchReal();
  return g_streamCurves.CurveValues[property - 1][stream - 1][level - 1][point - 1];
}

int64_t& TemperatureOrderAt(int64_t position, int64_t level, int64_t stream) {
  if (!PointCell(position, level, stream)) return ScratchIndex();
  return g_streamCurves.TemperatureOrder[stream - 1][level - 1][position - 1];
}

int64_t& LevelOrderAt(int64_t position, int64_t stream) {
  if (!IsCurveLevel(position) || !IsCurveStream(stream)) return ScratchIndex();
  return g_streamCurves.LevelOrder[stream - 1][position - 1];
}

int64_t& SecondAxisOrderAt(int64_t position, int64_t level, int64_t stream) {
  if (!PointCell(position, level, stream)) return ScratchIndex();
  return g_streamCurves.SecondAxisOrder[stream - 1][level - 1][position - 1];
}

float& LevelValuesAt(int64_t code, int64_t level, int64_t stream) {
  if (!IsLevelValueCode(code) || !IsCurveLevel(level) || !IsCurveStream(stream)) {
    return ScratchReal();
  }
  return g_streamCurves.LevelValues[code - kFirstLevelValueCode][stream - 1][level - 1];
}

float& ExtraColumnsAt(int64_t point, int64_t level, int64_t stream, int64_t column) {
  if (!PointCell(point, level, stream) || !IsCurveExtraColumn(column)) return ScratchReal();
  return g_streamCurves.ExtraColumns[column - 1][stream - 1][level - 1][point - 1];
}

void ResetStreamCurveBlocksForTests() {
  std::memset(&g_streamCurves, 0, sizeof g_streamCurves);
  std::memset(&g_curveModeBlock, 0, sizeof g_curveModeBlock);
}
