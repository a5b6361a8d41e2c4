// The description parser and the byte layouts of the .PDA files.
#include "pdabuild/pdabuild.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <sstream>

namespace pdabuild {

namespace {

enum class Kind { None, Index, Property, Currency, ClassTable };

struct Current {
  Kind kind = Kind::None;
  PdaFile* file = nullptr;
  int64_t entries = 0;  // index files
  int64_t record = 0;   // property files: the record being filled (0: none yet)
};

// Splits a line into items: blank-separated words, double-quoted texts (with
// escapes) as one item each.
bool SplitItems(const std::string& line, std::vector<std::string>* items, std::vector<bool>* quoted,
                std::string* error) {
  size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
      ++i;
      continue;
    }
    if (line[i] == '"') {
      std::string text;
      ++i;
      bool closed = false;
      while (i < line.size()) {
        const char c = line[i];
        if (c == '"') {
          closed = true;
          ++i;
          break;
        }
        if (c == '\\' && i + 1 < line.size()) {
          const char e = line[i + 1];
          if (e == '"' || e == '\\') {
            text += e;
            i += 2;
            continue;
          }
          if (e == 'x' && i + 3 < line.size()) {
            unsigned value = 0;
            const char* b = line.data() + i + 2;
            auto r = std::from_chars(b, b + 2, value, 16);
            if (r.ec != std::errc() || r.ptr != b + 2) {
              *error = "bad \\x escape";
              return false;
            }
            text += static_cast<char>(value);
            i += 4;
            continue;
          }
          *error = "bad escape";
          return false;
        }
        text += c;
        ++i;
      }
      if (!closed) {
        *error = "text without its closing quote";
        return false;
      }
      items->push_back(text);
      quoted->push_back(true);
      continue;
    }
    const size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') ++i;
    items->push_back(line.substr(start, i - start));
    quoted->push_back(false);
  }
  return true;
}

bool ParseInt(const std::string& s, int64_t* out) {
  auto r = std::from_chars(s.data(), s.data() + s.size(), *out);
  return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

bool ParseReal(const std::string& s, float* out) {
  const char* b = s.data();
  if (!s.empty() && s[0] == '+') ++b;
  auto r = std::from_chars(b, s.data() + s.size(), *out);
  return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

// Words w, w+1, ... of a record of `words` reals at byte `base` of the file.
bool PutWords(std::string* bytes, size_t base, int64_t words, int64_t first,
              const std::vector<std::string>& values, size_t from, bool skipText,
              std::string* error) {
  for (size_t v = from; v < values.size(); ++v) {
    const int64_t w = first + static_cast<int64_t>(v - from);
    if (w < 1 || w > words || (skipText && w >= 61 && w <= 120)) {
      *error = "word " + std::to_string(w) + " is outside the record's words";
      return false;
    }
    float value = 0.0f;
    if (!ParseReal(values[v], &value)) {
      *error = "not a number: " + values[v];
      return false;
    }
    PutFloat(bytes, base + static_cast<size_t>(4 * (w - 1)), value);
  }
  return true;
}

void EnsureRecord(PdaFile* file, int64_t record) {
  const size_t need = static_cast<size_t>(record) * kPropertyRecordBytes;
  while (file->bytes.size() < need) {
    std::string blank(kPropertyRecordBytes, '\0');
    std::memset(&blank[240], ' ', 240);
    file->bytes += blank;
  }
}

bool PutText(PdaFile* file, int64_t record, int64_t position, int64_t width,
             const std::string& text, std::string* error) {
  if (position < 1 || position > 240) {
    *error = "text position outside 1..240";
    return false;
  }
  const size_t base = static_cast<size_t>(record - 1) * kPropertyRecordBytes + 240;
  const int64_t room = 240 - position + 1;
  const int64_t n = width < room ? width : room;
  for (int64_t t = 0; t < n; ++t) {
    const char c = t < static_cast<int64_t>(text.size()) ? text[static_cast<size_t>(t)] : ' ';
    file->bytes[base + static_cast<size_t>(position - 1 + t)] = c;
  }
  if (static_cast<int64_t>(text.size()) > n) {
    *error = "text longer than its place";
    return false;
  }
  return true;
}

bool Line(const std::vector<std::string>& it, const std::vector<bool>& quoted,
          std::vector<PdaFile>* files, Current* cur, std::string* error) {
  const std::string& key = it[0];
  if (key == "file") {
    if (it.size() < 3) {
      *error = "file needs a name and a kind";
      return false;
    }
    files->push_back(PdaFile{it[1], std::string()});
    cur->file = &files->back();
    cur->record = 0;
    const std::string& kind = it[2];
    if (kind == "index") {
      cur->kind = Kind::Index;
      cur->entries = 2000;
      if (it.size() > 3 &&
          (!ParseInt(it[3], &cur->entries) || cur->entries < 1 || cur->entries > 100000)) {
        *error = "bad entry count";
        return false;
      }
      cur->file->bytes.assign(static_cast<size_t>(2 * cur->entries), '\0');
    } else if (kind == "property") {
      cur->kind = Kind::Property;
    } else if (kind == "currency") {
      cur->kind = Kind::Currency;
      cur->file->bytes.assign(kCurrencyRecordBytes, '\0');
    } else if (kind == "classtable") {
      cur->kind = Kind::ClassTable;
      cur->file->bytes.assign(kClassTableRecordBytes, '\0');
    } else {
      *error = "unknown file kind: " + kind;
      return false;
    }
    return true;
  }
  if (cur->kind == Kind::None) {
    *error = "a line before the first file";
    return false;
  }
  if (cur->kind == Kind::Index) {
    if (key == "entry" && it.size() == 3) {
      int64_t i = 0, number = 0;
      if (!ParseInt(it[1], &i) || !ParseInt(it[2], &number) || i < 1 || i > cur->entries ||
          number < -32768 || number > 32767) {
        *error = "bad entry";
        return false;
      }
      PutInt16(&cur->file->bytes, static_cast<size_t>(2 * (i - 1)), static_cast<int16_t>(number));
      return true;
    }
    if (key == "entries") {
      if (static_cast<int64_t>(it.size() - 1) > cur->entries) {
        *error = "more entries than the index holds";
        return false;
      }
      for (size_t v = 1; v < it.size(); ++v) {
        int64_t number = 0;
        if (!ParseInt(it[v], &number) || number < -32768 || number > 32767) {
          *error = "bad entry: " + it[v];
          return false;
        }
        PutInt16(&cur->file->bytes, 2 * (v - 1), static_cast<int16_t>(number));
      }
      return true;
    }
    *error = "unknown line in an index file: " + key;
    return false;
  }
  if (cur->kind == Kind::Property) {
    if (key == "record" && it.size() == 2) {
      if (!ParseInt(it[1], &cur->record) || cur->record < 1 || cur->record > 100000) {
        *error = "bad record number";
        return false;
      }
      EnsureRecord(cur->file, cur->record);
      return true;
    }
    if (cur->record == 0) {
      *error = "a record line is needed first";
      return false;
    }
    const size_t base = static_cast<size_t>(cur->record - 1) * kPropertyRecordBytes;
    if ((key == "word" || key == "table") && it.size() >= 3) {
      int64_t w = 0;
      if (!ParseInt(it[1], &w)) {
        *error = "bad word number";
        return false;
      }
      // Words 121..305 lie at byte 480 on: word w at 480 + 4 (w - 121), which
      // is where a plain 4 (w - 1) puts it too.
      return PutWords(&cur->file->bytes, base, 305, w, it, 2, true, error);
    }
    if ((key == "text" || key == "chars") && it.size() == 3 && quoted[2]) {
      int64_t n = 0;
      if (!ParseInt(it[1], &n)) {
        *error = "bad text position";
        return false;
      }
      if (key == "text") {
        const int64_t width = (n == 21 || n == 51) ? 40 : 80;
        return PutText(cur->file, cur->record, 4 * (n - 1) + 1, width, it[2], error);
      }
      return PutText(cur->file, cur->record, n, static_cast<int64_t>(it[2].size()), it[2], error);
    }
    *error = "unknown line in a property file: " + key;
    return false;
  }
  const int64_t words = cur->kind == Kind::Currency ? 200 : 2500;
  if (key == "word" && it.size() >= 3) {
    int64_t w = 0;
    if (!ParseInt(it[1], &w)) {
      *error = "bad word number";
      return false;
    }
    return PutWords(&cur->file->bytes, 0, words, w, it, 2, false, error);
  }
  if (key == "row" && cur->kind == Kind::ClassTable && it.size() >= 4) {
    int64_t c = 0, w = 0;
    if (!ParseInt(it[1], &c) || !ParseInt(it[2], &w) || c < 1 || c > 100 || w < 1 || w > 25) {
      *error = "bad row or word";
      return false;
    }
    return PutWords(&cur->file->bytes, 0, words, (c - 1) * 25 + w, it, 3, false, error);
  }
  *error = "unknown line: " + key;
  return false;
}

}  // namespace

void PutFloat(std::string* bytes, size_t offset, float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  for (int b = 0; b < 4; ++b) (*bytes)[offset + b] = static_cast<char>((bits >> (8 * b)) & 0xFF);
}

void PutInt16(std::string* bytes, size_t offset, int16_t value) {
  const uint16_t bits = static_cast<uint16_t>(value);
  (*bytes)[offset] = static_cast<char>(bits & 0xFF);
  (*bytes)[offset + 1] = static_cast<char>(bits >> 8);
}

bool Build(const std::string& description, std::vector<PdaFile>* files, std::string* error) {
  files->clear();
  files->reserve(64);
  Current cur;
  std::istringstream in(description);
  std::string line;
  int lineNumber = 0;
  while (std::getline(in, line)) {
    ++lineNumber;
    std::vector<std::string> items;
    std::vector<bool> quoted;
    std::string message;
    if (!SplitItems(line, &items, &quoted, &message)) {
      *error = "line " + std::to_string(lineNumber) + ": " + message;
      return false;
    }
    if (items.empty() || (!quoted[0] && items[0][0] == '#')) continue;
    if (items[0] == "file" && files->size() == files->capacity()) {
      *error = "line " + std::to_string(lineNumber) + ": too many files";
      return false;
    }
    if (!Line(items, quoted, files, &cur, &message)) {
      *error = "line " + std::to_string(lineNumber) + ": " + message;
      return false;
    }
  }
  return true;
}

bool WriteFiles(const std::vector<PdaFile>& files, const std::string& folder, std::string* error) {
  for (const PdaFile& f : files) {
    const std::string path = folder + f.name;
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) {
      *error = "cannot write " + path;
      return false;
    }
    const size_t written = std::fwrite(f.bytes.data(), 1, f.bytes.size(), out);
    const bool ok = std::fclose(out) == 0 && written == f.bytes.size();
    if (!ok) {
      *error = "cannot write " + path;
      return false;
    }
  }
  return true;
}

}  // namespace pdabuild
