// The writers of binary drawing files: converting a text drawing, appending a
// drawing, and wrapping any file as a drawing.
//
// A writer either adds its whole drawing or leaves the target as it was: after
// a failed write the target is cut back to its length before the call, so the
// drawings already in it keep their numbers. A writer never writes a file onto
// itself, which would destroy every drawing after the first.
#include "drawing/drawing_writers.h"

#include <cstring>

#include "drawing/drawing_binary.h"
#include "drawing/drawing_load.h"
#include "drawing/drawing_messages.h"
#include "drawing/drawing_paths.h"
#include "drawing/drawing_text.h"
#include "report_base/engine_interface.h"

namespace {

// A string area's size is a 32-bit signed count: a source of 2 GiB or more
// cannot be described by a header.
constexpr int64_t kLargestWrappedFile = INT32_MAX;
constexpr size_t kPathBuffer = kDrawingPathSize + 8;

bool WriteAll(FILE* f, const void* data, size_t size) { return os::WriteBytes(f, data, size); }

// The target as it was before the writer opened it.
struct TargetBefore {
  bool existed;
  int64_t length;
};

TargetBefore LookAtTarget(const char* path) {
  const int64_t length = os::FileSize(path);
  return {length >= 0, length < 0 ? 0 : length};
}

void RestoreTarget(const char* path, const TargetBefore& before) {
  if (before.existed) {
    os::ResizeFile(path, before.length);
  } else {
    os::RemoveFile(path);
  }
}

// Writes header, records and string area; closes the file. False when any
// write, or the close, fails.
bool WriteDrawing(FILE* f, const DrawingFileHeader& header, const void* records, size_t recordBytes,
                  const void* strings, size_t stringBytes) {
  bool ok = WriteAll(f, &header, sizeof header) && WriteAll(f, records, recordBytes) &&
            WriteAll(f, strings, stringBytes);
  if (std::fclose(f) != 0) ok = false;
  return ok;
}

// Drawing 1 of `source` as a drawing of `target`: emptied first, or appended
// to. `stringsTitle` is the title of the message when the string block cannot
// be had.
void WriteOneDrawing(const char* source, const char* target, const char* title, bool append,
                     const char* stringsTitle) {
  int32_t count = 0;
  int32_t size = 0;
  CountDrawing(source, &count, &size, 1);
  if (count < 1 || size < 0) return;

  const uint32_t flags = os::kGmemMoveable | os::kGmemZeroInit;
  os::MemBlock stringBlock = nullptr;
  if (size > 0) {
    stringBlock = os::MemAlloc(flags, static_cast<size_t>(size) + 10);
    if (!stringBlock) {
      ShowDrawingMessage(kMsgNoMemory, stringsTitle);
      return;
    }
  }
  os::MemBlock recordBlock =
      os::MemAlloc(flags, static_cast<size_t>(count) * kDrawingRecordSize + 1);
  if (!recordBlock) {
    if (stringBlock) os::MemFree(stringBlock);
    ShowDrawingMessage(kMsgNoMemory, kTitleConvert);
    return;
  }
  auto* records = static_cast<unsigned char*>(os::MemLock(recordBlock));
  char* strings = stringBlock ? static_cast<char*>(os::MemLock(stringBlock)) : nullptr;

  int32_t read = 0;
  float largestX = 0.0f;
  float largestY = 0.0f;
  if (records && (strings || !stringBlock)) {
    ReadDrawing(source, &read, records, count, strings, size, &largestX, &largestY, 1);
  }
  if (read >= 1) {
    const TargetBefore before = append ? LookAtTarget(target) : TargetBefore{true, 0};
    FILE* f = os::OpenFile(target, append ? "ab" : "wb");
    if (!f) {
      ShowDrawingMessage(kMsgCannotCreate, kTitleConvert);
    } else {
      const DrawingFileHeader header = MakeDrawingHeader(title, read, size, largestX, largestY);
      if (!WriteDrawing(f, header, records, static_cast<size_t>(read) * kDrawingRecordSize, strings,
                        static_cast<size_t>(size))) {
        RestoreTarget(target, before);
        ShowDrawingMessage(kMsgCannotWrite, kTitleConvert);
      }
    }
  }
  if (records) os::MemUnlock(recordBlock);
  if (strings) os::MemUnlock(stringBlock);
  os::MemFree(recordBlock);
  if (stringBlock) os::MemFree(stringBlock);
}

// The source and target names after the input folder (kPathBuffer bytes
// each); false when either does not fit.
bool BothInInputFolder(const char* source, const char* target, char* sourcePath, char* targetPath) {
  return InputFolderPath(sourcePath, kDrawingPathSize, source) &&
         InputFolderPath(targetPath, kDrawingPathSize, target);
}

}  // namespace

void ConvertDrawingFile(const char* name) {
  char source[kPathBuffer];
  if (!InputFolderPath(source, kDrawingPathSize, name)) return;
  if (!DrawingExtension(source)) std::strcat(source, ".KVD");

  // The target: the source with everything from the file name's last '.' on
  // replaced by ".KFD".
  char target[kPathBuffer];
  std::strcpy(target, source);
  char* dot = std::strrchr(const_cast<char*>(DrawingFileName(target)), '.');
  std::strcpy(dot, ".KFD");
  if (SameDrawingPath(source, target)) {
    // Nothing is written onto the file, but it is still counted (by the
    // target's name, which ends in its extension): a file that cannot be
    // opened is reported as by every other reader.
    int32_t count = 0;
    int32_t size = 0;
    CountDrawing(target, &count, &size, 1);
    return;
  }

  WriteOneDrawing(source, target, "", false, kTitleConvertStrings);
}

void WriteDrawingFile(const char* source, const char* target, const char* title) {
  char sourcePath[kPathBuffer];
  char targetPath[kPathBuffer];
  if (!BothInInputFolder(source, target, sourcePath, targetPath)) return;
  if (SameDrawingPath(sourcePath, targetPath)) return;
  WriteOneDrawing(sourcePath, targetPath, title, true, kTitleConvert);
}

void WrapFileAsDrawing(const char* source, const char* target, const char* title) {
  char sourcePath[kPathBuffer];
  char targetPath[kPathBuffer];
  if (!BothInInputFolder(source, target, sourcePath, targetPath)) return;
  const int64_t size = os::FileSize(sourcePath);
  if (size < 0 || size > kLargestWrappedFile) return;
  FILE* in = os::OpenFile(sourcePath, "rb");
  if (!in) return;
  // One byte more, so that an empty file still gets a block to lock.
  os::MemBlock block = os::MemAlloc(os::kGmemMoveable, static_cast<size_t>(size) + 1);
  char* bytes = block ? static_cast<char*>(os::MemLock(block)) : nullptr;
  const bool haveAll =
      bytes && std::fread(bytes, 1, static_cast<size_t>(size), in) == static_cast<size_t>(size);
  std::fclose(in);

  if (haveAll) {
    const TargetBefore before = LookAtTarget(targetPath);
    FILE* out = os::OpenFile(targetPath, "ab");
    if (out) {
      const DrawingFileHeader header =
          MakeDrawingHeader(title, 1, static_cast<int32_t>(size), 1.0f, 1.0f);
      unsigned char record[kDrawingRecordSize];
      PutDrawingRecord(record, 0, DrawingRecord{'M', 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f});
      if (!WriteDrawing(out, header, record, sizeof record, bytes, static_cast<size_t>(size))) {
        RestoreTarget(targetPath, before);
      }
    }
  }
  if (bytes) os::MemUnlock(block);
  if (block) os::MemFree(block);
}

void ConvertDrawingCall(const char* name, int64_t nameLength) {
  static engine_call::TextBuffer<engine_call::kNameLimit> buffer;
  ConvertDrawingFile(engine_call::TakeText(&buffer, name, nameLength));
}

void ResetDrawingFilesForTests() {
  char line[kDrawingLineSize];
  ReadDrawingLine(line, "", 1);
  std::memset(&g_drawingHeader, 0, sizeof g_drawingHeader);
}
