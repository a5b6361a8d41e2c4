// Evaluation and search along the stream property curves, after
// PrepareStreamCurves (conventions in curves/stream_curves.h).
#pragma once

#include <cstdint>

#include "curves/stream_curves.h"

// True for the codes whose negative results are corrected.
bool IsNonNegativeCode(int64_t code);

// The two entries of `list` (numbers 1..n, ordered by ascending abscissa,
// ended by the first entry that is 0 or negative) that bracket x:
// at or below the first abscissa the first two, above the last the last two,
// otherwise the entry before and the first entry at or above x. A one-entry
// list gives (entry, 0), an empty one (0, 0). `abscissae` and `list` each hold
// n values; abscissae[e - 1] belongs to number e. An entry above n ends the
// list, and n below 2 gives (0, 0).
void FindBracket(float x, const float* abscissae, int64_t pair[2], const int64_t* list, int64_t n);

// Linear interpolation (or extrapolation) on the segment (x1, y1)-(x2, y2),
// with the rules for missing or coincident ends and, for the non-negative class
// (or while ExtraColumnMode is 1), the correction of a negative result.
float InterpolateSegment(float x, float x1, float y1, float x2, float y2, int64_t code);

// Property (or extra column) k at abscissa x on one level, along the given
// axis copy and its ordered list. A level without listed points gives
// kMissingValue (0.0 for the non-negative class).
float InterpolateAtLevel(const CurveValueTable& values, float x, const PointAxis& axis,
                         const PointList& list, int64_t level, int64_t stream, int64_t k);
float InterpolateAtLevel(const ExtraColumnTable& values, float x, const PointAxis& axis,
                         const PointList& list, int64_t level, int64_t stream, int64_t k);

// Property `code` of the stream at abscissa x on `axis` and at `pressure`,
// linear between the two levels that bracket the pressure. 0.0 when no level
// is usable; x itself for the temperature on axis 1 and property 17 on axis 2.
float StreamProperty(int64_t axis, int64_t code, float x, float pressure, int64_t stream);

// As StreamProperty, except that a curve property (code up to 21) asked on
// axis 1 is taken along the second axis at the second-axis value where the
// stream's temperature equals x, found by bisection (at most 100 steps in the
// window 0.8..1.2 times the first estimate; no failure is reported when the
// window misses the temperature).
float EvaluateStreamProperty(int64_t axis, int64_t code, float x, float pressure, int64_t stream);

// Extra column 1..50 at second-axis value x.
float ExtraColumnAt(int64_t column, float x, float pressure, int64_t stream);

// The second-axis value at which the stream's temperature reaches
// `temperature` (within 0.001) on one level: the first segment in ascending
// second-axis order (FromStart) or in descending order (FromEnd). kMissingValue
// when no segment encloses the temperature.
float SecondAxisAtTemperatureFromStart(float temperature, int64_t level, int64_t stream);
float SecondAxisAtTemperatureFromEnd(float temperature, int64_t level, int64_t stream);

// The same between the two levels that bracket `pressure`; end 1 searches
// from the start, any other value from the end.
float SecondAxisAtTemperature(float temperature, float pressure, int64_t stream, int64_t end);
