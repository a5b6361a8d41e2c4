// Arbitrary bytes as a run input file: the reader must neither crash nor touch
// memory outside its tables, whatever the file holds. The first byte picks the
// program letter and a line that fails to read, so those paths are reached too.
#include <cstddef>
#include <cstdint>

#include "curves/stream_curve_block.h"
#include "engine/files/file_units.h"
#include "engine/input/run_input_reader.h"
#include "gantry/gantry_standin.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t control = data[0];
  const char program = (control & 1) ? 'T' : 'V';
  units::StringLines lines{reinterpret_cast<const char*>(data + 1), size - 1, 0, 0,
                           (control & 0x80) ? static_cast<int64_t>(control & 0x3F) : 0};
  units::LineSource source = units::StringLineSource(&lines);
  int64_t status = -1;
  GantryStandin_Reset();  // keeps the stand-in's call log from filling up
  ReadRunInputFrom(&source, &program, 1, &status);
  if (status != 0 && status != 1) __builtin_trap();
  // The completion must leave no point without temperature holding data.
  for (int64_t s = 1; s <= kCurveStreams; ++s) {
    for (int64_t l = 1; l <= kCurveLevels; ++l) {
      for (int64_t p = 1; p <= kCurvePoints; ++p) {
        if (CurveValuesAt(p, l, s, kPropertyTemperature) != kMissingValue) continue;
        for (int64_t q = 1; q <= kCurveProperties; ++q) {
          if (CurveValuesAt(p, l, s, q) != kMissingValue) __builtin_trap();
        }
      }
    }
  }
  return 0;
}
