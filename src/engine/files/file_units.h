// File units: the engine names every open file by a unit number (51 to 100 in
// this library, from the UnitTable) and reads and writes through it.
//
// A unit is connected to one file at a time. Connecting a unit that is still
// connected closes the old connection first. Every read or write on a unit that
// is not connected fails with IoStatus::Error; nothing here crashes on a bad
// unit number or a short file.
//
// Text files are read with CR stripped and written with CR LF, so both builds
// read and write the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace units {

enum class RecordKind { Text, Binary };
enum class Access { Sequential, Direct, Append };
enum class Existence {
  MustExist,     // the open fails when the file is missing
  OpenOrCreate,  // opened when it exists, created when it is missing
  Scratch,       // created empty; deleted when disconnected
};

struct ConnectSpec {
  RecordKind kind = RecordKind::Text;
  Access access = Access::Sequential;
  Existence existence = Existence::MustExist;
  bool readOnly = true;
  // Record length in bytes for direct access; below 0: no record length.
  int64_t recordBytes = -1;
};

enum class IoStatus {
  Ok = 0,
  EndOfFile = -1,  // no more lines, or a record past the end of the file
  Error = 1,       // not connected, a short record, a read or write failure
};

constexpr int64_t kFirstUnit = 1;
constexpr int64_t kLastUnit = 200;

// Connects `unit` to the file at `path` (a Windows path). False, with the unit
// left unconnected, when the file cannot be opened as asked.
bool Connect(int64_t unit, const char* path, const ConnectSpec& spec);
// Disconnects; deletes the file when `deleteFile` (or when it is a scratch
// file). A unit that is not connected: nothing happens.
void Disconnect(int64_t unit, bool deleteFile);
bool IsConnected(int64_t unit);
// The path the unit is connected to, or nullptr.
const char* ConnectedPath(int64_t unit);
// Disconnects every unit, keeping the files; for tests, the load-time state.
void DisconnectAll();
// How the unit was connected (record length in bytes as the file holds it), or
// nullptr when it is not connected.
const ConnectSpec* ConnectedSpec(int64_t unit);

// Direct access: reads record `recordNumber` (from 1) of the connected file's
// record length into `buffer` (`bytes` at most, the rest of a shorter buffer
// left as it was). EndOfFile for a record wholly past the end; Error for a
// partial record, a record number below 1 or a unit not connected.
IoStatus ReadRecord(int64_t unit, int64_t recordNumber, void* buffer, size_t bytes);

// Sequential text: the next line, whole (of any length), without its line end.
// The text stays valid until the next read on the unit.
IoStatus ReadLine(int64_t unit, const char** line, size_t* length);
// Sequential text: writes the text and a CR LF.
IoStatus WriteLine(int64_t unit, const char* text, size_t length);

// ---- line sources: what the run input reader reads from ----------------------

// A source of text lines: the next line without its line end (CR stripped), or
// EndOfFile, or Error. The text stays valid until the next call.
struct LineSource {
  IoStatus (*next)(LineSource* self, const char** line, size_t* length);
  void* context;
  int64_t unit;  // for the unit source
};

// A source that reads the lines of a connected unit.
LineSource UnitLineSource(int64_t unit);

// A source over a text in memory, for tests and fuzzing, giving the lines a
// unit gives for a file of the same bytes: lines end at '\n', a '\r' at the
// end of a line is dropped, and a last line without '\n' still counts. The
// text must outlive the source. `failAtLine` > 0 makes that line (from 1) a
// read error.
struct StringLines {
  const char* text;
  size_t size;
  size_t pos;
  int64_t lineNumber;
  int64_t failAtLine;
};
LineSource StringLineSource(StringLines* lines);

}  // namespace units
