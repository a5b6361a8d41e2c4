#include "engine/input/stream_curve_input.h"

#include "curves/stream_curve_block.h"

void ResetStreamCurves() { MarkStreamCurvesMissing(); }

void FinishStreamCurves() {
  BlankPointsWithoutTemperature();
  for (int64_t stream = 1; stream <= kCurveStreams; ++stream) {
    for (int64_t level = 1; level <= kCurveLevels; ++level) {
      int64_t points = 0;
      for (int64_t point = 1; point <= kCurvePoints; ++point) {
        if (CurveValuesAt(point, level, stream, kPropertyTemperature) != kMissingValue) ++points;
      }
      if (points == 0) LevelPressuresAt(level, stream) = kMissingValue;
      if (stream == 3 && points > 0) LevelPressuresAt(1, 3) = 1.0f;
    }
  }
}

CurveGroup CurveGroupOf(int64_t code) {
  if (code == 20000) return {CurveMember::CurveValues, 1, kPropertyTemperature};
  if (code == 20001) return {CurveMember::CurveValues, 2, kPropertyTemperature};
  if (code == 20100) return {CurveMember::CurveValues, 3, kPropertyTemperature};
  if (code == 20002) return {CurveMember::LevelPressures, 1, 0};
  if (code == 20003) return {CurveMember::LevelPressures, 2, 0};
  if (code >= 20004 && code <= 20041) {
    return {CurveMember::CurveValues, code % 2 == 0 ? 1 : 2, (code - 20004) / 2 + 1};
  }
  if (code == 20042) return {CurveMember::CurveValues, 2, 21};
  // Both codes of a pair fill the same property of stream 3.
  if (code >= 20104 && code <= 20141) return {CurveMember::CurveValues, 3, (code - 20104) / 2 + 1};
  return {CurveMember::None, 0, 0};
}

bool CurveLinePosition(int64_t k, int64_t* point, int64_t* level) {
  if (k < 1 || k > kCurvePoints * kCurveLevels) return false;
  *point = (k - 1) % kCurvePoints + 1;
  *level = (k - 1) / kCurvePoints + 1;
  return true;
}

float* CurveGroupCell(int64_t code, int64_t k) {
  const CurveGroup group = CurveGroupOf(code);
  if (group.member == CurveMember::LevelPressures) {
    if (k < 1 || k > kCurveLevels) return nullptr;
    return &LevelPressuresAt(k, group.stream);
  }
  if (group.member == CurveMember::CurveValues) {
    int64_t point = 0;
    int64_t level = 0;
    if (!CurveLinePosition(k, &point, &level)) return nullptr;
    return &CurveValuesAt(point, level, group.stream, group.property);
  }
  return nullptr;
}

bool IsMagnitudeCode(int64_t code) {
  return code == 20036 || code == 20037 || code == 20136 || code == 20137;
}
