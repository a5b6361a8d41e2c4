// The block copy of report and drawing files.
#include <cstdio>
#include <cstring>

#include "drawing/drawing_binary.h"
#include "drawing/drawing_format.h"
#include "os/os.h"
#include "report/page/report_files.h"

namespace {

bool AppendEmptyDrawingHeader(FILE* f) {
  const unsigned char empty[kDrawingHeaderSize] = {};
  return os::WriteBytes(f, empty, sizeof empty);
}

// The bytes of the source's first drawing, or -1 when it is not a sound
// drawing (a short or negative header, or one that promises more bytes than
// the file holds). The file is left at its start.
int64_t FirstDrawingLength(FILE* f) {
  if (!SeekDrawing(f, 2)) return -1;  // finding drawing 2 checks drawing 1
  const int64_t length = kDrawingHeaderSize +
                         static_cast<int64_t>(g_drawingHeader.recordCount) * kDrawingRecordSize +
                         g_drawingHeader.stringSize;
  if (std::fseek(f, 0, SEEK_SET) != 0) return -1;
  return length;
}

// In the drawing mode every call adds one drawing to the target, so that the
// drawing numbers of the run's drawing file stay in step with the report's
// picture lines: a copy that appends no drawing appends an empty header.
// Returns `result`, the failure the caller reports.
int32_t KeepDrawingsInStep(const char* target, int32_t mode, int32_t result) {
  if (mode == kCopyDrawing) {
    // Written directly: a write failure injected by a test stands for the
    // copy that failed, not for this repair.
    if (FILE* f = os::OpenFile(target, "ab")) {
      const unsigned char empty[kDrawingHeaderSize] = {};
      std::fwrite(empty, 1, sizeof empty, f);
      std::fclose(f);
    }
  }
  return result;
}

// Undoes a failed copy: the target back to its length before the copy, and in
// the drawing mode an empty drawing header in place of the drawing.
int32_t FailCopy(const char* target, int64_t lengthBefore, int32_t mode) {
  os::ResizeFile(target, lengthBefore);
  return KeepDrawingsInStep(target, mode, kCopyFailed);
}

}  // namespace

int32_t CopyFileMode(const char* source, const char* target, int32_t mode) {
  const bool haveSource = os::FileExists(source);
  if (!haveSource && mode != kCopyDrawing) return kCopyFailed;
  // A file copied onto itself would read what it has just written (or, in
  // mode 1, be deleted before it is read): refuse it, however either path is
  // spelt.
  if (haveSource && os::IsSameFile(source, target)) {
    return KeepDrawingsInStep(target, mode, kCopyFailed);
  }

  FILE* in = nullptr;
  if (haveSource) {
    // A source that exists but cannot be read (another program holds it
    // locked) is a drawing that cannot be copied.
    in = os::OpenFile(source, "rb");
    if (in == nullptr) return KeepDrawingsInStep(target, mode, kCopyFailed);
  }
  if (mode == kCopyReplace && os::FileAttributes(target) != os::kInvalidAttributes &&
      !os::RemoveFile(target)) {
    if (in) std::fclose(in);
    return kCopyFailed;
  }
  int64_t lengthBefore = os::FileSize(target);
  if (lengthBefore < 0) lengthBefore = 0;
  FILE* out = os::OpenFile(target, "a+b");
  if (out == nullptr) {
    if (in) std::fclose(in);
    os::ShowMessageBox(nullptr, kMsgCannotCopy, kTitleCopy, os::kMbOk | os::kMbIconStop);
    return kCopyFailed;
  }

  if (in == nullptr) {
    // No drawing file: an empty drawing keeps the numbering in step.
    const bool ok = AppendEmptyDrawingHeader(out);
    std::fclose(out);
    if (!ok) {
      os::ResizeFile(target, lengthBefore);
      return kCopyFailed;
    }
    return kCopyDone;
  }

  // The length is taken once: a source that grows while it is copied (or is
  // written by someone else) never makes the copy run on.
  int64_t remaining = mode == kCopyDrawing ? FirstDrawingLength(in) : os::FileSize(source);
  if (remaining < 0) {
    std::fclose(in);
    std::fclose(out);
    return FailCopy(target, lengthBefore, mode);
  }
  if (remaining == 0) {
    std::fclose(in);
    std::fclose(out);
    return kCopyDone;
  }
  const size_t bufferSize =
      static_cast<size_t>(remaining < kCopyBufferLimit ? remaining : kCopyBufferLimit);
  os::MemBlock block = os::MemAlloc(os::kGmemMoveable, bufferSize);
  if (block == nullptr) {
    std::fclose(in);
    std::fclose(out);
    return KeepDrawingsInStep(target, mode, kCopyNoMemory);
  }
  char* buffer = static_cast<char*>(os::MemLock(block));
  bool ok = buffer != nullptr;
  while (ok && remaining > 0) {
    const size_t want = static_cast<size_t>(remaining < static_cast<int64_t>(bufferSize)
                                                ? remaining
                                                : static_cast<int64_t>(bufferSize));
    const size_t got = std::fread(buffer, 1, want, in);
    ok = got == want && os::WriteBytes(out, buffer, got);
    remaining -= static_cast<int64_t>(got);
  }
  os::MemUnlock(block);
  os::MemFree(block);
  std::fclose(in);
  if (std::fclose(out) != 0) ok = false;
  return ok ? kCopyDone : FailCopy(target, lengthBefore, mode);
}
