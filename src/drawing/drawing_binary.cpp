// The binary drawing file (.KFD): finding drawing n and reading its header,
// records and string area.
//
// Every size in a header is checked, in 64 bits, against what the file holds:
// a header that is short, negative or promises more bytes than follow it means
// there is no such drawing (count 0), so a damaged file can neither make the
// reader run past its blocks nor leave an earlier file's header behind.
#include "drawing/drawing_binary.h"

#include <cstring>

#include "drawing/drawing_messages.h"
#include "os/os.h"

DrawingFileHeader g_drawingHeader;

namespace {

void ClearHeader() { std::memset(&g_drawingHeader, 0, sizeof g_drawingHeader); }

// Seeks and lengths in 64 bits: a long, which fseek and ftell take, is 32 bits
// on Windows, and a file of drawings appended run after run may pass 2 GiB.
bool SeekTo(FILE* f, int64_t position) {
  if (position < 0) return false;
#ifdef _WIN32
  return _fseeki64(f, position, SEEK_SET) == 0;
#else
  static_assert(sizeof(long) == 8, "the native build has 64-bit file offsets");
  return std::fseek(f, static_cast<long>(position), SEEK_SET) == 0;
#endif
}

int64_t LengthOf(FILE* f) {
#ifdef _WIN32
  if (_fseeki64(f, 0, SEEK_END) != 0) return -1;
  const int64_t length = _ftelli64(f);
#else
  if (std::fseek(f, 0, SEEK_END) != 0) return -1;
  const int64_t length = std::ftell(f);
#endif
  return length < 0 ? -1 : length;
}

// Reads the header at `position` into the shared buffer; the bytes of the
// whole drawing when it is sound and lies within the file, else -1.
int64_t ReadHeaderAt(FILE* f, int64_t position, int64_t fileLength) {
  if (position + kDrawingHeaderSize > fileLength || !SeekTo(f, position)) return -1;
  if (std::fread(&g_drawingHeader, 1, kDrawingHeaderSize, f) != kDrawingHeaderSize) return -1;
  const int64_t count = g_drawingHeader.recordCount;
  const int64_t size = g_drawingHeader.stringSize;
  if (count < 0 || size < 0) return -1;
  const int64_t total = kDrawingHeaderSize + count * kDrawingRecordSize + size;
  if (position + total > fileLength) return -1;
  return total;
}

// The position of drawing n's header, after every earlier drawing was found
// sound; -1 when there is none.
int64_t FindDrawing(FILE* f, int n, int64_t fileLength) {
  if (n < 1 || n > kLastDrawingNumber) n = 1;
  int64_t position = 0;
  for (int i = 1; i < n; ++i) {
    const int64_t total = ReadHeaderAt(f, position, fileLength);
    if (total < 0) return -1;
    position += total;
  }
  return position;
}

// Opens the file and reads drawing n's header into the shared buffer; the
// header's position comes back. Null (with a message when the file cannot be
// opened) when there is no such drawing.
FILE* OpenDrawing(const char* path, int n, int64_t* headerPosition) {
  ClearHeader();
  FILE* f = os::OpenFile(path, "rb");
  if (!f) {
    ShowDrawingMessage(kMsgCannotOpen, kTitleOpenError);
    return nullptr;
  }
  const int64_t length = LengthOf(f);
  const int64_t position = length < 0 ? -1 : FindDrawing(f, n, length);
  if (position < 0 || ReadHeaderAt(f, position, length) < 0) {
    ClearHeader();
    std::fclose(f);
    return nullptr;
  }
  *headerPosition = position;
  return f;
}

}  // namespace

bool SeekDrawing(FILE* file, int n) {
  const int64_t length = LengthOf(file);
  const int64_t position = length < 0 ? -1 : FindDrawing(file, n, length);
  if (position < 0 || !SeekTo(file, position)) {
    ClearHeader();
    return false;
  }
  return true;
}

void CountDrawingBinary(const char* path, int32_t* count, int32_t* stringSize, int n) {
  *count = 0;
  *stringSize = 0;
  int64_t position = 0;
  FILE* f = OpenDrawing(path, n, &position);
  if (!f) return;
  *count = g_drawingHeader.recordCount;
  *stringSize = g_drawingHeader.stringSize;
  std::fclose(f);
}

void ReadDrawingBinary(const char* path, int32_t* count, unsigned char* records,
                       int64_t recordCapacity, char* strings, int64_t stringCapacity,
                       float* largestX, float* largestY, int n) {
  *count = 0;
  *largestX = 0.0f;
  *largestY = 0.0f;
  int64_t position = 0;
  FILE* f = OpenDrawing(path, n, &position);
  if (!f) return;
  if (!records) recordCapacity = 0;
  if (!strings) stringCapacity = 0;
  const DrawingFileHeader& h = g_drawingHeader;
  // Only as many records and bytes as the blocks given can take.
  const int64_t wanted = h.recordCount < recordCapacity ? h.recordCount : recordCapacity;
  const size_t got =
      wanted > 0 ? std::fread(records, kDrawingRecordSize, static_cast<size_t>(wanted), f) : 0;
  const int64_t bytes = h.stringSize < stringCapacity ? h.stringSize : stringCapacity;
  const int64_t stringsAt =
      position + kDrawingHeaderSize + static_cast<int64_t>(h.recordCount) * kDrawingRecordSize;
  if (bytes > 0 && SeekTo(f, stringsAt)) std::fread(strings, 1, static_cast<size_t>(bytes), f);
  *count = static_cast<int32_t>(got);
  *largestX = h.largestX;
  *largestY = h.largestY;
  std::fclose(f);
}
