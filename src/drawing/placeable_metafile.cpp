// Reading and writing placeable Windows metafiles: a 22-byte placeable header
// (key, bounding box, units per inch, checksum) before a standard Windows
// metafile.
#include <cstring>

#include "drawing/metafile_handles.h"
#include "drawing/pictures.h"
#include "os/os.h"

namespace {

constexpr int kMetaHeaderSize = 18;
constexpr uint16_t kUnitsPerInch = 1000;
// A file may hold fewer bits than its header says: what is missing reads as
// zeros. Beyond this much missing the header is taken as damaged rather than
// the file as cut short, so that no header makes the reader allocate gigabytes.
constexpr uint64_t kMissingBitsAllowed = 64 * 1024;
constexpr uint64_t kLargestBits = 0xFFFFFFFEu;

// The bits of the last placeable file read. The metafile made from them does
// not depend on the block; it stays until the next placeable read.
os::MemBlock g_bitsBlock = nullptr;

void ReleaseBitsBlock() {
  if (g_bitsBlock) os::MemFree(g_bitsBlock);
  g_bitsBlock = nullptr;
}

uint32_t Le32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

void PutLe16(unsigned char* p, uint16_t v) {
  p[0] = static_cast<unsigned char>(v & 0xFF);
  p[1] = static_cast<unsigned char>(v >> 8);
}

void PutLe32(unsigned char* p, uint32_t v) {
  PutLe16(p, static_cast<uint16_t>(v & 0xFFFF));
  PutLe16(p + 2, static_cast<uint16_t>(v >> 16));
}

// The reader's messages: no owner, no title, the stop icon.
void* Fail(FILE* f, const char* message) {
  std::fclose(f);
  os::ShowMessageBox(nullptr, message, nullptr, os::kMbOk | os::kMbIconStop);
  return nullptr;
}

// The metafile's bits, after the placeable header when one is given, into a
// file created (or emptied) at `path`. A file that is not written whole is
// deleted; the block is released on every path.
int WriteBitsFile(void* metafile, const char* path, const unsigned char* header) {
  const uint32_t size = metafile::PlainBits(metafile, 0, nullptr);
  if (size == 0) return 0;
  os::MemBlock block = os::MemAlloc(os::kGmemMoveable | os::kGmemZeroInit, size);
  if (!block) return 0;
  void* bits = os::MemLock(block);
  int result = 0;
  if (bits && metafile::PlainBits(metafile, size, bits) != 0) {
    FILE* f = os::OpenFile(path, "wb");
    if (f) {
      bool ok = (!header || os::WriteBytes(f, header, kPlaceableHeaderSize)) &&
                os::WriteBytes(f, bits, size);
      if (std::fclose(f) != 0) ok = false;
      if (!ok) os::RemoveFile(path);
      result = ok ? 1 : 0;
    }
  }
  if (bits) os::MemUnlock(block);
  os::MemFree(block);
  return result;
}

}  // namespace

uint16_t PlaceableChecksum(const unsigned char* header) {
  uint16_t sum = 0;
  for (int i = 0; i < 10; ++i) {
    sum ^= static_cast<uint16_t>(header[2 * i] | (header[2 * i + 1] << 8));
  }
  return sum;
}

void* ReadPlaceableMetafile(const char* path, unsigned char* header, PictureSlot* slot) {
  // A short read must not leave an earlier picture's box behind.
  std::memset(header, 0, kPlaceableHeaderSize);
  FILE* f = os::OpenFile(path, "rb");
  if (!f) return nullptr;
  const size_t got = std::fread(header, 1, kPlaceableHeaderSize, f);
  if (got < 4 || Le32(header) != kPlaceableKey) {
    std::fclose(f);
    slot->kind = kPicturePlain;
    return metafile::PlainFromFile(path);
  }
  if (got < static_cast<size_t>(kPlaceableHeaderSize)) return Fail(f, kMsgPlaceableHeader);

  unsigned char metaHeader[kMetaHeaderSize];
  if (std::fread(metaHeader, 1, kMetaHeaderSize, f) < static_cast<size_t>(kMetaHeaderSize)) {
    return Fail(f, kMsgMetafileHeader);
  }
  // mtSize counts 16-bit words; twice it may pass 32 bits.
  const uint64_t bytes = uint64_t{Le32(metaHeader + 6)} * 2;
  const int64_t fileSize = os::FileSize(path);
  const uint64_t present =
      fileSize > kPlaceableHeaderSize ? static_cast<uint64_t>(fileSize - kPlaceableHeaderSize) : 0;
  if (bytes < static_cast<uint64_t>(kMetaHeaderSize) || bytes > kLargestBits ||
      bytes > present + kMissingBitsAllowed) {
    return Fail(f, kMsgMetafileBits);
  }

  ReleaseBitsBlock();
  g_bitsBlock = os::MemAlloc(os::kGmemMoveable | os::kGmemZeroInit, static_cast<size_t>(bytes));
  if (!g_bitsBlock) return Fail(f, kMsgMetafileMemory);
  auto* bits = static_cast<unsigned char*>(os::MemLock(g_bitsBlock));
  if (!bits) {
    ReleaseBitsBlock();
    return Fail(f, kMsgMetafileMemory);
  }
  // A short read is no error: the rest of the block stays zero.
  const bool readFailed =
      std::fseek(f, kPlaceableHeaderSize, SEEK_SET) != 0 ||
      (std::fread(bits, 1, static_cast<size_t>(bytes), f) < bytes && std::ferror(f));
  if (readFailed) {
    os::MemUnlock(g_bitsBlock);
    ReleaseBitsBlock();
    return Fail(f, kMsgMetafileBits);
  }
  slot->kind = kPicturePlaceable;
  std::fclose(f);
  void* handle = metafile::PlainFromBits(bits, static_cast<uint32_t>(bytes));
  os::MemUnlock(g_bitsBlock);
  return handle;
}

int WritePlaceableMetafile(void* metafile, const char* path, PictureRect rect) {
  unsigned char header[kPlaceableHeaderSize] = {};
  PutLe32(header, kPlaceableKey);
  PutLe16(header + 6, static_cast<uint16_t>(rect.left));
  PutLe16(header + 8, static_cast<uint16_t>(rect.top));
  PutLe16(header + 10, static_cast<uint16_t>(int64_t{rect.right} - rect.left));
  PutLe16(header + 12, static_cast<uint16_t>(int64_t{rect.bottom} - rect.top));
  PutLe16(header + 14, kUnitsPerInch);
  PutLe16(header + 20, PlaceableChecksum(header));
  return WriteBitsFile(metafile, path, header);
}

int WriteMetafileBits(void* metafile, const char* path) {
  return WriteBitsFile(metafile, path, nullptr);
}

void ResetPlaceableMetafileForTests() { ReleaseBitsBlock(); }
