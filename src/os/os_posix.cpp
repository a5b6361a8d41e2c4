// The seam on Linux, for the native build. Windows paths are mapped to POSIX
// ones here and nowhere else; names are found without regard to case, as on
// Windows. There is no registry and no message box: registry look-ups fail and
// message boxes go to standard error unless a test hooks them.
#include <dirent.h>
#include <spawn.h>
#include <strings.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "os/os_internal.h"

extern char** environ;

namespace os {

namespace {

// "C:\A\B" -> "/A/B"; "C:B" -> "B"; '\' -> '/'.
std::string MapSlashes(const char* winPath) {
  std::string p(winPath ? winPath : "");
  if (p.size() >= 2 && std::isalpha(static_cast<unsigned char>(p[0])) && p[1] == ':') {
    p.erase(0, 2);
  }
  for (char& c : p) {
    if (c == '\\') c = '/';
  }
  return p;
}

bool Exists(const std::string& p) {
  struct stat st;
  return ::stat(p.c_str(), &st) == 0;
}

// The entry of folder `dir` whose name equals `name` without regard to case.
bool FindCaseless(const std::string& dir, const std::string& name, std::string* found) {
  DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return false;
  bool ok = false;
  while (dirent* e = ::readdir(d)) {
    if (::strcasecmp(e->d_name, name.c_str()) == 0) {
      *found = e->d_name;
      ok = true;
      break;
    }
  }
  ::closedir(d);
  return ok;
}

// The POSIX path of a Windows path. Each component that does not exist as
// written is looked up without regard to case; a component that is not found
// at all is kept as written (a file about to be created).
std::string NativePath(const char* winPath) {
  const std::string p = MapSlashes(winPath);
  if (p.empty() || Exists(p)) return p;
  // Most often the folder exists as written and only the file is missing or
  // written in another case: one look in that folder, not one per component.
  const size_t slash = p.rfind('/');
  if (slash != std::string::npos && slash > 0 && slash + 1 < p.size()) {
    const std::string dir = p.substr(0, slash);
    if (Exists(dir)) {
      const std::string name = p.substr(slash + 1);
      std::string real;
      if (name != "." && name != ".." && FindCaseless(dir, name, &real)) return dir + "/" + real;
      return p;
    }
  }
  std::string out;
  size_t i = 0;
  if (p[0] == '/') {
    out = "/";
    i = 1;
  }
  bool lost = false;
  while (i <= p.size()) {
    size_t j = p.find('/', i);
    if (j == std::string::npos) j = p.size();
    const std::string comp = p.substr(i, j - i);
    if (!comp.empty()) {
      std::string candidate = out + comp;
      std::string real;
      if (!lost && !Exists(candidate) && comp != "." && comp != ".." &&
          FindCaseless(out.empty() ? std::string(".") : out, comp, &real)) {
        candidate = out + real;
      } else if (!Exists(candidate)) {
        lost = true;
      }
      out = candidate;
    }
    if (j < p.size()) out += '/';
    i = j + 1;
  }
  return out;
}

std::string SettingsPath(const char* fileName) {
  if (IsBareFileName(fileName)) {
    if (g_overrides.settingsFolderSet)
      return NativePath((std::string(g_overrides.settingsFolder) + fileName).c_str());
    char dir[512];
    if (GetEnv("VESKAR_SETTINGS_DIR", dir, sizeof dir)) {
      return NativePath((std::string(dir) + "/" + fileName).c_str());
    }
  }
  return NativePath(fileName);
}

}  // namespace

FILE* OpenFile(const char* path, const char* mode) {
  ++g_fileSystemCalls.opens;
  if (RefusesOpen(path, mode)) return nullptr;
  FILE* f = std::fopen(NativePath(path).c_str(), mode);
  // Linux opens a folder for reading; Windows opens no folder as a file, and
  // callers rely on the open to say that a path names no file.
  struct stat st;
  if (f && (::fstat(::fileno(f), &st) != 0 || S_ISDIR(st.st_mode))) {
    std::fclose(f);
    return nullptr;
  }
  return f;
}

FILE* OpenFileShared(const char* path, const char* mode) { return OpenFile(path, mode); }

uint32_t FileAttributes(const char* path) {
  ++g_fileSystemCalls.probes;
  struct stat st;
  if (::stat(NativePath(path).c_str(), &st) != 0) return kInvalidAttributes;
  return S_ISDIR(st.st_mode) ? kAttrDirectory : kAttrNormal;
}

bool IsExistingFile(const char* path) {
  struct stat st;
  return ::stat(NativePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool FileExists(const char* path) {
  ++g_fileSystemCalls.probes;
  return IsExistingFile(path);
}

bool FolderExists(const char* path) {
  ++g_fileSystemCalls.probes;
  struct stat st;
  return ::stat(NativePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool RemoveFile(const char* path) {
  ++g_fileSystemCalls.deletes;
  if (g_overrides.removeFile) return g_overrides.removeFile(path);
  const std::string p = NativePath(path);
  struct stat st;
  if (::stat(p.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  return ::unlink(p.c_str()) == 0;
}

int64_t FileSize(const char* path) {
  ++g_fileSystemCalls.probes;
  struct stat st;
  if (::stat(NativePath(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
  return static_cast<int64_t>(st.st_size);
}

bool ResizeFile(const char* path, int64_t size) {
  ++g_fileSystemCalls.others;
  return ::truncate(NativePath(path).c_str(), static_cast<off_t>(size)) == 0;
}

bool GetFileIdentity(const char* path, FileIdentity* out) {
  ++g_fileSystemCalls.probes;
  struct stat st;
  if (::stat(NativePath(path).c_str(), &st) != 0) return false;
  out->volume = static_cast<uint64_t>(st.st_dev);
  out->index = static_cast<uint64_t>(st.st_ino);
  return true;
}

bool CreateFolder(const char* path) {
  ++g_fileSystemCalls.others;
  const std::string p = NativePath(path);
  if (::mkdir(p.c_str(), 0777) == 0) return true;
  struct stat st;
  return ::stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

struct FindHandle {
  std::vector<FindData> matches;
  size_t next = 0;
};

FindHandle* FindFirst(const char* searchText, FindData* out) {
  ++g_fileSystemCalls.searches;
  std::vector<FindData> hooked;
  if (HookedFileSearch(searchText, &hooked)) {
    if (hooked.empty()) return nullptr;
    *out = hooked[0];
    return new FindHandle{hooked, 1};
  }
  const std::string s = MapSlashes(searchText);
  const size_t cut = s.rfind('/');
  const std::string folder = cut == std::string::npos ? std::string() : s.substr(0, cut + 1);
  const std::string pattern = cut == std::string::npos ? s : s.substr(cut + 1);
  const std::string dirPath = folder.empty() ? std::string(".") : NativePath(folder.c_str());
  DIR* d = ::opendir(dirPath.c_str());
  if (!d) return nullptr;
  auto* h = new FindHandle;
  while (dirent* e = ::readdir(d)) {
    if (!WildcardMatch(pattern.c_str(), e->d_name)) continue;
    FindData fd{};
    std::strncpy(fd.name, e->d_name, sizeof fd.name - 1);
    struct stat st;
    const std::string full = dirPath + "/" + e->d_name;
    fd.isFolder = ::stat(full.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    h->matches.push_back(fd);
  }
  ::closedir(d);
  if (h->matches.empty()) {
    delete h;
    return nullptr;
  }
  *out = h->matches[0];
  h->next = 1;
  return h;
}

bool FindNext(FindHandle* handle, FindData* out) {
  if (handle) ++g_fileSystemCalls.searchSteps;
  if (!handle || handle->next >= handle->matches.size()) return false;
  *out = handle->matches[handle->next++];
  return true;
}

void FindClose(FindHandle* handle) { delete handle; }

uint32_t TempFolder(uint32_t bufferSize, char* buffer) {
  ++g_fileSystemCalls.others;
  std::string t;
  if (g_overrides.tempPathSet) {
    t = g_overrides.tempPath;
    if (t.empty()) return 0;
  } else {
    const char* env = std::getenv("TMPDIR");
    t = (env && *env) ? env : "/tmp";
    for (char& c : t) {
      if (c == '/') c = '\\';
    }
    if (t.back() != '\\') t += '\\';
  }
  if (t.size() + 1 > bufferSize) return static_cast<uint32_t>(t.size() + 1);
  std::memcpy(buffer, t.c_str(), t.size() + 1);
  return static_cast<uint32_t>(t.size());
}

uint32_t ModuleFileName(void* module, char* buffer, uint32_t bufferSize) {
  if (g_overrides.hooks.moduleFileName) {
    return g_overrides.hooks.moduleFileName(module, buffer, bufferSize);
  }
  if (bufferSize == 0) return 0;
  char tmp[4096];
  const ssize_t n = ::readlink("/proc/self/exe", tmp, sizeof tmp - 1);
  if (n <= 0) return 0;
  std::string s(tmp, static_cast<size_t>(n));
  for (char& c : s) {
    if (c == '/') c = '\\';
  }
  const size_t k = s.size() < bufferSize - 1 ? s.size() : bufferSize - 1;
  std::memcpy(buffer, s.data(), k);
  buffer[k] = '\0';
  return static_cast<uint32_t>(k);
}

// ---- settings files: a small reader and writer of INI text ----------------------

namespace {

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return lines;
  std::string cur;
  int c;
  while ((c = std::fgetc(f)) != EOF) {
    if (c == '\n') {
      lines.push_back(cur);
      cur.clear();
    } else if (c != '\r') {
      cur += static_cast<char>(c);
    }
  }
  if (!cur.empty()) lines.push_back(cur);
  std::fclose(f);
  return lines;
}

std::string Trim(const std::string& s) {
  size_t a = 0, b = s.size();
  while (a < b && (s[a] == ' ' || s[a] == '\t')) ++a;
  while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t')) --b;
  return s.substr(a, b - a);
}

bool IsSection(const std::string& line, std::string* name) {
  const std::string t = Trim(line);
  if (t.size() < 2 || t.front() != '[') return false;
  const size_t close = t.find(']');
  if (close == std::string::npos) return false;
  *name = Trim(t.substr(1, close - 1));
  return true;
}

bool IsKey(const std::string& line, const char* key, std::string* value) {
  const size_t eq = line.find('=');
  if (eq == std::string::npos) return false;
  if (::strcasecmp(Trim(line.substr(0, eq)).c_str(), key) != 0) return false;
  std::string v = Trim(line.substr(eq + 1));
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    v = v.substr(1, v.size() - 2);
  }
  *value = v;
  return true;
}

uint32_t CopyOut(const std::string& v, char* out, uint32_t outSize) {
  if (outSize == 0) return 0;
  const size_t k = v.size() < outSize - 1 ? v.size() : outSize - 1;
  std::memcpy(out, v.data(), k);
  out[k] = '\0';
  return static_cast<uint32_t>(k);
}

}  // namespace

uint32_t ReadSetting(const char* section, const char* key, const char* defaultValue, char* out,
                     uint32_t outSize, const char* fileName) {
  ++g_fileSystemCalls.settings;
  const std::vector<std::string> lines = ReadLines(SettingsPath(fileName));
  bool inSection = false;
  for (const std::string& line : lines) {
    std::string name, value;
    if (IsSection(line, &name)) {
      inSection = ::strcasecmp(name.c_str(), section) == 0;
    } else if (inSection && IsKey(line, key, &value)) {
      return CopyOut(value, out, outSize);
    }
  }
  return CopyOut(defaultValue ? defaultValue : "", out, outSize);
}

bool WriteSetting(const char* section, const char* key, const char* value, const char* fileName) {
  ++g_fileSystemCalls.settings;
  const std::string path = SettingsPath(fileName);
  std::vector<std::string> lines = ReadLines(path);
  const std::string entry = std::string(key) + "=" + (value ? value : "");
  bool inSection = false, done = false;
  size_t sectionEnd = std::string::npos;
  for (size_t i = 0; i < lines.size() && !done; ++i) {
    std::string name, v;
    if (IsSection(lines[i], &name)) {
      if (inSection) break;
      inSection = ::strcasecmp(name.c_str(), section) == 0;
      if (inSection) sectionEnd = i + 1;
    } else if (inSection) {
      if (IsKey(lines[i], key, &v)) {
        // A null value deletes the key, as WritePrivateProfileStringA does.
        if (value) {
          lines[i] = entry;
        } else {
          lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
        }
        done = true;
      } else if (!Trim(lines[i]).empty()) {
        sectionEnd = i + 1;
      }
    }
  }
  if (!done && value) {
    if (sectionEnd == std::string::npos) {
      lines.push_back(std::string("[") + section + "]");
      lines.push_back(entry);
    } else {
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(sectionEnd), entry);
    }
  }
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = true;
  for (const std::string& l : lines) {
    ok = ok && std::fwrite(l.data(), 1, l.size(), f) == l.size() && std::fputs("\r\n", f) >= 0;
  }
  return std::fclose(f) == 0 && ok;
}

uint32_t ReadSystemSetting(const char* section, const char* key, const char* defaultValue,
                           char* out, uint32_t outSize) {
  return ReadSetting(section, key, defaultValue, out, outSize, "WIN.INI");
}

void ConvertOemToAnsi(const char* src, char* dst, size_t n) {
  const unsigned char* table = OemToAnsiTable();
  for (size_t i = 0; i < n; ++i) {
    dst[i] = static_cast<char>(table[static_cast<unsigned char>(src[i])]);
  }
}

int64_t TimeNow() {
  if (g_overrides.now) return g_overrides.now();
  return static_cast<int64_t>(std::time(nullptr));
}

LocalTime ToLocalTime(int64_t seconds) {
  if (g_overrides.local) return g_overrides.local(seconds);
  const time_t t = static_cast<time_t>(seconds);
  struct tm tmv;
  LocalTime lt{};
  if (::localtime_r(&t, &tmv)) {
    lt = {tmv.tm_year + 1900, tmv.tm_mon + 1, tmv.tm_mday, tmv.tm_hour, tmv.tm_min, tmv.tm_sec};
  }
  return lt;
}

int64_t ProcessClockMillis() {
  if (g_overrides.millis) return g_overrides.millis();
  // Wall-clock time since the process started, as msvcrt's clock() counts it.
  static const auto start = std::chrono::steady_clock::now();
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                               start)
      .count();
}

intptr_t Spawn(int mode, const char* program, const char* const* argv) {
  const std::string prog = NativePath(program);
  std::vector<char*> args;
  for (const char* const* a = argv; *a; ++a) args.push_back(const_cast<char*>(*a));
  args.push_back(nullptr);
  pid_t pid;
  if (::posix_spawnp(&pid, prog.c_str(), nullptr, nullptr, args.data(), environ) != 0) return -1;
  if (mode != 0) return pid;
  int status = 0;
  if (::waitpid(pid, &status, 0) < 0) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

uint32_t RunCommandLine(const char* commandLine) {
  if (g_overrides.runCommand) return g_overrides.runCommand(commandLine);
  const char* argv[] = {"/bin/sh", "-c", commandLine, nullptr};
  pid_t pid;
  if (::posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ) != 0) {
    return 2;  // ERROR_FILE_NOT_FOUND, as WinExec reports it
  }
  return 33;
}

void EndProcess(uint32_t exitCode) { std::exit(static_cast<int>(exitCode)); }

RegKey const kHkeyLocalMachine = reinterpret_cast<RegKey>(static_cast<uintptr_t>(0x80000002u));
RegKey const kHkeyCurrentUser = reinterpret_cast<RegKey>(static_cast<uintptr_t>(0x80000001u));

bool RegOpen(RegKey parent, const char* subKey, uint32_t access, RegKey* out) {
  if (g_overrides.hooks.regOpen) return g_overrides.hooks.regOpen(parent, subKey, access, out);
  return false;
}
void RegClose(RegKey) {}
bool RegQueryValue(RegKey key, const char* valueName, void* data, uint32_t* size) {
  if (g_overrides.hooks.regQueryValue) {
    return g_overrides.hooks.regQueryValue(key, valueName, data, size);
  }
  return false;
}

int ShowMessageBox(void* owner, const char* text, const char* title, uint32_t flags) {
  if (g_overrides.messageBox) return g_overrides.messageBox(owner, text, title, flags);
  std::fprintf(stderr, "[%s] %s\n", title ? title : "", text ? text : "");
  return kIdOk;
}

// Movable blocks: a header before the data keeps the size and the lock count.
namespace {
struct BlockHeader {
  size_t size;
  int locks;
  int pad;
};
BlockHeader* HeaderOf(MemBlock b) { return static_cast<BlockHeader*>(b); }
}  // namespace

MemBlock MemAlloc(uint32_t flags, size_t size) {
  if (!ConsumeMemAllowance()) return nullptr;
  auto* h = static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader) + (size ? size : 1)));
  if (!h) return nullptr;
  h->size = size;
  h->locks = 0;
  if (flags & kGmemZeroInit) std::memset(h + 1, 0, size);
  return h;
}

MemBlock MemReAlloc(MemBlock block, size_t size, uint32_t flags) {
  if (!block || !ConsumeMemAllowance()) return nullptr;
  BlockHeader* old = HeaderOf(block);
  const size_t oldSize = old->size;
  auto* h = static_cast<BlockHeader*>(std::realloc(old, sizeof(BlockHeader) + (size ? size : 1)));
  if (!h) return nullptr;
  if ((flags & kGmemZeroInit) && size > oldSize) {
    std::memset(reinterpret_cast<char*>(h + 1) + oldSize, 0, size - oldSize);
  }
  h->size = size;
  return h;
}

void* MemLock(MemBlock block) {
  if (!block || !ConsumeLockAllowance()) return nullptr;
  ++HeaderOf(block)->locks;
  return HeaderOf(block) + 1;
}

bool MemUnlock(MemBlock block) {
  if (!block || HeaderOf(block)->locks == 0) return false;
  return --HeaderOf(block)->locks > 0;
}

size_t MemSize(MemBlock block) { return block ? HeaderOf(block)->size : 0; }

MemBlock MemFree(MemBlock block) {
  std::free(block);
  return nullptr;
}

}  // namespace os
