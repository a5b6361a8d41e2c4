// The seam on Windows: each function is the Win32 (or msvcrt) call it names.
#include <process.h>
#include <share.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "os/os_internal.h"

// <windows.h> renames RegQueryValue to RegQueryValueA; the seam's function
// keeps its own name.
#undef RegQueryValue

namespace os {

FILE* OpenFile(const char* path, const char* mode) {
  ++g_fileSystemCalls.opens;
  if (RefusesOpen(path, mode)) return nullptr;
  return std::fopen(path, mode);
}

FILE* OpenFileShared(const char* path, const char* mode) {
  ++g_fileSystemCalls.opens;
  if (RefusesOpen(path, mode)) return nullptr;
  return _fsopen(path, mode, _SH_DENYNO);
}

uint32_t FileAttributes(const char* path) {
  ++g_fileSystemCalls.probes;
  return ::GetFileAttributesA(path);
}

bool IsExistingFile(const char* path) {
  const DWORD a = ::GetFileAttributesA(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool FileExists(const char* path) {
  ++g_fileSystemCalls.probes;
  return IsExistingFile(path);
}

bool FolderExists(const char* path) {
  ++g_fileSystemCalls.probes;
  const DWORD a = ::GetFileAttributesA(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool RemoveFile(const char* path) {
  ++g_fileSystemCalls.deletes;
  if (g_overrides.removeFile) return g_overrides.removeFile(path);
  return ::DeleteFileA(path) != 0;
}

int64_t FileSize(const char* path) {
  ++g_fileSystemCalls.probes;
  WIN32_FILE_ATTRIBUTE_DATA d;
  if (!::GetFileAttributesExA(path, GetFileExInfoStandard, &d)) return -1;
  if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -1;
  return (static_cast<int64_t>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
}

bool ResizeFile(const char* path, int64_t size) {
  ++g_fileSystemCalls.others;
  HANDLE h = ::CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER pos;
  pos.QuadPart = size;
  const bool ok = ::SetFilePointerEx(h, pos, nullptr, FILE_BEGIN) && ::SetEndOfFile(h);
  ::CloseHandle(h);
  return ok;
}

bool GetFileIdentity(const char* path, FileIdentity* out) {
  ++g_fileSystemCalls.probes;
  // No access rights are asked for, only the file's information; backup
  // semantics let a folder be opened too.
  HANDLE h = ::CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info;
  const bool ok = ::GetFileInformationByHandle(h, &info) != 0;
  ::CloseHandle(h);
  if (!ok) return false;
  out->volume = info.dwVolumeSerialNumber;
  out->index = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  return true;
}

bool CreateFolder(const char* path) {
  ++g_fileSystemCalls.others;
  if (::CreateDirectoryA(path, nullptr)) return true;
  const DWORD a = ::GetFileAttributesA(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// A search of the system (h) or the matches a test's file search gave.
struct FindHandle {
  HANDLE h;
  std::vector<FindData> hooked;
  size_t next;
};

static void CopyFindData(const WIN32_FIND_DATAA& w, FindData* out) {
  std::strncpy(out->name, w.cFileName, sizeof out->name - 1);
  out->name[sizeof out->name - 1] = '\0';
  std::strncpy(out->shortName, w.cAlternateFileName, sizeof out->shortName - 1);
  out->shortName[sizeof out->shortName - 1] = '\0';
  out->isFolder = (w.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

FindHandle* FindFirst(const char* searchText, FindData* out) {
  ++g_fileSystemCalls.searches;
  std::vector<FindData> hooked;
  if (HookedFileSearch(searchText, &hooked)) {
    if (hooked.empty()) return nullptr;
    *out = hooked[0];
    return new FindHandle{INVALID_HANDLE_VALUE, hooked, 1};
  }
  WIN32_FIND_DATAA w;
  HANDLE h = ::FindFirstFileA(searchText, &w);
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  CopyFindData(w, out);
  return new FindHandle{h, {}, 0};
}

bool FindNext(FindHandle* handle, FindData* out) {
  if (!handle) return false;
  ++g_fileSystemCalls.searchSteps;
  if (handle->h == INVALID_HANDLE_VALUE) {
    if (handle->next >= handle->hooked.size()) return false;
    *out = handle->hooked[handle->next++];
    return true;
  }
  WIN32_FIND_DATAA w;
  if (!::FindNextFileA(handle->h, &w)) return false;
  CopyFindData(w, out);
  return true;
}

void FindClose(FindHandle* handle) {
  if (!handle) return;
  if (handle->h != INVALID_HANDLE_VALUE) ::FindClose(handle->h);
  delete handle;
}

uint32_t TempFolder(uint32_t bufferSize, char* buffer) {
  ++g_fileSystemCalls.others;
  if (g_overrides.tempPathSet) {
    const size_t n = std::strlen(g_overrides.tempPath);
    if (n == 0) return 0;
    if (n + 1 > bufferSize) return static_cast<uint32_t>(n + 1);
    std::memcpy(buffer, g_overrides.tempPath, n + 1);
    return static_cast<uint32_t>(n);
  }
  return ::GetTempPathA(bufferSize, buffer);
}

uint32_t ModuleFileName(void* module, char* buffer, uint32_t bufferSize) {
  if (g_overrides.hooks.moduleFileName) {
    return g_overrides.hooks.moduleFileName(module, buffer, bufferSize);
  }
  return ::GetModuleFileNameA(static_cast<HMODULE>(module), buffer, bufferSize);
}

static std::string SettingsPath(const char* fileName) {
  if (g_overrides.settingsFolderSet && IsBareFileName(fileName)) {
    return std::string(g_overrides.settingsFolder) + fileName;
  }
  return fileName;
}

uint32_t ReadSetting(const char* section, const char* key, const char* defaultValue, char* out,
                     uint32_t outSize, const char* fileName) {
  ++g_fileSystemCalls.settings;
  return ::GetPrivateProfileStringA(section, key, defaultValue, out, outSize,
                                    SettingsPath(fileName).c_str());
}

bool WriteSetting(const char* section, const char* key, const char* value, const char* fileName) {
  ++g_fileSystemCalls.settings;
  return ::WritePrivateProfileStringA(section, key, value, SettingsPath(fileName).c_str()) != 0;
}

uint32_t ReadSystemSetting(const char* section, const char* key, const char* defaultValue,
                           char* out, uint32_t outSize) {
  if (g_overrides.settingsFolderSet) {
    return ReadSetting(section, key, defaultValue, out, outSize, "WIN.INI");
  }
  ++g_fileSystemCalls.settings;
  return ::GetProfileStringA(section, key, defaultValue, out, outSize);
}

void ConvertOemToAnsi(const char* src, char* dst, size_t n) {
  // OemToCharBuffA takes a 32-bit count; the callers' texts are short.
  ::OemToCharBuffA(src, dst, static_cast<DWORD>(n));
}

int64_t TimeNow() {
  if (g_overrides.now) return g_overrides.now();
  return static_cast<int64_t>(std::time(nullptr));
}

LocalTime ToLocalTime(int64_t seconds) {
  if (g_overrides.local) return g_overrides.local(seconds);
  const __time64_t t = seconds;
  struct tm tmv;
  LocalTime lt{};
  if (_localtime64_s(&tmv, &t) == 0) {
    lt = {tmv.tm_year + 1900, tmv.tm_mon + 1, tmv.tm_mday, tmv.tm_hour, tmv.tm_min, tmv.tm_sec};
  }
  return lt;
}

int64_t ProcessClockMillis() {
  if (g_overrides.millis) return g_overrides.millis();
  // msvcrt's clock() counts wall-clock milliseconds since the process started.
  return static_cast<int64_t>(std::clock());
}

intptr_t Spawn(int mode, const char* program, const char* const* argv) {
  // The caller's mode goes through as it is (_P_WAIT 0, _P_NOWAIT 1, ...).
  return _spawnvp(mode, program, argv);
}

uint32_t RunCommandLine(const char* commandLine) {
  if (g_overrides.runCommand) return g_overrides.runCommand(commandLine);
  return ::WinExec(commandLine, SW_SHOWNORMAL);
}

void EndProcess(uint32_t exitCode) { ::ExitProcess(exitCode); }

RegKey const kHkeyLocalMachine = reinterpret_cast<RegKey>(HKEY_LOCAL_MACHINE);
RegKey const kHkeyCurrentUser = reinterpret_cast<RegKey>(HKEY_CURRENT_USER);

bool RegOpen(RegKey parent, const char* subKey, uint32_t access, RegKey* out) {
  if (g_overrides.hooks.regOpen) return g_overrides.hooks.regOpen(parent, subKey, access, out);
  HKEY k = nullptr;
  if (::RegOpenKeyExA(static_cast<HKEY>(parent), subKey, 0, access, &k) != ERROR_SUCCESS) {
    return false;
  }
  *out = k;
  return true;
}

void RegClose(RegKey key) {
  if (g_overrides.hooks.regOpen) return;
  ::RegCloseKey(static_cast<HKEY>(key));
}

bool RegQueryValue(RegKey key, const char* valueName, void* data, uint32_t* size) {
  if (g_overrides.hooks.regQueryValue) {
    return g_overrides.hooks.regQueryValue(key, valueName, data, size);
  }
  DWORD n = *size;
  const LONG r = ::RegQueryValueExA(static_cast<HKEY>(key), valueName, nullptr, nullptr,
                                    static_cast<BYTE*>(data), &n);
  *size = n;
  return r == ERROR_SUCCESS;
}

int ShowMessageBox(void* owner, const char* text, const char* title, uint32_t flags) {
  if (g_overrides.messageBox) return g_overrides.messageBox(owner, text, title, flags);
  return ::MessageBoxA(static_cast<HWND>(owner), text, title, flags);
}

MemBlock MemAlloc(uint32_t flags, size_t size) {
  if (!ConsumeMemAllowance()) return nullptr;
  return ::GlobalAlloc(flags, size);
}
MemBlock MemReAlloc(MemBlock block, size_t size, uint32_t flags) {
  if (!ConsumeMemAllowance()) return nullptr;
  return ::GlobalReAlloc(block, size, flags);
}
void* MemLock(MemBlock block) {
  if (!ConsumeLockAllowance()) return nullptr;
  return ::GlobalLock(block);
}
bool MemUnlock(MemBlock block) { return ::GlobalUnlock(block) != 0; }
size_t MemSize(MemBlock block) { return ::GlobalSize(block); }
MemBlock MemFree(MemBlock block) { return ::GlobalFree(block); }

}  // namespace os
