// The GDI side of the metafile seam.
#include <windows.h>

#include "drawing/metafile_handles.h"

namespace metafile {

namespace {
int g_failure = kFailNothing;
}  // namespace

void* PlainFromBits(const void* bits, uint32_t size) {
  return ::SetMetaFileBitsEx(size, static_cast<const BYTE*>(bits));
}

void* PlainFromFile(const char* path) { return ::GetMetaFileA(path); }

void* EnhancedFromFile(const char* path) { return ::GetEnhMetaFileA(path); }

uint32_t PlainBits(void* handle, uint32_t size, void* out) {
  return ::GetMetaFileBitsEx(static_cast<HMETAFILE>(handle), out ? size : 0, out);
}

void DeletePlain(void* handle) {
  if (handle) ::DeleteMetaFile(static_cast<HMETAFILE>(handle));
}

void DeleteEnhanced(void* handle) {
  if (handle) ::DeleteEnhMetaFile(static_cast<HENHMETAFILE>(handle));
}

void* CreateRecorder() {
  if (g_failure == kFailCreate) {
    g_failure = kFailNothing;
    return nullptr;
  }
  return ::CreateMetaFileA(nullptr);
}

void* CloseRecorder(void* dc) {
  HMETAFILE recorded = ::CloseMetaFile(static_cast<HDC>(dc));
  if (g_failure == kFailClose) {
    g_failure = kFailNothing;
    if (recorded) ::DeleteMetaFile(recorded);
    return nullptr;
  }
  return recorded;
}

void SetRecorderFailureForTests(int failure) { g_failure = failure; }

}  // namespace metafile
