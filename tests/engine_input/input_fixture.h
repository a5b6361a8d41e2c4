// What every test of the run input reader shares: line sources over texts in
// memory, a fresh process-wide state for every test, and reads of whole files
// written with the .KVT writer.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "curves/stream_curve_block.h"
#include "engine/files/file_units.h"
#include "engine/input/input_tables.h"
#include "engine/input/run_input_reader.h"
#include "entry/library_reset.h"
#include "gantry/gantry_standin.h"
#include "support/kvt_writer.h"

namespace input_test {

// The file-unit layer's line source over a text held here ('\n' ends a line,
// a '\r' before it is dropped, a last line without '\n' counts); line
// `failAtLine` (from 1), when above 0, is a read error.
struct TextLines {
  std::string text;
  units::StringLines lines{};
  units::LineSource source{};

  explicit TextLines(const std::string& bytes, size_t failAtLine = 0) : text(bytes) {
    lines = units::StringLines{text.data(), text.size(), 0, 0, static_cast<int64_t>(failAtLine)};
    source = units::StringLineSource(&lines);
  }
  TextLines(const TextLines&) = delete;
  TextLines& operator=(const TextLines&) = delete;
};

// The text of a fixed field without its trailing blanks.
inline std::string Trimmed(const char* field, size_t width) {
  size_t n = width;
  while (n > 0 && field[n - 1] == ' ') --n;
  return std::string(field, n);
}

inline uint32_t Bits(float f) {
  uint32_t b;
  std::memcpy(&b, &f, 4);
  return b;
}

// Every test starts from the load-time state of the process.
class InputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetLibraryForTests();
    GantryStandin_Reset();
  }
};

// Reads `bytes` as the run input file of `program` (line `failAt`, when above
// 0, a read error of the line source); the reader's status.
inline int64_t Read(const std::string& bytes, const char* program = "VESKAR", size_t failAt = 0) {
  TextLines lines(bytes, failAt);
  int64_t status = -1;
  ReadRunInputFrom(&lines.source, program, static_cast<int64_t>(std::strlen(program)), &status);
  return status;
}

// A file up to the scalar section: heading, application record and
// "[Input-Scalar]".
inline testing_support::KvtWriter ScalarSection(const std::string& applicationValue = "1") {
  testing_support::KvtWriter w;
  w.Heading().Application("VESKAR", applicationValue).InputScalar();
  return w;
}

// A file up to the array section: the same, then "[Input-Array]".
inline testing_support::KvtWriter ArraySection() {
  testing_support::KvtWriter w = ScalarSection();
  w.InputArray();
  return w;
}

}  // namespace input_test
