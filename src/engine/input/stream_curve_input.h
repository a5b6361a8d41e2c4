// The run input reader's side of the stream property curves: the reset before
// a file is read, the completion after it, and where a line of a stream curve
// group is stored.
#pragma once

#include <cstdint>

// Sets to the missing value: the level pressures, the level values of codes
// 101 and 102, both axis copies, every curve value and every extra column. The
// level values of codes 103 and 104 and the three ordered lists are left as
// they are.
void ResetStreamCurves();

// After a file is read: a point without temperature loses every property and
// extra column; a level without any point loses its pressure; stream 3, whose
// pressures the file cannot give, gets the pressure 1.0 on level 1 once any of
// its levels has a point.
void FinishStreamCurves();

enum class CurveMember { None, CurveValues, LevelPressures };

// What a stream curve group fills: the member, the stream and (for the curve
// values) the property. None for a code that fills nothing.
struct CurveGroup {
  CurveMember member;
  int64_t stream;
  int64_t property;
};
CurveGroup CurveGroupOf(int64_t code);

// Line k (from 1) of a curve-value group: point (k - 1) mod 23 + 1 of level
// (k - 1) div 23 + 1. False beyond the 69 points of a stream.
bool CurveLinePosition(int64_t k, int64_t* point, int64_t* level);

// The cell that line k of group `code` writes, or nullptr when the code is no
// stream curve group or the line lies beyond the group's capacity.
float* CurveGroupCell(int64_t code, int64_t k);

// Codes whose values are held as magnitudes (property 17).
bool IsMagnitudeCode(int64_t code);
