// Preparation of the curves the run input reader stored: axis copies, removal
// of empty and duplicate points, the ordered lists, repair of the properties
// that must be positive and the per-level values; plus the sorts, the reset of
// one stream and the small queries over a prepared block.
#include "curves/curve_preparation.h"

#include <cmath>
#include <cstdint>

#include "curves/curve_evaluation.h"

namespace {

constexpr float kLocatorTolerance = 1.0E-6f;
constexpr float kSameTemperature = 1.0E-7f;
constexpr float kMonotonicStep = 0.001f;

// Codes of the per-level tables.
constexpr int64_t kTemperatureAtOne = 101;
constexpr int64_t kTemperatureAtZero = 102;
constexpr int64_t kSecondAxisAtOne = 103;
constexpr int64_t kSecondAxisAtZero = 104;

bool IsMissing(float value) { return value == kMissingValue; }
bool IsPresent(float value) { return value != kMissingValue; }
bool IsListedPoint(int64_t entry) { return entry >= 1 && entry <= kCurvePoints; }

// Shorthands over one level of one stream; indices are in range wherever
// these are used.
float& T(int64_t p, int64_t level, int64_t stream) {
  return TemperatureAxisCopyAt(p, level, stream);
}
float& S(int64_t p, int64_t level, int64_t stream) { return SecondAxisCopyAt(p, level, stream); }
float& V(int64_t p, int64_t level, int64_t stream, int64_t k) {
  return CurveValuesAt(p, level, stream, k);
}

// Number of entries of a point list before its end.
int64_t ListCount(const int64_t* list) {
  int64_t count = 0;
  while (count < kCurvePoints && IsListedPoint(list[count])) ++count;
  return count;
}

// Phase 1: the axes are working copies of properties 20 and 17; a point
// without temperature has no second-axis value either.
void CopyAxes() {
  for (int64_t stream = 1; stream <= kCurveStreams; ++stream) {
    for (int64_t level = 1; level <= kCurveLevels; ++level) {
      for (int64_t p = 1; p <= kCurvePoints; ++p) {
        T(p, level, stream) = V(p, level, stream, kPropertyTemperature);
        if (IsMissing(T(p, level, stream))) {
          S(p, level, stream) = kMissingValue;
          V(p, level, stream, kPropertySecondAxis) = kMissingValue;
        } else {
          S(p, level, stream) = V(p, level, stream, kPropertySecondAxis);
        }
      }
    }
  }
}

bool HasOnlyTemperature(int64_t p, int64_t level, int64_t stream) {
  for (int64_t k = 1; k <= kCurveProperties; ++k) {
    if (k != kPropertyTemperature && IsPresent(V(p, level, stream, k))) return false;
  }
  return true;
}

bool SameProperties(int64_t p, int64_t q, int64_t level, int64_t stream) {
  for (int64_t k = 1; k <= kCurveProperties; ++k) {
    if (k != kPropertyTemperature && !(V(p, level, stream, k) == V(q, level, stream, k)))
      return false;
  }
  return true;
}

// Phase 2: on levels with a pressure, a point with nothing but a temperature
// leaves the temperature axis, and of identical points at the same
// temperature only the last stays.
void RemoveEmptyAndDuplicatePoints() {
  for (int64_t stream = 1; stream <= kCurveStreams; ++stream) {
    for (int64_t level = 1; level <= kCurveLevels; ++level) {
      if (IsMissing(LevelPressuresAt(level, stream))) continue;
      for (int64_t p = 1; p <= kCurvePoints; ++p) {
        if (IsMissing(T(p, level, stream))) continue;
        if (HasOnlyTemperature(p, level, stream)) {
          T(p, level, stream) = kMissingValue;
          continue;
        }
        for (int64_t q = p + 1; q <= kCurvePoints; ++q) {
          if (IsMissing(T(q, level, stream)) || !(T(q, level, stream) == T(p, level, stream)))
            continue;
          // Only the first later point at the same temperature is compared.
          if (SameProperties(p, q, level, stream)) {
            T(p, level, stream) = kMissingValue;
            S(p, level, stream) = kMissingValue;
            V(p, level, stream, kPropertySecondAxis) = kMissingValue;
            V(p, level, stream, kPropertyTemperature) = kMissingValue;
          }
          break;
        }
      }
    }
  }
}

// Phase 3: the point lists of every level. Where two points share a
// temperature with different second-axis values the temperature order is
// ambiguous, and the second-axis order (reversed for stream 1) stands in.
void BuildPointLists() {
  for (int64_t stream = 1; stream <= kCurveStreams; ++stream) {
    for (int64_t level = 1; level <= kCurveLevels; ++level) {
      LevelOrderAt(level, stream) = 0;
    }
    for (int64_t level = 1; level <= kCurveLevels; ++level) {
      int64_t* byTemperature = g_streamCurves.TemperatureOrder[stream - 1][level - 1];
      int64_t* bySecondAxis = g_streamCurves.SecondAxisOrder[stream - 1][level - 1];
      const float* temperatures = g_streamCurves.TemperatureAxisCopy[stream - 1][level - 1];
      const float* secondAxis = g_streamCurves.SecondAxisCopy[stream - 1][level - 1];
      for (int64_t i = 0; i < kCurvePoints; ++i) {
        byTemperature[i] = 0;
        bySecondAxis[i] = 0;
      }
      SortValidPoints(bySecondAxis, secondAxis, kCurvePoints);
      int64_t flag = 0;
      SortValidPointsChecked(byTemperature, temperatures, secondAxis, kCurvePoints, &flag);
      if (flag != 1) continue;
      const int64_t count = ListCount(bySecondAxis);
      for (int64_t i = 0; i < kCurvePoints; ++i) byTemperature[i] = 0;
      for (int64_t i = 0; i < count; ++i) {
        byTemperature[i] = stream == 1 ? bySecondAxis[count - 1 - i] : bySecondAxis[i];
      }
    }
  }
}

// Phase 4: levels by ascending pressure.
void BuildLevelLists() {
  for (int64_t stream = 1; stream <= kCurveStreams; ++stream) {
    SortValidPoints(g_streamCurves.LevelOrder[stream - 1],
                    g_streamCurves.LevelPressures[stream - 1], kCurveLevels);
  }
}

// Phase 5, one property of one level: every listed value that is not above 0
// is replaced by interpolation in temperature between the good ones.
void RepairProperty(int64_t k, int64_t level, int64_t stream) {
  const int64_t* list = g_streamCurves.TemperatureOrder[stream - 1][level - 1];
  const int64_t count = ListCount(list);
  int64_t good[kCurvePoints];
  int64_t m = 0;
  for (int64_t i = 0; i < count; ++i) {
    if (V(list[i], level, stream, k) > 0.0f) good[m++] = list[i];
  }
  if (m == 0) return;
  for (int64_t i = 0; i < count; ++i) {
    const int64_t p = list[i];
    if (V(p, level, stream, k) > 0.0f) continue;
    if (m == 1) {
      V(p, level, stream, k) = V(good[0], level, stream, k);
      continue;
    }
    int64_t a = good[0];
    int64_t b = good[1];
    if (m >= 3) {
      const float tp = T(p, level, stream);
      if (tp <= T(good[0], level, stream)) {
        a = good[0];
        b = good[1];
      } else if (tp >= T(good[m - 1], level, stream)) {
        a = good[m - 2];
        b = good[m - 1];
      } else {
        // A temperature that compares with nothing (NaN) takes the last pair.
        a = good[m - 2];
        b = good[m - 1];
        for (int64_t j = 1; j < m; ++j) {
          if (tp < T(good[j], level, stream)) {
            a = good[j - 1];
            b = good[j];
            break;
          }
        }
      }
    }
    V(p, level, stream, k) =
        InterpolateSegment(T(p, level, stream), T(a, level, stream), V(a, level, stream, k),
                           T(b, level, stream), V(b, level, stream, k), k);
  }
}

void RepairPositiveProperties() {
  for (int64_t stream = 1; stream <= kCurveStreams; ++stream) {
    for (int64_t level = 1; level <= kCurveLevels; ++level) {
      for (int64_t k = 5; k <= 16; ++k) RepairProperty(k, level, stream);
      RepairProperty(21, level, stream);
    }
  }
}

// Phase 6, one target of one level: where property 4 reaches the target
// (1 or 0), its temperature and its property 17.
void LocateTarget(int64_t target, int64_t level, int64_t stream) {
  const bool one = target == 1;
  const int64_t temperatureTable = one ? kTemperatureAtOne : kTemperatureAtZero;
  const int64_t secondTable = one ? kSecondAxisAtOne : kSecondAxisAtZero;
  const float targetValue = one ? 1.0f : 0.0f;
  float& temperatureOut = LevelValuesAt(temperatureTable, level, stream);
  float& secondOut = LevelValuesAt(secondTable, level, stream);

  const int64_t* list = g_streamCurves.SecondAxisOrder[stream - 1][level - 1];
  const int64_t c = ListCount(list);
  if (c == 0) {
    // Nothing to locate on: no stale value of an earlier run may survive.
    temperatureOut = kMissingValue;
    secondOut = kMissingValue;
    return;
  }

  // Stream 1 keeps the last match for 1 and the first for 0; stream 2 the
  // other way round.
  const bool firstMatchStands = (stream == 1) != one;
  bool matched = false;
  for (int64_t i = 0; i < c; ++i) {
    const int64_t p = list[i];
    if (std::fabs(V(p, level, stream, kPropertyLocator) - targetValue) < kLocatorTolerance) {
      temperatureOut = T(p, level, stream);
      secondOut = V(p, level, stream, kPropertySecondAxis);
      matched = true;
      if (firstMatchStands) break;
    }
  }
  if (matched) return;

  if (c == 1) {
    temperatureOut = T(list[0], level, stream);
    secondOut = V(list[0], level, stream, kPropertySecondAxis);
    return;
  }

  // No match: extrapolate from one end of the list, the start for stream 1
  // and 1 or stream 2 and 0, the end otherwise.
  const bool fromStart = (stream == 1) == one;
  int64_t ia;
  int64_t ib;
  int64_t step;
  if (fromStart) {
    ia = 0;
    ib = 1;
    step = 1;
  } else {
    ia = c - 1;
    ib = c - 2;
    step = -1;
  }
  const int64_t a = list[ia];
  while (std::fabs(T(a, level, stream) - T(list[ib], level, stream)) < kSameTemperature) {
    const int64_t next = ib + step;
    if (next < 0 || next >= c) break;
    ib = next;
  }
  const int64_t b = list[ib];
  const float ta = T(a, level, stream);
  const float tb = T(b, level, stream);
  const float tx =
      InterpolateSegment(targetValue, V(a, level, stream, kPropertyLocator), ta,
                         V(b, level, stream, kPropertyLocator), tb, kPropertyTemperature);
  const bool beyond = one ? (tx < ta && tx < tb) : (tx > ta && tx > tb);
  if (beyond) {
    temperatureOut = 0.0f;
    secondOut = 0.0f;
    return;
  }
  temperatureOut = tx;
  secondOut = InterpolateSegment(
      targetValue, V(a, level, stream, kPropertyLocator), V(a, level, stream, kPropertySecondAxis),
      V(b, level, stream, kPropertyLocator), V(b, level, stream, kPropertySecondAxis), secondTable);
}

void FillLevelValues() {
  for (int64_t stream = 1; stream <= 2; ++stream) {
    for (int64_t position = 1; position <= kCurveLevels; ++position) {
      const int64_t level = LevelOrderAt(position, stream);
      if (!IsCurveLevel(level)) break;
      LocateTarget(1, level, stream);
      LocateTarget(0, level, stream);
    }
  }
}

// The first and last abscissa of one level's list.
void Span(float* first, float* last, const int64_t* list, const float* axis) {
  const int64_t count = ListCount(list);
  if (count == 0) return;
  *first = axis[list[0] - 1];
  *last = axis[list[count - 1] - 1];
}

// The one sort behind both list builders: list(1..n) = the numbers of the
// present values, then a stable insertion sort (an entry moves forward only
// past strictly larger values). With `second` given, the sort gives up at once
// and returns true when the moving entry meets one of exactly equal value and
// a different second value; the list is then left unfinished.
bool ListAndSort(int64_t* list, const float* values, const float* second, int64_t n) {
  int64_t count = 0;
  for (int64_t i = 1; i <= n; ++i) {
    list[i - 1] = 0;
    if (IsPresent(values[i - 1])) {
      ++count;
      list[count - 1] = i;
    }
  }
  if (count < 2) return false;
  for (int64_t i = 2; i <= count; ++i) {
    for (int64_t j = i; j > 1; --j) {
      const int64_t moving = list[j - 1];
      const int64_t before = list[j - 2];
      if (second != nullptr && values[moving - 1] == values[before - 1] &&
          second[moving - 1] != second[before - 1]) {
        return true;
      }
      if (!(values[moving - 1] < values[before - 1])) break;
      list[j - 1] = before;
      list[j - 2] = moving;
    }
  }
  return false;
}

}  // namespace

void PrepareStreamCurves() {
  CopyAxes();
  RemoveEmptyAndDuplicatePoints();
  BuildPointLists();
  BuildLevelLists();
  RepairPositiveProperties();
  FillLevelValues();
}

void SortValidPoints(int64_t* list, const float* values, int64_t n) {
  ListAndSort(list, values, nullptr, n);
}

void SortValidPointsChecked(int64_t* list, const float* values, const float* second, int64_t n,
                            int64_t* flag) {
  *flag = ListAndSort(list, values, second, n) ? 1 : 0;
}

void ClearStream(int64_t stream) {
  if (!IsCurveStream(stream)) return;
  for (int64_t level = 1; level <= kCurveLevels; ++level) {
    LevelPressuresAt(level, stream) = kMissingValue;
    LevelValuesAt(kTemperatureAtOne, level, stream) = kMissingValue;
    LevelValuesAt(kTemperatureAtZero, level, stream) = kMissingValue;
    for (int64_t p = 1; p <= kCurvePoints; ++p) {
      T(p, level, stream) = kMissingValue;
      S(p, level, stream) = kMissingValue;
      for (int64_t k = 1; k <= kCurveProperties; ++k) V(p, level, stream, k) = kMissingValue;
    }
  }
}

void TemperatureSpan(float* first, float* last, int64_t level, int64_t stream) {
  *first = kMissingValue;
  *last = kMissingValue;
  if (!IsCurveLevel(level) || !IsCurveStream(stream)) return;
  Span(first, last, g_streamCurves.TemperatureOrder[stream - 1][level - 1],
       g_streamCurves.TemperatureAxisCopy[stream - 1][level - 1]);
}

void SecondAxisSpan(float* first, float* last, int64_t level, int64_t stream) {
  *first = kMissingValue;
  *last = kMissingValue;
  if (!IsCurveLevel(level) || !IsCurveStream(stream)) return;
  Span(first, last, g_streamCurves.SecondAxisOrder[stream - 1][level - 1],
       g_streamCurves.SecondAxisCopy[stream - 1][level - 1]);
}

int64_t TestCurveMonotonic(int64_t stream) {
  if (!IsCurveStream(stream)) return 0;
  for (int64_t level = 1; level <= kCurveLevels; ++level) {
    if (IsMissing(LevelPressuresAt(level, stream))) continue;
    const int64_t* list = g_streamCurves.SecondAxisOrder[stream - 1][level - 1];
    const int64_t count = ListCount(list);
    // Direction per level: 0 undecided, 1 rising, -1 falling.
    int direction = 0;
    float previous = 0.0f;
    for (int64_t i = 0; i < count; ++i) {
      const float current = V(list[i], level, stream, kPropertyTemperature);
      if (i > 0) {
        if (std::fabs(previous - current) <= kMonotonicStep) return 2;
        if (direction == 0) {
          direction = current > previous ? 1 : -1;
        } else if ((direction == 1 && current < previous) ||
                   (direction == -1 && current > previous)) {
          return 1;
        }
      }
      previous = current;
    }
  }
  return 0;
}

int64_t CountPressureLevels(int64_t stream) {
  if (!IsCurveStream(stream)) return 0;
  int64_t count = 0;
  for (int64_t level = 1; level <= kCurveLevels; ++level) {
    if (IsPresent(LevelPressuresAt(level, stream))) ++count;
  }
  return count;
}
