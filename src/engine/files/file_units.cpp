// File units: a fixed table of connections from unit numbers to open files.
#include "engine/files/file_units.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "os/os.h"

namespace units {

namespace {

constexpr size_t kPathCapacity = 261;  // a Windows path of up to 260 characters

struct Connection {
  FILE* file;
  char path[kPathCapacity];
  ConnectSpec spec;
  bool lastWasWrite;  // stdio needs a seek between a write and a read
  char* line;         // the last line read, grown to fit
  size_t lineCapacity;
};

constexpr int64_t kUnitCount = kLastUnit - kFirstUnit + 1;
Connection g_connections[kUnitCount];

Connection* Slot(int64_t unit) {
  if (unit < kFirstUnit || unit > kLastUnit) return nullptr;
  return &g_connections[unit - kFirstUnit];
}

Connection* Open(int64_t unit) {
  Connection* c = Slot(unit);
  return c && c->file ? c : nullptr;
}

// Opens the file as the connection asks, or nullptr. The open itself tells
// whether the file is there: a look before it would be one more request to
// the system for every file (a network round trip when it lies on a share),
// so the existence is asked only where a failed open leaves a choice.
FILE* OpenAsAsked(const char* path, const ConnectSpec& spec) {
  if (spec.existence == Existence::Scratch) return os::OpenFile(path, "w+b");
  const bool append = spec.access == Access::Append;
  // Opening for appending and writing creates a missing file, which a file
  // that must exist may not become.
  if (append && !spec.readOnly && spec.existence == Existence::MustExist && !os::FileExists(path))
    return nullptr;
  const char* mode = spec.readOnly ? "rb" : append ? "a+b" : "r+b";
  FILE* f = os::OpenFile(path, mode);
  if (!f && spec.existence == Existence::OpenOrCreate && !os::FileExists(path)) {
    // Open-or-create: create it empty, then open it as an existing file.
    FILE* created = os::OpenFile(path, "wb");
    if (!created) return nullptr;
    std::fclose(created);
    f = os::OpenFile(path, mode);
  }
  if (f && spec.readOnly && append) std::fseek(f, 0, SEEK_END);
  return f;
}

void Close(Connection* c, bool deleteFile) {
  std::fclose(c->file);
  c->file = nullptr;
  if (deleteFile || c->spec.existence == Existence::Scratch) os::RemoveFile(c->path);
  c->path[0] = '\0';
  c->lastWasWrite = false;
}

// Switches the stream between reading and writing, as stdio requires.
void PrepareFor(Connection* c, bool write) {
  if (c->lastWasWrite != write) std::fseek(c->file, 0, SEEK_CUR);
  c->lastWasWrite = write;
}

bool IsTextSequential(const Connection* c) {
  return c->spec.kind == RecordKind::Text && c->spec.access != Access::Direct;
}

bool GrowLine(Connection* c, size_t needed) {
  if (needed <= c->lineCapacity) return true;
  size_t capacity = c->lineCapacity ? c->lineCapacity : 256;
  while (capacity < needed) capacity *= 2;
  char* grown = static_cast<char*>(std::realloc(c->line, capacity));
  if (!grown) return false;
  c->line = grown;
  c->lineCapacity = capacity;
  return true;
}

}  // namespace

bool Connect(int64_t unit, const char* path, const ConnectSpec& spec) {
  Connection* c = Slot(unit);
  if (!c) return false;
  if (c->file) Close(c, false);
  if (!path || std::strlen(path) >= kPathCapacity || path[0] == '\0') return false;
  FILE* f = OpenAsAsked(path, spec);
  if (!f) return false;
  c->file = f;
  std::strcpy(c->path, path);
  c->spec = spec;
  c->lastWasWrite = false;
  return true;
}

void Disconnect(int64_t unit, bool deleteFile) {
  if (Connection* c = Open(unit)) Close(c, deleteFile);
}

bool IsConnected(int64_t unit) { return Open(unit) != nullptr; }

const char* ConnectedPath(int64_t unit) {
  const Connection* c = Open(unit);
  return c ? c->path : nullptr;
}

const ConnectSpec* ConnectedSpec(int64_t unit) {
  const Connection* c = Open(unit);
  return c ? &c->spec : nullptr;
}

void DisconnectAll() {
  for (int64_t u = kFirstUnit; u <= kLastUnit; ++u) {
    Disconnect(u, false);
    Connection* c = Slot(u);
    std::free(c->line);
    c->line = nullptr;
    c->lineCapacity = 0;
  }
}

IoStatus ReadRecord(int64_t unit, int64_t recordNumber, void* buffer, size_t bytes) {
  Connection* c = Open(unit);
  if (!c || c->spec.access != Access::Direct || c->spec.recordBytes <= 0 || recordNumber < 1 ||
      (!buffer && bytes > 0))
    return IoStatus::Error;
  const int64_t length = c->spec.recordBytes;
  if (recordNumber - 1 > (INT64_MAX / length) - 1) return IoStatus::EndOfFile;
  const int64_t start = (recordNumber - 1) * length;
  PrepareFor(c, false);
  if (std::fseek(c->file, 0, SEEK_END) != 0) return IoStatus::Error;
  const long size = std::ftell(c->file);
  if (size < 0) return IoStatus::Error;
  if (start >= size) return IoStatus::EndOfFile;
  if (start + length > size) return IoStatus::Error;  // a partial last record
  if (start > LONG_MAX || std::fseek(c->file, static_cast<long>(start), SEEK_SET) != 0)
    return IoStatus::Error;
  const size_t wanted = bytes < static_cast<size_t>(length) ? bytes : static_cast<size_t>(length);
  if (wanted > 0 && std::fread(buffer, 1, wanted, c->file) != wanted) return IoStatus::Error;
  return IoStatus::Ok;
}

IoStatus ReadLine(int64_t unit, const char** line, size_t* length) {
  Connection* c = Open(unit);
  if (!c || !IsTextSequential(c) || !line || !length) return IoStatus::Error;
  PrepareFor(c, false);
  size_t n = 0;
  int ch = 0;
  while ((ch = std::fgetc(c->file)) != EOF && ch != '\n') {
    if (!GrowLine(c, n + 2)) return IoStatus::Error;
    c->line[n++] = static_cast<char>(ch);
  }
  if (ch == EOF) {
    if (std::ferror(c->file)) {
      std::clearerr(c->file);
      return IoStatus::Error;
    }
    if (n == 0) return IoStatus::EndOfFile;  // a last line without '\n' still counts
  }
  if (!GrowLine(c, n + 1)) return IoStatus::Error;
  if (n > 0 && c->line[n - 1] == '\r') --n;
  c->line[n] = '\0';
  *line = c->line;
  *length = n;
  return IoStatus::Ok;
}

IoStatus WriteLine(int64_t unit, const char* text, size_t length) {
  Connection* c = Open(unit);
  if (!c || !IsTextSequential(c) || (c->spec.readOnly && c->spec.existence != Existence::Scratch) ||
      (!text && length > 0))
    return IoStatus::Error;
  PrepareFor(c, true);
  if (length > 0 && std::fwrite(text, 1, length, c->file) != length) return IoStatus::Error;
  if (std::fwrite("\r\n", 1, 2, c->file) != 2 || std::fflush(c->file) != 0) return IoStatus::Error;
  return IoStatus::Ok;
}

// ---- line sources --------------------------------------------------------------

namespace {

IoStatus NextFromUnit(LineSource* self, const char** line, size_t* length) {
  return ReadLine(self->unit, line, length);
}

IoStatus NextFromString(LineSource* self, const char** line, size_t* length) {
  StringLines* s = static_cast<StringLines*>(self->context);
  if (!s || !s->text || s->pos >= s->size) return IoStatus::EndOfFile;
  const char* begin = s->text + s->pos;
  const void* found = std::memchr(begin, '\n', s->size - s->pos);
  size_t n =
      found ? static_cast<size_t>(static_cast<const char*>(found) - begin) : s->size - s->pos;
  s->pos += found ? n + 1 : n;
  ++s->lineNumber;
  // As a unit reads a file: a CR at the end of a line is dropped, also on a
  // last line without '\n'.
  if (n > 0 && begin[n - 1] == '\r') --n;
  if (s->failAtLine > 0 && s->lineNumber == s->failAtLine) return IoStatus::Error;
  *line = begin;
  *length = n;
  return IoStatus::Ok;
}

}  // namespace

LineSource UnitLineSource(int64_t unit) { return LineSource{&NextFromUnit, nullptr, unit}; }

LineSource StringLineSource(StringLines* lines) { return LineSource{&NextFromString, lines, 0}; }

}  // namespace units
