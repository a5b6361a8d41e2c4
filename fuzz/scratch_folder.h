// The private folder of a fuzz target, made once per process.
//
// The targets write their input to a file (or three) at every run. On a disk
// file system, rewriting a file in place makes the kernel flush it when it is
// closed, which then costs more than the code under test; in memory
// (/dev/shm, where the machine has it) the same writes cost next to nothing.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

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
