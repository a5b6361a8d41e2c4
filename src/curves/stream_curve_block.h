// The process-wide block of stream property curves, and the one-flag block
// beside it.
//
// Up to 3 streams, each with up to 3 pressure levels, each level a curve of 23
// points; every point carries 21 properties and 50 extra columns. The run input
// reader resets, fills and completes the block; the curve preparation builds the
// axis copies, the ordered lists and the per-level values; the evaluation
// routines only read it.
//
// Numbering is 1-based everywhere: point 1..23, level 1..3, stream 1..3,
// property 1..21, extra column 1..50, list position 1..23 (1..3 for levels),
// level-value code 101..104.
//
// Storage order: the point index varies fastest, then the level, then the
// stream, then the property (or column). The C arrays below are therefore
// declared with the dimensions reversed:
//
//   TemperatureAxisCopy[stream-1][level-1][point-1]
//   LevelPressures     [stream-1][level-1]
//   SecondAxisCopy     [stream-1][level-1][point-1]
//   CurveValues        [property-1][stream-1][level-1][point-1]
//   TemperatureOrder   [stream-1][level-1][position-1]
//   LevelOrder         [stream-1][position-1]
//   SecondAxisOrder    [stream-1][level-1][position-1]
//   LevelValues        [code-101][stream-1][level-1]      (tables 101,102,103,104)
//   ExtraColumns       [column-1][stream-1][level-1][point-1]
//
// Code outside src/curves should not index the arrays by hand: use the
// accessors below, which are named after the member with "At" appended and take
// the 1-based indices in the order (point or position, level, stream, property
// or column); e.g. CurveValuesAt(p, l, s, k) is CurveValues[k-1][s-1][l-1][p-1]
// and LevelValuesAt(103, l, s) is LevelValues[2][s-1][l-1]. An index
// outside its range never touches the block: the accessor then hands back a
// scratch cell that reads MissingValue (0 for the lists), and whatever is
// written into it is lost.
//
// A stored real is missing when it compares exactly equal to kMissingValue; no
// tolerance is applied anywhere.
#pragma once

#include <cstdint>

constexpr float kMissingValue = -1.0E35f;

constexpr int64_t kCurvePoints = 23;
constexpr int64_t kCurveLevels = 3;
constexpr int64_t kCurveStreams = 3;
constexpr int64_t kCurveProperties = 21;
constexpr int64_t kCurveExtraColumns = 50;
constexpr int64_t kFirstLevelValueCode = 101;
constexpr int64_t kLevelValueTables = 4;  // codes 101, 102, 103, 104

// Property numbers with a fixed meaning.
constexpr int64_t kPropertyLocator = 4;       // 1 and 0 locate codes 101..104
constexpr int64_t kPropertySecondAxis = 17;   // stored as its magnitude
constexpr int64_t kPropertyTemperature = 20;  // a point exists only with it

// Members in their fixed order; element types and sizes are part of the
// layout (reals are four bytes, lists eight-byte integers).
struct StreamCurves {
  float TemperatureAxisCopy[kCurveStreams][kCurveLevels][kCurvePoints];
  float LevelPressures[kCurveStreams][kCurveLevels];
  float SecondAxisCopy[kCurveStreams][kCurveLevels][kCurvePoints];
  float CurveValues[kCurveProperties][kCurveStreams][kCurveLevels][kCurvePoints];
  int64_t TemperatureOrder[kCurveStreams][kCurveLevels][kCurvePoints];
  int64_t LevelOrder[kCurveStreams][kCurveLevels];
  int64_t SecondAxisOrder[kCurveStreams][kCurveLevels][kCurvePoints];
  float LevelValues[kLevelValueTables][kCurveStreams][kCurveLevels];
  float ExtraColumns[kCurveExtraColumns][kCurveStreams][kCurveLevels][kCurvePoints];
};

// The block of the one flag that the property routine raises while it
// interpolates an extra column on one level; the segment interpolation reads it.
struct CurveModeBlock {
  int64_t ExtraColumnMode;
};

extern StreamCurves g_streamCurves;
extern CurveModeBlock g_curveModeBlock;

// Range tests of the 1-based indices.
inline bool IsCurvePoint(int64_t point) { return point >= 1 && point <= kCurvePoints; }
inline bool IsCurveLevel(int64_t level) { return level >= 1 && level <= kCurveLevels; }
inline bool IsCurveStream(int64_t stream) { return stream >= 1 && stream <= kCurveStreams; }
inline bool IsCurveProperty(int64_t property) {
  return property >= 1 && property <= kCurveProperties;
}
inline bool IsCurveExtraColumn(int64_t column) {
  return column >= 1 && column <= kCurveExtraColumns;
}
inline bool IsLevelValueCode(int64_t code) {
  return code >= kFirstLevelValueCode && code < kFirstLevelValueCode + kLevelValueTables;
}

// Accessors of g_streamCurves (see the index order above).
float& TemperatureAxisCopyAt(int64_t point, int64_t level, int64_t stream);
float& LevelPressuresAt(int64_t level, int64_t stream);
float& SecondAxisCopyAt(int64_t point, int64_t level, int64_t stream);
float& CurveValuesAt(int64_t point, int64_t level, int64_t stream, int64_t property);
int64_t& TemperatureOrderAt(int64_t position, int64_t level, int64_t stream);
int64_t& LevelOrderAt(int64_t position, int64_t stream);
int64_t& SecondAxisOrderAt(int64_t position, int64_t level, int64_t stream);
float& LevelValuesAt(int64_t code, int64_t level, int64_t stream);  // code 101..104
float& ExtraColumnsAt(int64_t point, int64_t level, int64_t stream, int64_t column);

// The run input reader's whole-block steps, each one pass over contiguous
// storage (the reader runs once per input, and per-element accessor calls
// made it the slowest part of reading a file):
// - the reset: level pressures, level values of codes 101 and 102, both axis
//   copies, the curve values and the extra columns become kMissingValue (the
//   level values of codes 103 and 104 and the three lists stay as they are);
// - the completion: every point whose temperature (property 20) is missing
//   loses all its properties and extra columns.
void MarkStreamCurvesMissing();
void BlankPointsWithoutTemperature();

// Both blocks back to their load-time state: every member zero.
void ResetStreamCurveBlocksForTests();
