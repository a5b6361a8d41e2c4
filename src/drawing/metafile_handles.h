// Metafile handles behind a narrow seam.
//
// Loading, copying out and deleting metafiles are the only metafile calls the
// picture slots and the placeable reader and writers make, and those are plain
// data handling: the Windows build makes real GDI handles (SetMetaFileBitsEx,
// GetMetaFileA, GetEnhMetaFileA, GetMetaFileBitsEx); the native build, which
// has no GDI, keeps a Windows metafile as a copy of its bits, so that the
// reference rules, the placeable reader's messages and the writers are tested
// in both builds. Nothing is ever drawn through this seam.
#pragma once

#include <cstdint>

namespace metafile {

// A Windows metafile made from `size` bytes of metafile bits; null when the
// bits are not a metafile.
void* PlainFromBits(const void* bits, uint32_t size);
// A Windows metafile file without placeable header; null when the file cannot
// be read as one (a placeable file included).
void* PlainFromFile(const char* path);
// An enhanced metafile file; null when it cannot be read as one.
void* EnhancedFromFile(const char* path);
// The bits of a Windows metafile: with `out` null the size in bytes; else
// copies up to `size` bytes and returns the number copied. 0 on failure.
uint32_t PlainBits(void* handle, uint32_t size, void* out);
void DeletePlain(void* handle);
void DeleteEnhanced(void* handle);

// A memory metafile device context to record a drawing into (CreateMetaFileA
// with no file), and its closing into a Windows metafile handle. The native
// build records nothing: both give null.
void* CreateRecorder();
void* CloseRecorder(void* dc);

// Tests: make the next CreateRecorder or CloseRecorder fail (CloseRecorder
// still ends the recording and deletes what it recorded).
constexpr int kFailNothing = 0;
constexpr int kFailCreate = 1;
constexpr int kFailClose = 2;
void SetRecorderFailureForTests(int failure);

}  // namespace metafile
