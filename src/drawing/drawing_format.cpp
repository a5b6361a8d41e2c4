#include "drawing/drawing_format.h"

#include <cmath>
#include <cstring>

DrawingRecord GetDrawingRecord(const unsigned char* block, int64_t index) {
  const unsigned char* at = block + index * kDrawingRecordSize;
  DrawingRecord r;
  r.command = static_cast<char>(at[0]);
  std::memcpy(&r.x, at + 1, 4);
  std::memcpy(&r.y, at + 5, 4);
  std::memcpy(&r.field3, at + 9, 4);
  std::memcpy(&r.field4, at + 13, 4);
  std::memcpy(&r.field5, at + 17, 4);
  std::memcpy(&r.field6, at + 21, 4);
  return r;
}

void PutDrawingRecord(unsigned char* block, int64_t index, const DrawingRecord& r) {
  unsigned char* at = block + index * kDrawingRecordSize;
  at[0] = static_cast<unsigned char>(r.command);
  std::memcpy(at + 1, &r.x, 4);
  std::memcpy(at + 5, &r.y, 4);
  std::memcpy(at + 9, &r.field3, 4);
  std::memcpy(at + 13, &r.field4, 4);
  std::memcpy(at + 17, &r.field5, 4);
  std::memcpy(at + 21, &r.field6, 4);
}

namespace {

// A field that must hold a whole number from 0 to limit: false for NaN,
// infinities, fractions and anything out of range.
bool WholeInRange(float value, int64_t limit, int64_t* out) {
  if (limit > (int64_t{1} << 40)) limit = int64_t{1} << 40;  // keeps the cast below defined
  if (!(value >= 0.0f) || value > static_cast<float>(limit)) return false;
  if (std::trunc(value) != value) return false;
  *out = static_cast<int64_t>(value);
  return *out <= limit;
}

}  // namespace

bool FindDrawingText(const DrawingRecord& record, int64_t stringSize, int64_t* offset,
                     int64_t* length) {
  if (stringSize < 0) return false;
  int64_t n = 0;
  int64_t at = 0;
  if (!WholeInRange(record.field5, stringSize, &n)) return false;
  if (!WholeInRange(record.field6, stringSize, &at)) return false;
  if (at + n > stringSize) return false;
  *offset = at;
  *length = n;
  return true;
}

DrawingFileHeader MakeDrawingHeader(const char* title, int32_t recordCount, int32_t stringSize,
                                    float largestX, float largestY) {
  DrawingFileHeader h;
  std::memset(&h, 0, sizeof h);
  std::memcpy(h.magic, kDrawingMagic, std::strlen(kDrawingMagic));
  if (title) {
    size_t n = std::strlen(title);
    if (n > kDrawingTitleSize - 1) n = kDrawingTitleSize - 1;
    std::memcpy(h.title, title, n);
  }
  h.recordCount = recordCount;
  h.stringSize = stringSize;
  h.largestX = largestX;
  h.largestY = largestY;
  return h;
}
