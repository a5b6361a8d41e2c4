// State shared by the two implementations of the seam (not for callers).
#pragma once

#include <vector>

#include "os/os.h"

namespace os {

constexpr int kOverridePathSize = 512;

struct Overrides {
  int64_t (*now)() = nullptr;
  LocalTime (*local)(int64_t) = nullptr;
  int64_t (*millis)() = nullptr;
  MessageBoxHook messageBox = nullptr;
  int memOkCount = -1;
  int lockOkCount = -1;
  bool (*removeFile)(const char* path) = nullptr;
  uint32_t (*runCommand)(const char* commandLine) = nullptr;
  bool refuseWriteOpens = false;
  bool lockedFileSet = false;
  char lockedFile[kOverridePathSize] = {};
  int writeOkCount = -1;
  bool tempPathSet = false;
  char tempPath[kOverridePathSize] = {};
  bool settingsFolderSet = false;
  char settingsFolder[kOverridePathSize] = {};
  SystemHooks hooks;
};
extern Overrides g_overrides;
extern FileSystemCalls g_fileSystemCalls;

// FileExists without counting a request: for the seam's own test faults.
bool IsExistingFile(const char* path);

// False when a test has made allocations fail (counts one allowed allocation).
bool ConsumeMemAllowance();
// The same for locking a movable block.
bool ConsumeLockAllowance();
// True when a test refuses this open: an existing file opened for writing, or
// the existing file a test locked.
bool RefusesOpen(const char* path, const char* mode);
// No folder part: the settings-file service puts such a name in its own folder.
bool IsBareFileName(const char* name);
// The matches a test's file search gives; false when no test has set one.
bool HookedFileSearch(const char* searchText, std::vector<FindData>* matches);

}  // namespace os
