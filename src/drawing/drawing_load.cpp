// Reading a drawing of either kind, and holding one in movable memory blocks
// for a picture slot.
#include "drawing/drawing_load.h"

#include <cmath>
#include <cstring>

#include "drawing/drawing_binary.h"
#include "drawing/drawing_messages.h"
#include "drawing/drawing_paths.h"
#include "drawing/drawing_text.h"
#include "report_base/drawing_tools.h"

namespace {

enum class DrawingKind { kNone, kText, kBinary };

DrawingKind KindOf(const char* path) {
  if (ExtensionLettersAre(path, "KVD")) return DrawingKind::kText;
  if (ExtensionLettersAre(path, "KFD")) return DrawingKind::kBinary;
  return DrawingKind::kNone;
}

// An extent times 1000 as a 32-bit integer, truncated; held within the range
// (NaN gives 0) so that no value read from a file is undefined to convert.
int32_t Thousandths(float value) {
  const float scaled = value * 1000.0f;
  if (!(scaled == scaled)) return 0;
  if (scaled >= 2147483648.0f) return INT32_MAX;
  if (scaled <= -2147483648.0f) return INT32_MIN;
  return static_cast<int32_t>(scaled);
}

}  // namespace

void CountDrawing(const char* path, int32_t* count, int32_t* stringSize, int n) {
  *count = 0;
  *stringSize = 0;
  switch (KindOf(path)) {
    case DrawingKind::kText:
      CountDrawingText(path, count, stringSize);
      break;
    case DrawingKind::kBinary:
      CountDrawingBinary(path, count, stringSize, n);
      break;
    case DrawingKind::kNone:
      break;
  }
}

void ReadDrawing(const char* path, int32_t* count, unsigned char* records, int64_t recordCapacity,
                 char* strings, int64_t stringCapacity, float* largestX, float* largestY, int n) {
  *count = 0;
  *largestX = 0.0f;
  *largestY = 0.0f;
  switch (KindOf(path)) {
    case DrawingKind::kText:
      ReadDrawingText(path, count, records, recordCapacity, strings, stringCapacity, largestX,
                      largestY);
      break;
    case DrawingKind::kBinary:
      ReadDrawingBinary(path, count, records, recordCapacity, strings, stringCapacity, largestX,
                        largestY, n);
      break;
    case DrawingKind::kNone:
      break;
  }
}

int LoadDrawing(LoadedDrawing* drawing, const char* path, int n) {
  int32_t count = 0;
  int32_t size = 0;
  CountDrawing(path, &count, &size, n);
  if (count < 1 || size < 0) return 0;
  ReleaseDrawingBlocks(drawing);

  const uint32_t flags = os::kGmemMoveable | os::kGmemZeroInit;
  os::MemBlock strings = nullptr;
  if (size > 0) {
    strings = os::MemAlloc(flags, static_cast<size_t>(size));
    if (!strings) {
      ShowDrawingMessage(kMsgNoMemory, kTitleOpenFileError);
      return 0;
    }
  }
  os::MemBlock records = os::MemAlloc(flags, static_cast<size_t>(count) * kDrawingRecordSize);
  void* recordBytes = records ? os::MemLock(records) : nullptr;
  void* stringBytes = strings ? os::MemLock(strings) : nullptr;
  if (!recordBytes || (strings && !stringBytes)) {
    if (records) os::MemFree(records);
    if (strings) os::MemFree(strings);
    ShowDrawingMessage(kMsgNoMemory, kTitleOpenFileError);
    return 0;
  }

  int32_t read = 0;
  float largestX = 0.0f;
  float largestY = 0.0f;
  ReadDrawing(path, &read, static_cast<unsigned char*>(recordBytes), count,
              static_cast<char*>(stringBytes), size, &largestX, &largestY, n);
  os::MemUnlock(records);
  if (strings) os::MemUnlock(strings);
  if (read < 1) {
    // The file changed between the passes and now holds no such drawing.
    os::MemFree(records);
    if (strings) os::MemFree(strings);
    return 0;
  }
  drawing->records = records;
  drawing->strings = strings;
  drawing->recordCount = read;
  drawing->largestX1000 = Thousandths(largestX);
  drawing->largestY1000 = Thousandths(largestY);
  drawing->stringSize = size;
  return 1;
}

void ReleaseDrawingBlocks(LoadedDrawing* d) {
  if (d->records) os::MemFree(d->records);
  if (d->strings) os::MemFree(d->strings);
  d->records = nullptr;
  d->strings = nullptr;
  d->recordCount = 0;
  d->largestX1000 = 0;
  d->largestY1000 = 0;
  d->stringSize = 0;
}

void FreeDrawing(LoadedDrawing* drawing) {
  ReleaseDrawingBlocks(drawing);
  DeleteDrawingFont();
  DeleteDrawingPens();
}
