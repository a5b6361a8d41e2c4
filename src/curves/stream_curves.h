// Stream property curves: the conventions and storage shapes shared by the
// evaluation and searches (curve_evaluation.h) and the preparation
// (curve_preparation.h) over the process-wide block g_streamCurves
// (curves/stream_curve_block.h).
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
