// Arbitrary bytes as a text drawing (.KVD) and as a binary drawing file
// (.KFD): counting, loading, converting and appending must neither crash, nor
// hang, nor touch memory outside their blocks, and the two passes over a file
// must agree on its size. The first byte picks the drawing number asked for
// and which of the two the input is: one file is written per input.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "os/os.h"
#include "run/run_context.h"
#include "scratch_folder.h"

// The libraries are built without the fuzzer's coverage instrumentation, so
// the drawing sources are compiled into this program: the fuzzer then sees
// which branches an input reaches. Their symbols take the place of the
// library's copies, which the linker then leaves out.
#include "drawing/drawing_binary.cpp"
#include "drawing/drawing_format.cpp"
#include "drawing/drawing_load.cpp"
#include "drawing/drawing_messages.cpp"
#include "drawing/drawing_paths.cpp"
#include "drawing/drawing_text.cpp"
#include "drawing/drawing_writers.cpp"
#include "drawing/fixed_fields.cpp"

namespace {

int Silent(void*, const char*, const char*, uint32_t) { return os::kIdOk; }

// The paths of the private folder's files, made once, not at every input.
constexpr const char* kNames[] = {"F.KVD", "F.KFD", "G.KFD", "K.KVD"};
enum FileIndex { kFKvd, kFKfd, kGKfd, kKKvd };
char g_paths[4][128];       // the Windows paths the library is given
char g_posixPaths[4][128];  // the same files, written by this program directly

void MakeFolder() {
  const char* folder = FuzzScratchFolder("drawing");
  for (int i = 0; i < 4; ++i) {
    std::snprintf(g_paths[i], sizeof g_paths[i], "%s%s", folder, kNames[i]);
    std::snprintf(g_posixPaths[i], sizeof g_posixPaths[i], "%s/%s", g_fuzzScratchPosix, kNames[i]);
  }
}

// The input as one of the folder's files: by its POSIX path, which is the
// file the library finds by the Windows one, without the seam's name lookup.
void Write(FileIndex file, const uint8_t* data, size_t size) {
  FILE* f = std::fopen(g_posixPaths[file], "wb");
  if (!f) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
  std::fclose(f);
}

// Every S record's text must lie inside the string block, as the checker
// says; every other record must at least be readable.
void WalkRecords(const LoadedDrawing& d) {
  const auto* records = static_cast<const unsigned char*>(os::MemLock(d.records));
  const char* strings = d.strings ? static_cast<const char*>(os::MemLock(d.strings)) : nullptr;
  volatile char sink = 0;
  for (int32_t i = 0; i < d.recordCount; ++i) {
    const DrawingRecord r = GetDrawingRecord(records, i);
    int64_t at = 0;
    int64_t n = 0;
    if (r.command == 'S' && strings && FindDrawingText(r, d.stringSize, &at, &n)) {
      for (int64_t k = 0; k < n; ++k) sink = sink + strings[at + k];
    }
    if (r.command == 'C' || r.command == 'E') {
      float x = 0;
      float y = 0;
      ArcExtents(&x, &y, r);
    }
  }
  if (strings) os::MemUnlock(d.strings);
  os::MemUnlock(d.records);
}

void CountAndLoad(const char* path, int n) {
  int32_t count = -1;
  int32_t size = -1;
  CountDrawing(path, &count, &size, n);
  if (count < 0 || size < 0) __builtin_trap();
  LoadedDrawing d = {};
  const int loaded = LoadDrawing(&d, path, n);
  // The file has not changed between the passes: the load holds exactly what
  // the count found.
  if (loaded != (count > 0 ? 1 : 0)) __builtin_trap();
  if (loaded && (d.recordCount != count || d.stringSize != size)) __builtin_trap();
  if (loaded) WalkRecords(d);
  FreeDrawing(&d);
}

}  // namespace

// A small text drawing of every record kind, appended to fuzzed binary files.
constexpr char kKnownDrawing[] =
    "M   10000   10000\r\n"
    "D   20000   20000\r\n"
    "S   10000   10000\r\n"
    "10000     0 4\r\n"
    "PUMP\r\n"
    "T\r\n";

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  os::SetMessageBoxHook(Silent);
  if (g_paths[0][0] == '\0') {
    MakeFolder();
    std::strcpy(g_runContext.inputFolder, FuzzScratchFolder("drawing"));
    Write(kKKvd, reinterpret_cast<const uint8_t*>(kKnownDrawing), sizeof kKnownDrawing - 1);
  }
  const int n = size > 0 ? static_cast<int>(data[0] % 8) - 1 : 1;  // -1..6: outside 1..100 too
  const bool text = size == 0 || (data[0] & 8) != 0;

  if (text) {
    // A text drawing, then converted: the result loads again as it was counted.
    Write(kFKvd, data, size);
    CountAndLoad(g_paths[kFKvd], n);
    ConvertDrawingFile("F");
    CountAndLoad(g_paths[kFKfd], 1);
  } else {
    // A binary drawing file, then a known drawing appended to it.
    Write(kGKfd, data, size);
    CountAndLoad(g_paths[kGKfd], n);
    WriteDrawingFile("K.KVD", "G.KFD", "fuzz");
    CountAndLoad(g_paths[kGKfd], 2);
  }
  return 0;
}
