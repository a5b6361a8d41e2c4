// The temperature grid of a run: up to 100 points from the start, end and step
// temperatures of the run input file.
#pragma once

#include <cstdint>

constexpr int kMaxGridPoints = 100;
constexpr int64_t kMaxGridSteps = 99;

struct TemperatureGrid {
  float start;
  float end;
  float step;
  int64_t steps;                // N: the grid has N + 1 points
  float point[kMaxGridPoints];  // points 1 to N + 1 at index 0 to N
};

// Builds the grid. A start, end or step of exactly 0.0 counts as not given;
// start, end and step are replaced by the values the rules give them. All
// arithmetic is in four-byte reals; the step count is clamped before it is
// converted, so a huge, infinite or NaN quotient gives 99 steps.
void BuildTemperatureGrid(float start, float end, float step, TemperatureGrid* grid);
