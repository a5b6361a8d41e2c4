// A small writer of run input files (.KVT) for tests, so that fixtures read as
// the host writes them: CR LF line ends, texts in double quotes (a double quote
// inside written twice), one record per line.
//
// Header-only, so that any test program can use it without a library of its
// own.
#pragma once

#include <string>
#include <vector>

#include "support/test_support.h"

namespace testing_support {

struct KvtGroupLine {
  std::string text;
  std::string name;
  std::string value;  // as written in the file, e.g. "1.5" or "-1.0E35"
};

class KvtWriter {
 public:
  // Text of the file so far.
  const std::string& Bytes() const { return bytes_; }

  // One line exactly as given.
  KvtWriter& Line(const std::string& raw) {
    bytes_ += raw;
    bytes_ += "\r\n";
    return *this;
  }

  // Lines 1 and 2: a title and the program mark.
  KvtWriter& Heading(const std::string& title = "Run input written by the test",
                     const std::string& mark = "CorvoSoft/K-VOR 4.2") {
    Line(Quote(title));
    return Line(Quote(mark));
  }

  // A record of six items.
  KvtWriter& Record(const std::string& keyword, const std::string& name, const std::string& third,
                    const std::string& flag, const std::string& index, const std::string& value) {
    return Line(Quote(keyword) + "," + Quote(name) + "," + Quote(third) + "," + Quote(flag) + "," +
                index + "," + value);
  }

  KvtWriter& Application(const std::string& program = "VESKAR", const std::string& value = "1") {
    return Record("[BeginApplication]", program, "", "", "0", value);
  }
  KvtWriter& InputScalar() { return Record("[Input-Scalar]", "", "", "", "0", "0"); }
  KvtWriter& Scalar(int index, const std::string& value, const std::string& flag = "1") {
    return Record("", "", "", flag, std::to_string(index), value);
  }
  KvtWriter& TextScalar(int index, const std::string& name, const std::string& value = "0") {
    return Record("", name, "", "1", std::to_string(index), value);
  }
  KvtWriter& InputArray(const std::string& index = "0") {
    return Record("[Input-Array]", "", "", "", index, "0");
  }
  KvtWriter& GroupHeader(int code, const std::string& lineCount) {
    return Record("", "", "", "", std::to_string(code), lineCount);
  }
  KvtWriter& Group(int code, const std::vector<KvtGroupLine>& lines) {
    GroupHeader(code, std::to_string(lines.size()));
    for (const KvtGroupLine& l : lines) Line(Quote(l.text) + "," + Quote(l.name) + "," + l.value);
    return *this;
  }
  // A group of `count` lines with values first, first + step, ...
  KvtWriter& ValueGroup(int code, int count, double first, double step) {
    GroupHeader(code, std::to_string(count));
    for (int k = 0; k < count; ++k) {
      Line("\"\",\"\"," + std::to_string(first + step * k));
    }
    return *this;
  }
  KvtWriter& ResultsScalar() { return Record("[Results-Scalar]", "", "", "", "0", "0"); }

  // Writes the file (a Windows path).
  bool WriteTo(const std::string& path) const { return WriteFileBytes(path, bytes_); }

  static std::string Quote(const std::string& text) {
    std::string q = "\"";
    for (char c : text) {
      q += c;
      if (c == '"') q += c;
    }
    return q + "\"";
  }

 private:
  std::string bytes_;
};

}  // namespace testing_support
