// Line sources over texts in memory, and a fresh process-wide state for every
// test of the run input reader.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "curves/stream_curve_block.h"
#include "engine/files/file_units.h"
#include "engine/input/input_tables.h"
#include "gantry/gantry_standin.h"

namespace input_test {

// The lines of a text ('\n' ends a line, a '\r' before it is dropped, a last
// line without '\n' counts); line `failAt` (from 1), when above 0, is a read
// error.
struct TextLines {
  std::vector<std::string> lines;
  size_t next = 0;
  size_t failAt = 0;
  units::LineSource source{};

  explicit TextLines(const std::string& text, size_t failAtLine = 0) : failAt(failAtLine) {
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      std::string line = text.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
      start = end + 1;
    }
    source.next = &Next;
    source.context = this;
    source.unit = 0;
  }
  TextLines(const TextLines&) = delete;
  TextLines& operator=(const TextLines&) = delete;

  static units::IoStatus Next(units::LineSource* self, const char** line, size_t* length) {
    TextLines* t = static_cast<TextLines*>(self->context);
    if (t->next >= t->lines.size()) return units::IoStatus::EndOfFile;
    const size_t number = ++t->next;
    if (number == t->failAt) return units::IoStatus::Error;
    *line = t->lines[number - 1].data();
    *length = t->lines[number - 1].size();
    return units::IoStatus::Ok;
  }
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
    ResetInputTablesForTests();
    ResetStreamCurveBlocksForTests();
    GantryStandin_Reset();
  }
};

}  // namespace input_test
