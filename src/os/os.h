// The one seam between the library and the operating system.
//
// Engine, report and curve code never include <windows.h>; whatever they need of
// the operating system goes through these free functions. There are two
// implementations: os_win32.cpp (the real Win32 calls) and os_posix.cpp (Linux,
// for the native build and its sanitizer runs).
//
// Paths are always Windows paths: '\' separates folders, a leading "X:" names a
// drive. The POSIX implementation maps '\' to '/' at the file-system boundary and
// drops a leading drive letter ("Z:\tmp\a" is /tmp/a, as Wine's drive Z: is /),
// and it finds an existing file whatever the case of its name, as Windows does.
//
// A few calls can be redirected by tests (clock, temp folder, settings folder,
// message boxes, the system hooks), and tests inject every fault of file
// deletion, file opening, writing, allocation and program starts here, in one
// way; OsResetOverrides() returns them all to the real system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace os {

// ---- files -------------------------------------------------------------------

// fopen() on a Windows path. Callers use binary modes ("rb", "wb", "ab", "r+b",
// "w+b", "a+b") and handle CR LF themselves, so both builds read and write the
// same bytes.
FILE* OpenFile(const char* path, const char* mode);

// Opens for appending without denying other processes read or write access.
FILE* OpenFileShared(const char* path, const char* mode);

bool FileExists(const char* path);    // an existing file (not a folder)
bool FolderExists(const char* path);  // an existing folder; a trailing '\' is allowed
bool RemoveFile(const char* path);    // true when the file was deleted
// fwrite of all `size` bytes; false when not all of them were written.
bool WriteBytes(FILE* file, const void* data, size_t size);
int64_t FileSize(const char* path);               // -1 when the file cannot be examined
bool ResizeFile(const char* path, int64_t size);  // truncate or extend
bool CreateFolder(const char* path);              // one level; true when it exists afterwards

// What makes a file itself, whatever the spelling of the path that names it
// (case, "..", a second hard link): on Windows the volume serial number and the
// file index, natively the device and the inode. Two paths name the same file
// exactly when both identities can be read and are equal.
struct FileIdentity {
  uint64_t volume;
  uint64_t index;
};
// False when nothing exists at the path or it cannot be examined.
bool GetFileIdentity(const char* path, FileIdentity* out);
bool IsSameFile(const char* first, const char* second);

// GetFileAttributesA: the attribute bits, or kInvalidAttributes when the path
// does not exist. The POSIX build gives kAttrDirectory or kAttrNormal.
constexpr uint32_t kInvalidAttributes = 0xFFFFFFFFu;
constexpr uint32_t kAttrReadOnly = 0x01;
constexpr uint32_t kAttrDirectory = 0x10;
constexpr uint32_t kAttrNormal = 0x80;
uint32_t FileAttributes(const char* path);

// ---- file search (FindFirstFileA / FindNextFileA / FindClose) ------------------

struct FindData {
  char name[260];      // long file name, no folder
  char shortName[14];  // 8.3 name when the system has one, else empty
  bool isFolder;
};
struct FindHandle;
// Windows wildcard matching, case-insensitive: '*' any run, '?' one character.
// nullptr when nothing matches.
FindHandle* FindFirst(const char* searchText, FindData* out);
bool FindNext(FindHandle* handle, FindData* out);
void FindClose(FindHandle* handle);
// The matcher the POSIX build uses; exposed so both builds can be tested on it.
bool WildcardMatch(const char* pattern, const char* name);

// ---- folders -----------------------------------------------------------------

// GetTempPathA: writes the temp folder with a trailing '\' and returns its
// length; returns the size needed (greater than bufferSize) when it does not
// fit, and 0 on failure.
uint32_t TempFolder(uint32_t bufferSize, char* buffer);
// GetModuleFileNameA: the file name of the module, its length as the result
// (0 on failure). A null module means the program itself.
uint32_t ModuleFileName(void* module, char* buffer, uint32_t bufferSize);

// ---- settings files (GetPrivateProfileStringA / WritePrivateProfileStringA) ----

// A bare file name (no '\', '/' or ':') lies in the settings folder: the Windows
// folder on Windows, or the folder a test sets.
uint32_t ReadSetting(const char* section, const char* key, const char* defaultValue, char* out,
                     uint32_t outSize, const char* fileName);
// A null value deletes the key.
bool WriteSetting(const char* section, const char* key, const char* value, const char* fileName);
// The system profile (WIN.INI) read by GetProfileStringA.
uint32_t ReadSystemSetting(const char* section, const char* key, const char* defaultValue,
                           char* out, uint32_t outSize);

// ---- code pages ----------------------------------------------------------------

// OemToCharBuffA: n bytes from the OEM code page (437) to the ANSI code page
// (1252), best-fit characters included. src and dst may be the same buffer.
void ConvertOemToAnsi(const char* src, char* dst, size_t n);
// The table the POSIX build uses, byte for byte what Wine's OemToCharBuffA gives.
const unsigned char* OemToAnsiTable();

// ---- clock -------------------------------------------------------------------

struct LocalTime {
  int year;    // e.g. 2026
  int month;   // 1..12
  int day;     // 1..31
  int hour;    // 0..23
  int minute;  // 0..59
  int second;  // 0..59
};
int64_t TimeNow();                       // seconds since 1 January 1970, UTC
LocalTime ToLocalTime(int64_t seconds);  // calendar time in the local time zone
int64_t ProcessClockMillis();            // milliseconds since the process started

// ---- environment, processes --------------------------------------------------

// True when the variable is set; its value is copied, cut to outSize - 1
// characters and NUL-terminated.
bool GetEnv(const char* name, char* out, size_t outSize);
// _spawnvp with the caller's mode as it is: 0 (_P_WAIT) waits (result: the
// exit code), 1 (_P_NOWAIT) does not (result: the process id). The POSIX build
// waits for mode 0 only. -1 when the program cannot be started. argv ends with
// nullptr.
intptr_t Spawn(int mode, const char* program, const char* const* argv);
// WinExec(commandLine, SW_SHOWNORMAL): above 31 on success.
uint32_t RunCommandLine(const char* commandLine);
// ExitProcess: ends the whole process (the host's, when loaded as a DLL) with
// this exit code.
[[noreturn]] void EndProcess(uint32_t exitCode);

// ---- registry (read only look-ups) -------------------------------------------

using RegKey = void*;
extern RegKey const kHkeyLocalMachine;
extern RegKey const kHkeyCurrentUser;
constexpr uint32_t kKeyRead = 0x20019;       // KEY_READ
constexpr uint32_t kKeyReadWrite = 0xF003F;  // KEY_ALL_ACCESS
// RegOpenKeyExA; true on success. The POSIX build has no registry: always false.
bool RegOpen(RegKey parent, const char* subKey, uint32_t access, RegKey* out);
void RegClose(RegKey key);
// RegQueryValueExA; *size is the buffer size in and the data size out.
bool RegQueryValue(RegKey key, const char* valueName, void* data, uint32_t* size);

// ---- message boxes -------------------------------------------------------------

constexpr uint32_t kMbOk = 0x0;
constexpr uint32_t kMbIconStop = 0x10;         // MB_ICONHAND / MB_ICONSTOP / MB_ICONERROR
constexpr uint32_t kMbIconExclamation = 0x30;  // MB_ICONEXCLAMATION
constexpr int kIdOk = 1;
// MessageBoxA. Tests replace it: a modal box would block a headless run.
int ShowMessageBox(void* owner, const char* text, const char* title, uint32_t flags);
using MessageBoxHook = int (*)(void* owner, const char* text, const char* title, uint32_t flags);
void SetMessageBoxHook(MessageBoxHook hook);  // nullptr: the real message box

// ---- movable memory blocks (GlobalAlloc and friends) ---------------------------

constexpr uint32_t kGmemMoveable = 0x0002;
constexpr uint32_t kGmemZeroInit = 0x0040;
using MemBlock = void*;
MemBlock MemAlloc(uint32_t flags, size_t size);  // nullptr when memory runs out
MemBlock MemReAlloc(MemBlock block, size_t size, uint32_t flags);
void* MemLock(MemBlock block);
bool MemUnlock(MemBlock block);
size_t MemSize(MemBlock block);
MemBlock MemFree(MemBlock block);  // nullptr on success, as GlobalFree
// Tests can make the next allocations fail: after `okCount` more successful
// allocations every MemAlloc returns nullptr (-1: never fail).
void SetMemAllocFailAfter(int okCount);
// The same for MemLock: after `okCount` more successful locks every lock fails.
void SetMemLockFailAfter(int okCount);

// ---- system hooks for tests -----------------------------------------------------

// What these machines cannot show: neither Wine nor Linux makes 8.3 short
// names, the native build has no registry, and a module's file name is where
// it happens to be installed. Tests put their own answers in place of the
// system's; a null member leaves that call to the system. While regOpen is
// set, RegClose closes nothing (the keys are the test's own).
struct SystemHooks {
  // The whole file search: writes up to `capacity` matches of searchText and
  // returns their number.
  int (*findFiles)(const char* searchText, FindData* matches, int capacity) = nullptr;
  bool (*regOpen)(RegKey parent, const char* subKey, uint32_t access, RegKey* out) = nullptr;
  bool (*regQueryValue)(RegKey key, const char* valueName, void* data, uint32_t* size) = nullptr;
  uint32_t (*moduleFileName)(void* module, char* buffer, uint32_t bufferSize) = nullptr;
};
void SetSystemHooks(const SystemHooks& hooks);

// ---- counts of file-system requests ------------------------------------------

// Every request the seam makes of the file system, by kind, since the last
// ResetFileSystemCalls (or the load). On Windows each one is at least a kernel
// call, and a network round trip when the file lies on a share, so tests count
// them to keep a run from asking more than it needs. A call a test has
// redirected counts as well: the library still asked.
struct FileSystemCalls {
  int64_t opens;        // OpenFile, OpenFileShared
  int64_t probes;       // FileExists, FolderExists, FileAttributes, FileSize, GetFileIdentity
  int64_t searches;     // FindFirst
  int64_t searchSteps;  // FindNext
  int64_t deletes;      // RemoveFile
  int64_t settings;     // ReadSetting, WriteSetting, ReadSystemSetting
  int64_t others;       // TempFolder, CreateFolder, ResizeFile
};
FileSystemCalls CountedFileSystemCalls();
void ResetFileSystemCalls();

// ---- test overrides ----------------------------------------------------------

void SetClockOverride(int64_t (*now)());  // TimeNow()
void SetLocalTimeOverride(LocalTime (*local)(int64_t));
void SetProcessClockOverride(int64_t (*millis)());
// The temp folder TempFolder gives (must end in '\'); nullptr: the real one.
// A text of "" makes TempFolder fail (return 0).
void SetTempPathOverride(const char* folder);
// Folder (ending in '\') of bare settings-file names; nullptr: the system's.
void SetSettingsFolder(const char* folder);
// Faults: RemoveFile answers with `remove` (nullptr: the real deletion);
// RunCommandLine calls `run` and starts nothing (nullptr: the real start);
// while refusing, OpenFile and OpenFileShared open no existing file for
// writing ('w', 'a' or '+' in the mode), as with a file the system protects;
// after `okCount` more successful writes every WriteBytes fails (-1: never).
void SetRemoveFileOverride(bool (*remove)(const char* path));
void SetRunCommandOverride(uint32_t (*run)(const char* commandLine));
void SetRefuseWriteOpens(bool refuse);
// While a locked file is set, OpenFile and OpenFileShared open nothing at
// that path (its text compared without regard to case), in any mode, while a
// file exists there, as with a file another program holds open without
// sharing; nullptr: none.
void SetLockedFile(const char* path);
void SetWriteFailAfter(int okCount);
void OsResetOverrides();

}  // namespace os
