#include "support/test_support.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "os/os.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace testing_support {

namespace {

std::string EnvOr(const char* name, const char* fallback) {
  const char* v = std::getenv(name);
  return (v && *v) ? v : fallback;
}

// Tells this test program's folders from those of any other run: the process
// id and the start time, so that two programs started in the same second (the
// native and the Windows tests, say) never share a folder.
std::string ProcessTag() {
#ifdef _WIN32
  const unsigned long pid = ::GetCurrentProcessId();
#else
  const unsigned long pid = static_cast<unsigned long>(::getpid());
#endif
  static const std::string tag = std::to_string(pid) + "-" + std::to_string(os::TimeNow() % 100000);
  return tag;
}

}  // namespace

std::string WindowsPath(const std::string& posixPath) {
  std::string p = "Z:" + posixPath;
  for (char& c : p) {
    if (c == '/') c = '\\';
  }
  return p;
}

// The source folder the program was built from, unless the environment names
// another.
std::string SourceDir() { return EnvOr("VESKAR_SOURCE_DIR", VESKAR_BUILT_SOURCE_DIR); }

std::string MakeTempFolder(const std::string& label) {
  static std::atomic<int> counter{0};
  const std::string root = EnvOr("VESKAR_TEST_TMP", "/tmp/veskar-tests");
  std::string folder = WindowsPath(root) + "\\";
  os::CreateFolder(WindowsPath(root).c_str());
  folder += label + "-" + ProcessTag() + "-" + std::to_string(counter++);
  os::CreateFolder(folder.c_str());
  // Empty it: a folder of an earlier run with the same name may remain.
  os::FindData fd;
  if (os::FindHandle* h = os::FindFirst((folder + "\\*").c_str(), &fd)) {
    do {
      if (!fd.isFolder) os::RemoveFile((folder + "\\" + fd.name).c_str());
    } while (os::FindNext(h, &fd));
    os::FindClose(h);
  }
  return folder + "\\";
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  FILE* f = os::OpenFile(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

bool ReadFileBytes(const std::string& path, std::string* bytes) {
  FILE* f = os::OpenFile(path.c_str(), "rb");
  if (!f) return false;
  bytes->clear();
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes->append(buf, n);
  std::fclose(f);
  return true;
}

std::string ReadFileOrEmpty(const std::string& path) {
  std::string s;
  ReadFileBytes(path, &s);
  return s;
}

bool FileExists(const std::string& path) { return os::FileExists(path.c_str()); }

std::string Crlf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

void ResetOsOverrides() { os::OsResetOverrides(); }

}  // namespace testing_support
