// Arbitrary bytes as a run input file: the reader must neither crash nor touch
// memory outside its tables, whatever the file holds. The first byte picks the
// program letter and a line that fails to read, so those paths are reached too.
#include <cstddef>
#include <cstdint>

#include "curves/stream_curve_block.h"
#include "engine/files/file_units.h"
#include "engine/input/run_input_reader.h"
#include "gantry/gantry_standin.h"

namespace {

// The completion must leave no point without temperature holding data. The
// check itself carries no coverage instrumentation: its fixed loops over the
// whole block would cost more than reading the input, and tell the fuzzer
// nothing about the reader.
__attribute__((no_sanitize("coverage"))) void CheckCompletion() {
  const auto& values = g_streamCurves.CurveValues;
  const auto& extra = g_streamCurves.ExtraColumns;
  for (int64_t s = 0; s < kCurveStreams; ++s) {
    for (int64_t l = 0; l < kCurveLevels; ++l) {
      for (int64_t p = 0; p < kCurvePoints; ++p) {
        if (values[kPropertyTemperature - 1][s][l][p] != kMissingValue) continue;
        for (const auto& property : values) {
          if (property[s][l][p] != kMissingValue) __builtin_trap();
        }
        for (const auto& column : extra) {
          if (column[s][l][p] != kMissingValue) __builtin_trap();
        }
      }
    }
  }
}

}  // namespace

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
  CheckCompletion();
  return 0;
}
