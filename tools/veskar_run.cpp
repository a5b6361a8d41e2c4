// veskar-run PROGRAM_FOLDER JOB_PATH [RUN_MODE_WORD]
//
// Does what the suite's host does: loads VESKAR.DLL (on Windows; the native
// build links the library in), calls VESKAR(0, program folder, job path,
// run-mode word, 0) and exits with its result. Folders and paths are Windows
// paths ("Z:\..." reaches any Linux path under Wine and natively alike).
#include <cstdint>
#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#else
#include "entry/entry_points.h"
#endif

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: veskar-run PROGRAM_FOLDER JOB_PATH [RUN_MODE_WORD]\n");
    return 2;
  }
  const char* mode = argc > 3 ? argv[3] : "";
#ifdef _WIN32
  using Entry = int32_t (*)(int32_t, const char*, const char*, const char*, int32_t);
  HMODULE dll = ::LoadLibraryA("VESKAR.DLL");
  if (!dll) {
    std::fprintf(stderr, "veskar-run: cannot load VESKAR.DLL (error %lu)\n", ::GetLastError());
    return 3;
  }
  auto entry = reinterpret_cast<Entry>(reinterpret_cast<void*>(::GetProcAddress(dll, "VESKAR")));
  if (!entry) {
    std::fprintf(stderr, "veskar-run: VESKAR.DLL exports no VESKAR\n");
    return 3;
  }
  const int32_t result = entry(0, argv[1], argv[2], mode, 0);
#else
  const int32_t result = VESKAR(0, argv[1], argv[2], mode, 0);
#endif
  std::fflush(stdout);
  // The whole error code: a Windows parent sees all 32 bits (Wine and Linux
  // pass on only the low 8).
  return static_cast<int>(result);
}
