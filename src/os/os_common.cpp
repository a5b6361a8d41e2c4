// The parts of the seam that are the same on both systems: the test overrides,
// the environment and the wildcard matcher.
#include "os/os_internal.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace os {

Overrides g_overrides;
FileSystemCalls g_fileSystemCalls;

FileSystemCalls CountedFileSystemCalls() { return g_fileSystemCalls; }
void ResetFileSystemCalls() { g_fileSystemCalls = FileSystemCalls{}; }

bool IsSameFile(const char* first, const char* second) {
  FileIdentity a;
  FileIdentity b;
  return GetFileIdentity(first, &a) && GetFileIdentity(second, &b) && a.volume == b.volume &&
         a.index == b.index;
}

void SetClockOverride(int64_t (*now)()) { g_overrides.now = now; }
void SetLocalTimeOverride(LocalTime (*local)(int64_t)) { g_overrides.local = local; }
void SetProcessClockOverride(int64_t (*millis)()) { g_overrides.millis = millis; }
void SetMessageBoxHook(MessageBoxHook hook) { g_overrides.messageBox = hook; }
void SetMemAllocFailAfter(int okCount) { g_overrides.memOkCount = okCount; }
void SetMemLockFailAfter(int okCount) { g_overrides.lockOkCount = okCount; }
void SetRemoveFileOverride(bool (*remove)(const char*)) { g_overrides.removeFile = remove; }
void SetRunCommandOverride(uint32_t (*run)(const char*)) { g_overrides.runCommand = run; }
void SetRefuseWriteOpens(bool refuse) { g_overrides.refuseWriteOpens = refuse; }
void SetWriteFailAfter(int okCount) { g_overrides.writeOkCount = okCount; }

static void SetFolderText(char* field, bool* isSet, const char* folder) {
  if (folder == nullptr) {
    *isSet = false;
    field[0] = '\0';
    return;
  }
  *isSet = true;
  std::strncpy(field, folder, kOverridePathSize - 1);
  field[kOverridePathSize - 1] = '\0';
}

void SetTempPathOverride(const char* folder) {
  SetFolderText(g_overrides.tempPath, &g_overrides.tempPathSet, folder);
}
void SetSettingsFolder(const char* folder) {
  SetFolderText(g_overrides.settingsFolder, &g_overrides.settingsFolderSet, folder);
}
void SetLockedFile(const char* path) {
  SetFolderText(g_overrides.lockedFile, &g_overrides.lockedFileSet, path);
}
void SetSystemHooks(const SystemHooks& hooks) { g_overrides.hooks = hooks; }
void OsResetOverrides() { g_overrides = Overrides{}; }

bool HookedFileSearch(const char* searchText, std::vector<FindData>* matches) {
  if (!g_overrides.hooks.findFiles) return false;
  constexpr int kMostMatches = 16;
  FindData found[kMostMatches] = {};
  int n = g_overrides.hooks.findFiles(searchText, found, kMostMatches);
  if (n > kMostMatches) n = kMostMatches;
  matches->assign(found, found + (n > 0 ? n : 0));
  return true;
}

bool ConsumeMemAllowance() {
  if (g_overrides.memOkCount < 0) return true;
  if (g_overrides.memOkCount == 0) return false;
  --g_overrides.memOkCount;
  return true;
}

bool ConsumeLockAllowance() {
  if (g_overrides.lockOkCount < 0) return true;
  if (g_overrides.lockOkCount == 0) return false;
  --g_overrides.lockOkCount;
  return true;
}

static bool SamePathText(const char* a, const char* b) {
  for (; *a != '\0' && *b != '\0'; ++a, ++b) {
    if (std::tolower(static_cast<unsigned char>(*a)) !=
        std::tolower(static_cast<unsigned char>(*b)))
      return false;
  }
  return *a == *b;
}

bool RefusesOpen(const char* path, const char* mode) {
  if (g_overrides.lockedFileSet && SamePathText(path, g_overrides.lockedFile) &&
      IsExistingFile(path))
    return true;
  return g_overrides.refuseWriteOpens && std::strpbrk(mode, "wa+") != nullptr &&
         IsExistingFile(path);
}

bool WriteBytes(FILE* file, const void* data, size_t size) {
  if (size == 0) return true;
  if (g_overrides.writeOkCount == 0) return false;
  if (g_overrides.writeOkCount > 0) --g_overrides.writeOkCount;
  return std::fwrite(data, 1, size, file) == size;
}

bool GetEnv(const char* name, char* out, size_t outSize) {
  const char* v = std::getenv(name);
  if (!v) return false;
  if (outSize == 0) return true;
  std::strncpy(out, v, outSize - 1);
  out[outSize - 1] = '\0';
  return true;
}

bool IsBareFileName(const char* name) { return std::strpbrk(name, "\\/:") == nullptr; }

// Windows matching: '*' takes any run of characters (dots included), '?' one
// character, letters compare without regard to case. A pattern ending in ".*"
// also matches a name without any dot, and "*.*" matches everything.
bool WildcardMatch(const char* pattern, const char* name) {
  const char* p = pattern;
  const char* n = name;
  const char* starP = nullptr;
  const char* starN = nullptr;
  while (*n) {
    if (*p == '*') {
      starP = p++;
      starN = n;
    } else if (*p == '?' || std::toupper(static_cast<unsigned char>(*p)) ==
                                std::toupper(static_cast<unsigned char>(*n))) {
      ++p;
      ++n;
    } else if (starP) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (*p == '*') ++p;
  if (*p == '\0') return true;
  // "name" against "name.*": the dot and the rest may be absent.
  return std::strcmp(p, ".*") == 0 || std::strcmp(p, ".") == 0;
}

}  // namespace os
