#include "engine/main/temperature_grid.h"

#include <cmath>

namespace {

// The nearest four-byte real to 0.999: it rounds the step count up unless the
// range exceeds a whole number of steps by at most a thousandth of a step.
constexpr float kRoundUp = 0.999f;

int64_t StepCount(float quotient) {
  const float q = quotient + kRoundUp;
  if (!(q < static_cast<float>(kMaxGridSteps))) return kMaxGridSteps;  // NaN too
  if (q < 0.0f) return 0;
  return static_cast<int64_t>(q);
}

}  // namespace

void BuildTemperatureGrid(float start, float end, float step, TemperatureGrid* grid) {
  const bool hasStart = start != 0.0f;
  const bool hasEnd = end != 0.0f;
  const bool hasStep = step != 0.0f;
  int64_t n = 0;
  if (hasStart && hasEnd && hasStep) {
    step = end >= start ? std::fabs(step) : -std::fabs(step);
    n = StepCount((end - start) / step);
    end = start + step * static_cast<float>(n);
  } else if (hasStart && hasEnd) {
    n = 20;
    step = (end - start) / 20.0f;
  } else if (hasStart && hasStep) {
    n = 20;
    end = start + 20.0f * step;
  } else if (hasStart) {
    end = start;
    step = 0.0f;
  } else if (hasEnd && hasStep) {
    n = 20;
    start = end - 20.0f * step;
  } else if (hasEnd) {
    start = end;
    step = 0.0f;
  } else {
    start = 100.0f;
    end = 100.0f;
    step = 0.0f;
  }
  grid->start = start;
  grid->end = end;
  grid->step = step;
  grid->steps = n;
  for (int64_t i = 0; i < kMaxGridPoints; ++i) {
    grid->point[i] = i <= n ? start + static_cast<float>(i) * step : 0.0f;
  }
}
