// Evaluation of the prepared curves: bracket search, segment interpolation,
// property lookup between pressure levels, the bisection along the second
// axis and the searches for a temperature from either end of a curve.
#include "curves/curve_evaluation.h"

#include <cmath>
#include <cstdint>

namespace {

// Abscissa distance within which an end point's value is taken as it is.
constexpr float kPointTolerance = 2.0E-5f;
// Temperature margin of the crossing searches and of the bisection's stop.
constexpr float kTemperatureTolerance = 0.001f;
constexpr float kBisectionWidth = 1.0E-7f;
constexpr int kBisectionSteps = 100;

constexpr int64_t kSearchFromStartCode = 19;
constexpr int64_t kSearchFromEndCode = 103;

bool IsMissing(float value) { return value == kMissingValue; }

// A list entry that names point 1..23 (anything else ends a list).
bool IsListedPoint(int64_t entry) { return entry >= 1 && entry <= kCurvePoints; }

// The pair of levels that bracket a pressure; (0, 0) for a stream outside 1..3.
void BracketLevels(float pressure, int64_t stream, int64_t pair[2]) {
  pair[0] = 0;
  pair[1] = 0;
  if (!IsCurveStream(stream)) return;
  FindBracket(pressure, g_streamCurves.LevelPressures[stream - 1], pair,
              g_streamCurves.LevelOrder[stream - 1], kCurveLevels);
}

// Pressure of a level named by a bracket (always 1..3 there).
float LevelPressure(int64_t level, int64_t stream) { return LevelPressuresAt(level, stream); }

template <int64_t Columns>
float InterpolateOnLevel(const float (&values)[Columns][kCurveStreams][kCurveLevels][kCurvePoints],
                         float x, const PointAxis& axis, const PointList& list, int64_t level,
                         int64_t stream, int64_t k) {
  int64_t pair[2] = {0, 0};
  const bool inRange = IsCurveLevel(level) && IsCurveStream(stream) && k >= 1 && k <= Columns;
  if (inRange) {
    FindBracket(x, axis[stream - 1][level - 1], pair, list[stream - 1][level - 1], kCurvePoints);
  }
  // A pair entry without a point stands for a missing end.
  float x1 = kMissingValue, y1 = kMissingValue, x2 = kMissingValue, y2 = kMissingValue;
  if (pair[0] != 0) {
    x1 = axis[stream - 1][level - 1][pair[0] - 1];
    y1 = values[k - 1][stream - 1][level - 1][pair[0] - 1];
  }
  if (pair[1] != 0) {
    x2 = axis[stream - 1][level - 1][pair[1] - 1];
    y2 = values[k - 1][stream - 1][level - 1][pair[1] - 1];
  }
  return InterpolateSegment(x, x1, y1, x2, y2, k);
}

// The first temperature-ordered point of a level, 0 when the list is empty.
int64_t FirstTemperaturePoint(int64_t level, int64_t stream) {
  const int64_t first = g_streamCurves.TemperatureOrder[stream - 1][level - 1][0];
  return IsListedPoint(first) ? first : 0;
}

// One level's share of StreamProperty for a code other than 101..104; the
// level is dropped (set to 0) when it cannot give a value.
float LevelShare(int64_t axis, int64_t code, float x, int64_t stream, int64_t* level) {
  if (*level == 0) return 0.0f;
  const int64_t first = FirstTemperaturePoint(*level, stream);
  if (first == 0) {
    *level = 0;
    return 0.0f;
  }
  if (code > 200) {
    const int64_t column = code - 200;
    if (!IsCurveExtraColumn(column) || IsMissing(ExtraColumnsAt(first, *level, stream, column))) {
      *level = 0;
      return 0.0f;
    }
    // Extra columns are always read along the second axis and always
    // corrected as non-negative: the flag tells the segment interpolation so.
    g_curveModeBlock.ExtraColumnMode = 1;
    const float value =
        InterpolateAtLevel(g_streamCurves.ExtraColumns, x, g_streamCurves.SecondAxisCopy,
                           g_streamCurves.SecondAxisOrder, *level, stream, column);
    g_curveModeBlock.ExtraColumnMode = 0;
    return value;
  }
  if (!IsCurveProperty(code) || IsMissing(CurveValuesAt(first, *level, stream, code))) {
    *level = 0;
    return 0.0f;
  }
  if (axis == 1) {
    return InterpolateAtLevel(g_streamCurves.CurveValues, x, g_streamCurves.TemperatureAxisCopy,
                              g_streamCurves.TemperatureOrder, *level, stream, code);
  }
  return InterpolateAtLevel(g_streamCurves.CurveValues, x, g_streamCurves.SecondAxisCopy,
                            g_streamCurves.SecondAxisOrder, *level, stream, code);
}

// Whether a temperature lies between two others, with the search margin on
// both sides, in either direction.
bool Encloses(float temperature, float tPrev, float tCur) {
  return (tPrev - kTemperatureTolerance <= temperature &&
          temperature <= tCur + kTemperatureTolerance) ||
         (tCur - kTemperatureTolerance <= temperature &&
          temperature <= tPrev + kTemperatureTolerance);
}

float PointTemperature(int64_t point, int64_t level, int64_t stream) {
  return CurveValuesAt(point, level, stream, kPropertyTemperature);
}

float PointSecondAxis(int64_t point, int64_t level, int64_t stream) {
  return SecondAxisCopyAt(point, level, stream);
}

bool IsSearchableLevel(int64_t level, int64_t stream) {
  return IsCurveLevel(level) && IsCurveStream(stream);
}

// The walk of both crossing searches over one level's second-axis list: from
// the listed point at position `start`, position by position in direction
// `step` (+1 or -1) up to position `stop`, the second-axis value interpolated
// in temperature on the first segment whose two temperatures enclose
// `temperature`; kMissingValue at the end of the list or of the walk.
float CrossingAlongList(float temperature, const int64_t* list, int64_t start, int64_t step,
                        int64_t stop, int64_t level, int64_t stream, int64_t code) {
  int64_t prev = list[start - 1];
  float tPrev = PointTemperature(prev, level, stream);
  for (int64_t position = start + step; position != stop + step; position += step) {
    const int64_t cur = list[position - 1];
    if (!IsListedPoint(cur)) return kMissingValue;
    const float tCur = PointTemperature(cur, level, stream);
    if (Encloses(temperature, tPrev, tCur)) {
      return InterpolateSegment(temperature, tPrev, PointSecondAxis(prev, level, stream), tCur,
                                PointSecondAxis(cur, level, stream), code);
    }
    prev = cur;
    tPrev = tCur;
  }
  return kMissingValue;
}

}  // namespace

bool IsNonNegativeCode(int64_t code) { return code < 20 || code == 21 || code > 102; }

void FindBracket(float x, const float* abscissae, int64_t pair[2], const int64_t* list, int64_t n) {
  pair[0] = 0;
  pair[1] = 0;
  if (n < 2) return;
  for (int64_t i = 1; i <= n; ++i) {
    const int64_t e = list[i - 1];
    if (e <= 0 || e > n) {
      if (i == 2) {
        pair[0] = list[0];
      } else if (i > 2) {
        pair[0] = list[i - 3];
        pair[1] = list[i - 2];
      }
      return;
    }
    // Written as "not at or below" so that a value that does not compare
    // (NaN) moves on, like an abscissa below x.
    if (!(x <= abscissae[e - 1])) continue;
    if (i == 1) {
      pair[0] = list[0];
      pair[1] = list[1];
      // The second entry may end the list: a one-entry list gives (entry, 0).
      if (pair[1] <= 0 || pair[1] > n) pair[1] = 0;
    } else {
      pair[0] = list[i - 2];
      pair[1] = list[i - 1];
    }
    return;
  }
  pair[0] = list[n - 2];
  pair[1] = list[n - 1];
}

float InterpolateSegment(float x, float x1, float y1, float x2, float y2, int64_t code) {
  const int64_t correction = g_curveModeBlock.ExtraColumnMode == 1 ? 1 : code;
  float y;
  if (IsMissing(x2)) {
    y = y1;
  } else if (IsMissing(x1)) {
    y = y2;
  } else if (x1 == x2) {
    y = y1;
  } else if (std::fabs(x - x1) < kPointTolerance) {
    y = y1;
  } else if (std::fabs(x - x2) < kPointTolerance) {
    y = y2;
  } else {
    y = y1 + ((y2 - y1) / (x2 - x1)) * (x - x1);
  }
  if (IsNonNegativeCode(correction) && y < 0.0f) {
    // Outside the segment take the end on that side, inside it the second
    // end when that is positive; never negative.
    if (x1 < x2) {
      if (x < x1) {
        y = y1;
      } else if (x > x2) {
        y = y2;
      } else {
        y = y2 > 0.0f ? y2 : y1;
      }
    } else {
      if (x > x1) {
        y = y1;
      } else if (x < x2) {
        y = y2;
      } else {
        y = y2 > 0.0f ? y2 : y1;
      }
    }
    if (y < 0.0f) y = 0.0f;
  }
  return y;
}

float InterpolateAtLevel(const CurveValueTable& values, float x, const PointAxis& axis,
                         const PointList& list, int64_t level, int64_t stream, int64_t k) {
  return InterpolateOnLevel(values, x, axis, list, level, stream, k);
}

float InterpolateAtLevel(const ExtraColumnTable& values, float x, const PointAxis& axis,
                         const PointList& list, int64_t level, int64_t stream, int64_t k) {
  return InterpolateOnLevel(values, x, axis, list, level, stream, k);
}

float StreamProperty(int64_t axis, int64_t code, float x, float pressure, int64_t stream) {
  int64_t levels[2];
  BracketLevels(pressure, stream, levels);
  int64_t l1 = levels[0];
  int64_t l2 = levels[1];

  // An axis asked for its own abscissa.
  if ((axis == 1 && code == kPropertyTemperature) || (axis == 2 && code == kPropertySecondAxis)) {
    return x;
  }

  float val1 = 0.0f;
  float val2 = 0.0f;
  if (IsLevelValueCode(code)) {
    if (l1 != 0) val1 = LevelValuesAt(code, l1, stream);
    if (l2 != 0) val2 = LevelValuesAt(code, l2, stream);
  } else {
    val1 = LevelShare(axis, code, x, stream, &l1);
    val2 = LevelShare(axis, code, x, stream, &l2);
  }

  float r;
  if (l1 != 0 && l2 != 0) {
    r = InterpolateSegment(pressure, LevelPressure(l1, stream), val1, LevelPressure(l2, stream),
                           val2, code);
  } else if (l1 != 0) {
    r = val1;
  } else {
    r = val2;
  }
  if (IsNonNegativeCode(code) && r < 0.0f) r = 0.0f;
  return r;
}

float EvaluateStreamProperty(int64_t axis, int64_t code, float x, float pressure, int64_t stream) {
  if (axis == 2 || code > 21) return StreamProperty(axis, code, x, pressure, stream);
  if (axis == 1 && code == kPropertyTemperature) return x;

  // x is a temperature: find the second-axis value where the stream has that
  // temperature, starting from the estimate along the temperature axis.
  const float s0 = StreamProperty(1, kPropertySecondAxis, x, pressure, stream);
  float hi = 1.2f * s0;
  float lo = 0.8f * s0;
  const bool rising = StreamProperty(2, kPropertyTemperature, hi, pressure, stream) >
                      StreamProperty(2, kPropertyTemperature, lo, pressure, stream);
  float mid = 0.0f;
  for (int step = 1; step <= kBisectionSteps; ++step) {
    mid = lo + (hi - lo) * 0.5f;
    const float t = StreamProperty(2, kPropertyTemperature, mid, pressure, stream);
    if (std::fabs(t - x) < kTemperatureTolerance) break;
    if (t > x) {
      if (rising) {
        hi = mid;
      } else {
        lo = mid;
      }
    } else {
      if (rising) {
        lo = mid;
      } else {
        hi = mid;
      }
    }
    if (std::fabs(hi - lo) < kBisectionWidth) break;
  }
  return StreamProperty(2, code, mid, pressure, stream);
}

float ExtraColumnAt(int64_t column, float x, float pressure, int64_t stream) {
  if (!IsCurveExtraColumn(column)) return 0.0f;
  return EvaluateStreamProperty(2, column + 200, x, pressure, stream);
}

float SecondAxisAtTemperatureFromStart(float temperature, int64_t level, int64_t stream) {
  if (!IsSearchableLevel(level, stream)) return kMissingValue;
  const int64_t* list = g_streamCurves.SecondAxisOrder[stream - 1][level - 1];
  if (!IsListedPoint(list[0])) return kMissingValue;
  return CrossingAlongList(temperature, list, 1, 1, kCurvePoints, level, stream,
                           kSearchFromStartCode);
}

float SecondAxisAtTemperatureFromEnd(float temperature, int64_t level, int64_t stream) {
  if (!IsSearchableLevel(level, stream)) return kMissingValue;
  const int64_t* list = g_streamCurves.SecondAxisOrder[stream - 1][level - 1];
  for (int64_t position = kCurvePoints; position >= 2; --position) {
    if (IsListedPoint(list[position - 1])) {
      return CrossingAlongList(temperature, list, position, -1, 1, level, stream,
                               kSearchFromEndCode);
    }
  }
  return kMissingValue;
}

float SecondAxisAtTemperature(float temperature, float pressure, int64_t stream, int64_t end) {
  int64_t levels[2];
  BracketLevels(pressure, stream, levels);
  float a;
  float b;
  if (end == 1) {
    a = SecondAxisAtTemperatureFromStart(temperature, levels[0], stream);
    b = SecondAxisAtTemperatureFromStart(temperature, levels[1], stream);
  } else {
    a = SecondAxisAtTemperatureFromEnd(temperature, levels[0], stream);
    b = SecondAxisAtTemperatureFromEnd(temperature, levels[1], stream);
  }
  if (!IsMissing(a) && !IsMissing(b)) {
    return InterpolateSegment(pressure, LevelPressure(levels[0], stream), a,
                              LevelPressure(levels[1], stream), b, kSearchFromStartCode);
  }
  if (!IsMissing(a)) return a;
  return b;
}
