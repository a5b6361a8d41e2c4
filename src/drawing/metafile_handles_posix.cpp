// The native build has no GDI: a Windows metafile is held as a copy of its
// bits, checked as far as the reader needs (the 18-byte header of a memory or
// disk metafile), and an enhanced metafile as the bytes of its file after a
// check of its header record. Nothing can be recorded.
#include <cstdlib>
#include <cstring>

#include "drawing/metafile_handles.h"
#include "os/os.h"

namespace metafile {

namespace {

struct Held {
  uint32_t size;
  unsigned char bytes[1];
};

constexpr uint32_t kMetaHeaderSize = 18;
constexpr uint32_t kEnhancedHeaderSize = 88;
constexpr uint32_t kEnhancedSignature = 0x464D4520u;  // " EMF"

uint32_t Le32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint16_t Le16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

void* Hold(const void* bits, uint32_t size) {
  auto* held = static_cast<Held*>(std::malloc(sizeof(Held) + size));
  if (!held) return nullptr;
  held->size = size;
  std::memcpy(held->bytes, bits, size);
  return held;
}

// mtType 1 (memory) or 2 (disk), a header of nine words.
bool IsMetafileHeader(const unsigned char* bits, uint32_t size) {
  if (size < kMetaHeaderSize) return false;
  const uint16_t type = Le16(bits);
  return (type == 1 || type == 2) && Le16(bits + 2) == 9;
}

// The whole file, or false when it cannot be read or is over 64 MiB.
bool ReadWhole(const char* path, unsigned char** bytes, uint32_t* size) {
  const int64_t length = os::FileSize(path);
  if (length < 0 || length > (int64_t{64} << 20)) return false;
  FILE* f = os::OpenFile(path, "rb");
  if (!f) return false;
  auto* data = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(length) + 1));
  const bool ok =
      data && std::fread(data, 1, static_cast<size_t>(length), f) == static_cast<size_t>(length);
  std::fclose(f);
  if (!ok) {
    std::free(data);
    return false;
  }
  *bytes = data;
  *size = static_cast<uint32_t>(length);
  return true;
}

}  // namespace

void* PlainFromBits(const void* bits, uint32_t size) {
  if (!bits || !IsMetafileHeader(static_cast<const unsigned char*>(bits), size)) return nullptr;
  return Hold(bits, size);
}

void* PlainFromFile(const char* path) {
  unsigned char* bytes = nullptr;
  uint32_t size = 0;
  if (!ReadWhole(path, &bytes, &size)) return nullptr;
  // The metafile is as long as its header says (mtSize words); what follows
  // in the file is not part of it.
  void* held = nullptr;
  if (IsMetafileHeader(bytes, size)) {
    const uint64_t length = uint64_t{Le32(bytes + 6)} * 2;
    if (length >= kMetaHeaderSize && length <= size) {
      held = Hold(bytes, static_cast<uint32_t>(length));
    }
  }
  std::free(bytes);
  return held;
}

void* EnhancedFromFile(const char* path) {
  unsigned char* bytes = nullptr;
  uint32_t size = 0;
  if (!ReadWhole(path, &bytes, &size)) return nullptr;
  const bool isEnhanced =
      size >= kEnhancedHeaderSize && Le32(bytes) == 1 && Le32(bytes + 40) == kEnhancedSignature;
  void* held = isEnhanced ? Hold(bytes, size) : nullptr;
  std::free(bytes);
  return held;
}

uint32_t PlainBits(void* handle, uint32_t size, void* out) {
  if (!handle) return 0;
  const Held* held = static_cast<const Held*>(handle);
  if (!out) return held->size;
  const uint32_t n = size < held->size ? size : held->size;
  std::memcpy(out, held->bytes, n);
  return n;
}

void DeletePlain(void* handle) { std::free(handle); }
void DeleteEnhanced(void* handle) { std::free(handle); }

void* CreateRecorder() { return nullptr; }
void* CloseRecorder(void*) { return nullptr; }
void SetRecorderFailureForTests(int) {}

}  // namespace metafile
