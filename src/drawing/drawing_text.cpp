// The text drawing (.KVD): its line reader and its two passes.
//
// Both passes walk the same lines as the same records (every parameter line is
// passed over by the count pass exactly where the read pass reads it, and both
// take a text's length the same way), so the count sizes the read pass's
// blocks exactly; the read pass still never writes past the capacity it gets.
#include "drawing/drawing_text.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "drawing/fixed_fields.h"
#include "os/os.h"

namespace {

// The drawing text file that ReadDrawingLine keeps open between calls, and
// the bytes read ahead from it: lines are taken from a block read at a time,
// not from the file a character at a time.
struct LineReaderState {
  FILE* file;
  char name[kDrawingPathSize];
  unsigned char ahead[4096];
  size_t at;
  size_t filled;
};
LineReaderState g_lineReader = {nullptr, {0}, {0}, 0, 0};

void CloseLineReader() {
  if (g_lineReader.file) std::fclose(g_lineReader.file);
  g_lineReader.file = nullptr;
  g_lineReader.name[0] = '\0';
  g_lineReader.at = 0;
  g_lineReader.filled = 0;
}

// The next byte of the open file without taking it; EOF at its end.
int PeekByte() {
  LineReaderState& r = g_lineReader;
  if (r.at == r.filled) {
    r.at = 0;
    r.filled = std::fread(r.ahead, 1, sizeof r.ahead, r.file);
    if (r.filled == 0) return EOF;
  }
  return r.ahead[r.at];
}

int NextByte() {
  const int c = PeekByte();
  if (c != EOF) ++g_lineReader.at;
  return c;
}

// fgets over a binary stream: up to 255 characters, the '\n' kept when it
// fits, a CR right before it dropped. False at the end of the file.
//
// The bytes before the next CR or LF of the read-ahead block are copied as a
// run (memchr, not a test per byte): lines are read twice per drawing and
// most of their bytes are plain. Each CR or LF then takes the byte-wise step.
bool ReadRawLine(char* line) {
  LineReaderState& r = g_lineReader;
  int n = 0;
  while (n < kDrawingLineSize - 1) {
    if (r.at < r.filled) {
      size_t run = r.filled - r.at;
      const size_t room = static_cast<size_t>(kDrawingLineSize - 1 - n);
      if (run > room) run = room;
      const unsigned char* from = r.ahead + r.at;
      const void* lf = std::memchr(from, '\n', run);
      if (lf) run = static_cast<size_t>(static_cast<const unsigned char*>(lf) - from);
      const void* cr = std::memchr(from, '\r', run);
      if (cr) run = static_cast<size_t>(static_cast<const unsigned char*>(cr) - from);
      std::memcpy(line + n, from, run);
      n += static_cast<int>(run);
      r.at += run;
      if (n == kDrawingLineSize - 1) break;
    }
    int c = NextByte();
    if (c == EOF) break;
    if (c == '\r' && PeekByte() == '\n') c = NextByte();
    line[n++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  line[n] = '\0';
  return n > 0;
}

bool BeginsWithVer(const char* line) { return std::strncmp(line, "VER", 3) == 0; }

// Characters of a line before its line end.
int32_t LineTextLength(const char* line) {
  int32_t n = 0;
  while (n < kDrawingLineSize - 1 && line[n] != '\0' && line[n] != '\n' && line[n] != '\r') ++n;
  return n;
}

void Raise(float* largest, float value) {
  if (value > *largest) *largest = value;
}

// One command line read with "A01F84F84I02"; fields the line leaves empty are 0.
struct CommandLine {
  char letter;
  float x;
  float y;
};

CommandLine ReadCommandLine(const char* line) {
  char letter[2] = {0, 0};
  float x = 0.0f;
  float y = 0.0f;
  int32_t unused = 0;
  ReadFixedFields(line, "A01F84F84I02", letter, &x, &y, &unused);
  return {letter[0], x, y};
}

// The "untransformed x" of V and L lines as a whole number; the fields read
// never exceed the 32-bit range.
int32_t WholePart(float value) {
  if (!(value > -2.0e9f && value < 2.0e9f)) return 0;
  return static_cast<int32_t>(value);
}

constexpr float kDegreesToRadians = 0.017453294f;
constexpr int32_t kMaxTextLength = 99;
constexpr int32_t kLongestFieldLength = 84;  // kept whole, blanks past the line's end
// Counts stop short of the 32-bit limits (a record block of count x 25 bytes
// must stay addressable, a string offset a 32-bit size).
constexpr int64_t kMaxRecords = INT32_MAX / kDrawingRecordSize;
constexpr int64_t kMaxStringSize = INT32_MAX - 16;

// Text lines 1 and 2 of an S record, the same for both passes: height, angle
// and the clamped length (0 without digits), the text left in `param`. False
// when the file ended before the text line.
bool ReadTextLines(const char* path, char* param, float* height, float* angle, int32_t* length) {
  *length = 0;
  bool more = ReadDrawingLine(param, path, 0) != 0;
  if (more) ReadFixedFields(param, "F54F63I02", height, angle, length);
  more = more && ReadDrawingLine(param, path, 0) != 0;
  *length = ClampTextLength(*length, more ? param : nullptr);
  // A length that runs past the line's text takes blanks there: the record,
  // the offsets of later texts and the sizes stay as the length says.
  const int32_t have = LineTextLength(param);
  if (*length > have) std::memset(param + have, ' ', static_cast<size_t>(*length - have));
  return more;
}

// A V line whose x, truncated, is 3 or 4 has an extra line, read and ignored.
// False when the file ended before it.
bool PassOverExtraLine(const char* path, char* param, float x) {
  const int32_t v = WholePart(x);
  if (v != 3 && v != 4) return true;
  return ReadDrawingLine(param, path, 0) != 0;
}

}  // namespace

int ReadDrawingLine(char* line, const char* name, int close) {
  line[0] = '\0';
  if (close) {
    CloseLineReader();
    return 0;
  }
  const bool sameFile = g_lineReader.file && std::strcmp(g_lineReader.name, name) == 0;
  if (!sameFile) {
    // Never leave the earlier file open behind the new one.
    CloseLineReader();
    // A name that could not be remembered would be opened afresh at every
    // call, its first line coming back forever: refuse it.
    if (std::strlen(name) >= sizeof g_lineReader.name) return 0;
    FILE* f = os::OpenFile(name, "rb");
    if (!f) return 0;
    g_lineReader.file = f;
    std::strcpy(g_lineReader.name, name);
    if (!ReadRawLine(line)) {
      CloseLineReader();
      return 0;
    }
    if (!BeginsWithVer(line)) return 1;
  }
  if (!ReadRawLine(line)) {
    CloseLineReader();
    return 0;
  }
  return 1;
}

int32_t ClampTextLength(int32_t length, const char* textLine) {
  if (!textLine || length < 0) return 0;
  if (length <= kLongestFieldLength) return length;
  // Lengths of more than a field's 84 columns are cut to the line's text.
  const int32_t n = length > kMaxTextLength ? kMaxTextLength : length;
  const int32_t available = LineTextLength(textLine);
  return n < available ? n : available;
}

void ArcExtents(float* largestX, float* largestY, const DrawingRecord& r) {
  float radiusX = r.field3;
  float radiusY = r.field3;
  float start = r.field4;
  float sweep = r.field5;
  if (r.command == 'E') {
    radiusY = r.field4;
    start = r.field5;
    sweep = r.field6;
  }
  start = std::trunc(start);
  float angle = start * kDegreesToRadians;
  float maxX = radiusX * std::cos(angle) + r.x;
  float maxY = radiusY * std::sin(angle) + r.y;
  if (std::isfinite(sweep)) {
    const float whole = std::trunc(sweep);
    const int step = whole < 0.0f ? -1 : 1;
    // One degree at a time, at most one full turn: more adds no new point.
    const int steps = std::fabs(whole) >= 360.0f ? 360 : static_cast<int>(std::fabs(whole));
    for (int k = 0; k <= steps; ++k) {
      angle = (start + static_cast<float>(k * step)) * kDegreesToRadians;
      Raise(&maxX, radiusX * std::cos(angle) + r.x);
      Raise(&maxY, radiusY * std::sin(angle) + r.y);
    }
  }
  *largestX = maxX;
  *largestY = maxY;
}

void CountDrawingText(const char* path, int32_t* count, int32_t* stringSize) {
  *count = 0;
  *stringSize = 0;
  char line[kDrawingLineSize];
  char param[kDrawingLineSize];
  int64_t records = 0;
  int64_t size = 0;
  ReadDrawingLine(line, path, 1);
  while (records < kMaxRecords && ReadDrawingLine(line, path, 0)) {
    const CommandLine cmd = ReadCommandLine(line);
    bool more = true;  // false once a parameter line was missing: the file has ended
    switch (cmd.letter) {
      case 'A':
      case 'C':
      case 'E':
        ++records;
        more = ReadDrawingLine(param, path, 0) != 0;
        break;
      case 'D':
      case 'L':
      case 'M':
        ++records;
        break;
      case 'S': {
        ++records;
        int32_t length = 0;
        float height = 0.0f;
        float angle = 0.0f;
        more = ReadTextLines(path, param, &height, &angle, &length);
        if (size + length > kMaxStringSize) {
          --records;
          more = false;
        } else {
          size += length;
        }
        break;
      }
      case 'T':
        more = false;
        break;
      case 'V':
        more = PassOverExtraLine(path, param, cmd.x);
        break;
      default:
        break;
    }
    if (!more) break;
  }
  ReadDrawingLine(line, path, 1);
  *count = static_cast<int32_t>(records);
  *stringSize = static_cast<int32_t>(size);
}

void ReadDrawingText(const char* path, int32_t* count, unsigned char* records,
                     int64_t recordCapacity, char* strings, int64_t stringCapacity, float* largestX,
                     float* largestY) {
  float scale = 1.0f;
  float originX = 0.0f;
  float originY = 0.0f;
  int64_t stored = 0;
  int64_t stringOffset = 0;
  float maxX = 0.0f;
  float maxY = 0.0f;
  char line[kDrawingLineSize];
  char param[kDrawingLineSize];
  if (!records) recordCapacity = 0;
  if (!strings) stringCapacity = 0;

  ReadDrawingLine(line, path, 1);
  while (ReadDrawingLine(line, path, 0)) {
    const CommandLine cmd = ReadCommandLine(line);
    DrawingRecord r = {cmd.letter, cmd.x, cmd.y, 0.0f, 0.0f, 0.0f, 0.0f};
    const char c = cmd.letter;
    if (c != 'F' && c != 'L' && c != 'O' && c != 'V') {
      r.x = r.x * scale + originX;
      r.y = r.y * scale + originY;
      Raise(&maxX, r.x);
      Raise(&maxY, r.y);
    }
    bool store = false;
    bool more = true;
    switch (c) {
      case 'A':
        store = true;
        more = ReadDrawingLine(param, path, 0) != 0;
        if (more) {
          ReadFixedFields(param, "X01F84F84F84", &r.field3, &r.field4, &r.field5);
          r.field3 = r.field3 * scale + originX;
          r.field4 = r.field4 * scale + originY;
          Raise(&maxX, r.field3);
          Raise(&maxY, r.field4);
          r.field5 = r.field5 * scale;
        }
        break;
      case 'C':
        store = true;
        more = ReadDrawingLine(param, path, 0) != 0;
        if (more) {
          ReadFixedFields(param, "F84F73F73", &r.field3, &r.field4, &r.field5);
          r.field3 = r.field3 * scale;
          if (r.field3 < 0.0f) {
            r.field3 = -r.field3;  // the point given is the centre
          } else {
            const float a = r.field4 * kDegreesToRadians;
            r.x = r.x - r.field3 * std::cos(a);
            r.y = r.y - r.field3 * std::sin(a);
          }
          float arcX = 0.0f;
          float arcY = 0.0f;
          ArcExtents(&arcX, &arcY, r);
          Raise(&maxX, arcX);
          Raise(&maxY, arcY);
        }
        break;
      case 'D':
      case 'L':
      case 'M':
        store = true;
        break;
      case 'E':
        store = true;
        more = ReadDrawingLine(param, path, 0) != 0;
        if (more) {
          ReadFixedFields(param, "X01F84F84F73F73", &r.field3, &r.field4, &r.field5, &r.field6);
          r.field3 = r.field3 * scale;
          r.field4 = r.field4 * scale;
          float arcX = 0.0f;
          float arcY = 0.0f;
          ArcExtents(&arcX, &arcY, r);
          Raise(&maxX, arcX);
          Raise(&maxY, arcY);
        }
        break;
      case 'F':
        scale = cmd.x / 1000.0f;
        break;
      case 'O':
        originX = originX + cmd.x * scale;
        originY = originY + cmd.y * scale;
        break;
      case 'S': {
        store = true;
        int32_t length = 0;
        more = ReadTextLines(path, param, &r.field3, &r.field4, &length);
        if (stringOffset + length > kMaxStringSize) {
          store = false;
          more = false;
          break;
        }
        // A text that would not fit the string area given is cut to what fits.
        if (stringOffset + length > stringCapacity) {
          length = static_cast<int32_t>(
              stringCapacity > stringOffset ? stringCapacity - stringOffset : 0);
        }
        r.field3 = r.field3 * 1.45f * scale;
        r.field5 = static_cast<float>(length);
        r.field6 = static_cast<float>(stringOffset);
        if (length > 0) std::memcpy(strings + stringOffset, param, static_cast<size_t>(length));
        stringOffset += length;
        Raise(&maxY, r.y + r.field3);
        break;
      }
      case 'T':
        more = false;
        break;
      case 'V':
        more = PassOverExtraLine(path, param, cmd.x);
        break;
      default:
        break;
    }
    if (store) {
      if (stored < recordCapacity) {
        PutDrawingRecord(records, stored, r);
        ++stored;
      } else {
        more = false;  // the blocks are full: the file has changed since it was counted
      }
    }
    if (!more) break;
  }
  ReadDrawingLine(line, path, 1);
  *count = static_cast<int32_t>(stored);
  *largestX = maxX;
  *largestY = maxY;
}
