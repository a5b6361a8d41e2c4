// Preparation of the stream property curves after the run input reader has
// filled the block (conventions in curves/stream_curves.h).
#pragma once

#include <cstdint>

#include "curves/stream_curves.h"

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
void SortValidPointsChecked(int64_t* list, const float* values, const float* second, int64_t n,
                            int64_t* flag);

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
