#include "curves/stream_curve_block.h"

#include <algorithm>
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

namespace {

// A block whose every real is kMissingValue (lists zero), made once: resets
// copy whole members from it, runs of points copy their slices.
const StreamCurves& MissingBlock() {
  static const StreamCurves* const block = [] {
    static StreamCurves b;
    float* first = reinterpret_cast<float*>(&b);
    // The reals before the lists, then the level values and extra columns.
    std::fill(first, reinterpret_cast<float*>(&b.TemperatureOrder), kMissingValue);
    std::fill(reinterpret_cast<float*>(&b.LevelValues), reinterpret_cast<float*>(&b + 1),
              kMissingValue);
    return &b;
  }();
  return *block;
}

template <typename Member>
void CopyMissing(Member& member, const Member& missing) {
  std::memcpy(&member, &missing, sizeof member);
}

}  // namespace

void MarkStreamCurvesMissing() {
  StreamCurves& b = g_streamCurves;
  const StreamCurves& m = MissingBlock();
  CopyMissing(b.LevelPressures, m.LevelPressures);
  CopyMissing(b.LevelValues[101 - kFirstLevelValueCode], m.LevelValues[0]);
  CopyMissing(b.LevelValues[102 - kFirstLevelValueCode], m.LevelValues[0]);
  CopyMissing(b.TemperatureAxisCopy, m.TemperatureAxisCopy);
  CopyMissing(b.SecondAxisCopy, m.SecondAxisCopy);
  CopyMissing(b.CurveValues, m.CurveValues);
  CopyMissing(b.ExtraColumns, m.ExtraColumns);
}

void BlankPointsWithoutTemperature() {
  StreamCurves& b = g_streamCurves;
  const StreamCurves& m = MissingBlock();
  const auto& temperature = b.CurveValues[kPropertyTemperature - 1];
  // Points without a temperature come in runs along a curve (most often the
  // points after the last one given); each run is blanked in every property
  // and column with one copy.
  for (int64_t s = 0; s < kCurveStreams; ++s) {
    for (int64_t l = 0; l < kCurveLevels; ++l) {
      const float* t = temperature[s][l];
      int64_t p = 0;
      while (p < kCurvePoints) {
        if (t[p] != kMissingValue) {
          ++p;
          continue;
        }
        const int64_t first = p;
        while (p < kCurvePoints && t[p] == kMissingValue) ++p;
        const size_t bytes = static_cast<size_t>(p - first) * sizeof(float);
        const float* missing = m.CurveValues[0][0][0];
        for (auto& property : b.CurveValues) std::memcpy(&property[s][l][first], missing, bytes);
        for (auto& column : b.ExtraColumns) std::memcpy(&column[s][l][first], missing, bytes);
      }
    }
  }
}

void ResetStreamCurveBlocksForTests() {
  std::memset(&g_streamCurves, 0, sizeof g_streamCurves);
  std::memset(&g_curveModeBlock, 0, sizeof g_curveModeBlock);
}
