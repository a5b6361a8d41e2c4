// Stream property curves: evaluation, searches and preparation over the
// process-wide block g_streamCurves (curves/stream_curve_block.h).
//
// Order of use: the run input reader fills and completes the block, then
// PrepareStreamCurves builds the axis copies, the ordered lists and the
// per-level values; only then may the evaluation routines run. The evaluation
// routines never change the block (the property routine alone raises and drops
// g_curveModeBlock.ExtraColumnMode around one extra-column interpolation).
//
// Conventions:
// - Reals are four-byte and computed in the order written in the .cpp files.
// - A value is missing when it equals kMissingValue exactly.
// - Axis 1 is the temperature axis (TemperatureAxisCopy + TemperatureOrder);
//   any other axis is the second axis (SecondAxisCopy + SecondAxisOrder,
//   abscissae are values of property 17).
// - Property codes: 1..21 a CurveValues property, 101..104 a LevelValues
//   table, 201..250 extra column code - 200. Codes below 20, code 21 and codes
//   above 102 form the non-negative class (a negative result is corrected).
// - Streams and levels are 1..3. An index, code or count outside its range
//   never reads or writes outside the block: the routine then behaves as for a
//   stream or level without data (0.0 from the property routines, kMissingValue
//   from the searches and spans, 0 from the monotonicity test and the level
//   count, nothing from the stream reset).
// - Single-threaded, not reentrant.
#pragma once

#include <cstdint>

#include "curves/stream_curve_block.h"

// Storage shapes of the block's members, for InterpolateAtLevel.
using PointAxis = float[kCurveStreams][kCurveLevels][kCurvePoints];
using PointList = int64_t[kCurveStreams][kCurveLevels][kCurvePoints];
using CurveValueTable = float[kCurveProperties][kCurveStreams][kCurveLevels][kCurvePoints];
using ExtraColumnTable = float[kCurveExtraColumns][kCurveStreams][kCurveLevels][kCurvePoints];

// True for the codes whose negative results are corrected.
bool IsNonNegativeCode(int64_t code);

// ---- Evaluation and search -------------------------------------------------

// The two entries of `list` (numbers 1..n, ordered by ascending abscissa,
// ended by the first entry that is 0 or negative) that bracket x:
// at or below the first abscissa the first two, above the last the last two,
// otherwise the entry before and the first entry at or above x. A one-entry
// list gives (entry, 0), an empty one (0, 0). `abscissae` and `list` each hold
// n values; abscissae[e - 1] belongs to number e. An entry above n ends the
// list, and n below 2 gives (0, 0).
void FindBracket(float x, const float* abscissae, int64_t pair[2], const int64_t* list,
                 int64_t n);

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
float EvaluateStreamProperty(int64_t axis, int64_t code, float x, float pressure,
                             int64_t stream);

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

// ---- Preparation -----------------------------------------------------------

// Builds the working form of the block after the reader has completed it:
// axis copies, removal of empty and duplicate points, the three ordered lists,
// repair of properties 5..16 and 21, and the per-level values of streams 1, 2.
void PrepareStreamCurves();

// list(1..n) = the numbers i of the present values(i), ordered by ascending
// value (stable), then zeros.
void SortValidPoints(int64_t* list, const float* values, int64_t n);

// As SortValidPoints; stops with *flag = 1 as soon as two listed entries have
// equal values and different second values (the list is then left unfinished),
// else *flag = 0.
void SortValidPointsChecked(int64_t* list, const float* values, const float* second,
                            int64_t n, int64_t* flag);

// Sets the level pressures, LevelValues 101 and 102, both axis copies and all
// 21 properties of one stream to kMissingValue; lists, LevelValues 103, 104 and
// the extra columns stay.
void ClearStream(int64_t stream);

// First and last abscissa of a level's ordered list (temperature axis, second
// axis); both kMissingValue for an empty list or a level outside 1..3.
void TemperatureSpan(float* first, float* last, int64_t level, int64_t stream);
void SecondAxisSpan(float* first, float* last, int64_t level, int64_t stream);

// 0 when along the second axis every level's temperatures run strictly one
// way in steps above 0.001; 2 at the first step of 0.001 or less; 1 at the
// first change of direction.
int64_t TestCurveMonotonic(int64_t stream);

// Number of levels of the stream that have a pressure.
int64_t CountPressureLevels(int64_t stream);
