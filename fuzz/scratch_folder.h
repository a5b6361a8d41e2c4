// The private folder of a fuzz target, made once per process.
//
// The targets write their input to a file (or three) at every run. On a disk
// file system, rewriting a file in place makes the kernel flush it when it is
// closed, which then costs more than the code under test; in memory
// (/dev/shm, where the machine has it) the same writes cost next to nothing.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "os/os.h"

// Makes "<memory or temp folder>/veskar-fuzz-<label>-XXXXXX" and writes its
// POSIX path into `out` (at least 64 bytes); aborts when it cannot.
inline void MakeFuzzScratchFolder(const char* label, char* out, size_t size) {
  struct stat st;
  const bool inMemory =
      ::stat("/dev/shm", &st) == 0 && S_ISDIR(st.st_mode) && ::access("/dev/shm", W_OK) == 0;
  const char* base = inMemory ? "/dev/shm" : "/tmp";
  const size_t needed =
      std::strlen(base) + std::strlen("/veskar-fuzz--XXXXXX") + std::strlen(label) + 1;
  if (needed > size) std::abort();
  std::strcpy(out, base);
  std::strcat(out, "/veskar-fuzz-");
  std::strcat(out, label);
  std::strcat(out, "-XXXXXX");
  if (!::mkdtemp(out)) std::abort();
}

// The POSIX path of the folder FuzzScratchFolder made; a plain array, so that
// it outlives everything the clean-up at exit might otherwise find destroyed.
inline char g_fuzzScratchPosix[64];
inline char g_fuzzScratchWindows[96];

// The private folder as a Windows path ending in '\' ("Z:\dev\shm\...\"),
// the form the library's paths take; made on the first call, and removed with
// all it holds at exit.
inline const char* FuzzScratchFolder(const char* label) {
  if (g_fuzzScratchWindows[0] != '\0') return g_fuzzScratchWindows;
  MakeFuzzScratchFolder(label, g_fuzzScratchPosix, sizeof g_fuzzScratchPosix);
  std::string w = std::string("Z:") + g_fuzzScratchPosix + "\\";
  for (char& c : w) {
    if (c == '/') c = '\\';
  }
  std::strcpy(g_fuzzScratchWindows, w.c_str());
  std::atexit([] {
    std::error_code ignored;
    std::filesystem::remove_all(g_fuzzScratchPosix, ignored);
  });
  return g_fuzzScratchWindows;
}

// Writes `size` bytes to `path` through the OS seam; aborts when it cannot.
inline void WriteFuzzFile(const std::string& path, const void* data, size_t size) {
  FILE* f = os::OpenFile(path.c_str(), "wb");
  if (!f) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
  std::fclose(f);
}
