// Support routines: programs, environment values, the program folder and the
// registry look-ups (which the native build has none of).
#include "run/system_routines.h"

#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

#include "entry_fixture.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using entry_test::EntryTest;

void SetEnv(const char* name, const char* value) {
#ifdef _WIN32
  _putenv_s(name, value ? value : "");
#else
  if (value) {
    setenv(name, value, 1);
  } else {
    unsetenv(name);
  }
#endif
}

TEST_F(EntryTest, GetEnvValueCopiesCutAtTheOutputLength) {
  SetEnv("VESKAR_TEST_VALUE", "C:\\KVOR\\");
  char out[16];
  std::memset(out, '#', sizeof out);
  EXPECT_EQ(GetEnvValue("VESKAR_TEST_VALUEXX", 17, out, sizeof out), 8);
  EXPECT_STREQ(out, "C:\\KVOR\\");
  std::memset(out, '#', sizeof out);
  EXPECT_EQ(GetEnvValue("VESKAR_TEST_VALUE", 17, out, 5), 4);
  EXPECT_EQ(std::string(out, 6), std::string("C:\\K\0#", 6));

  SetEnv("VESKAR_TEST_VALUE", nullptr);
  std::strcpy(out, "KEPT");
  EXPECT_EQ(GetEnvValue("VESKAR_TEST_VALUE", 17, out, sizeof out), 4);
  EXPECT_STREQ(out, "KEPT");
}

TEST_F(EntryTest, GetEnvValueLooksUpOnlyTheWholeName) {
  // A name of 255 characters is looked up; one longer is not, even when its
  // first 255 characters name a variable that is set.
  const std::string name(255, 'V');
  SetEnv(name.c_str(), "SET");
  char out[16];
  EXPECT_EQ(GetEnvValue(name.c_str(), 255, out, sizeof out), 3);
  EXPECT_STREQ(out, "SET");
  const std::string longer = name + "W";
  std::strcpy(out, "KEPT");
  EXPECT_EQ(GetEnvValue(longer.c_str(), 256, out, sizeof out), 4);
  EXPECT_STREQ(out, "KEPT");
  SetEnv(name.c_str(), nullptr);

  // A long value is cut only by the output's length.
  const std::string value(5000, 'x');
  SetEnv("VESKAR_TEST_LONG", value.c_str());
  std::string big(6000, '#');
  EXPECT_EQ(GetEnvValue("VESKAR_TEST_LONG", 16, big.data(), 6000), 5000);
  EXPECT_EQ(big.substr(0, 5001), value + '\0');
  SetEnv("KVOR", ("D:\\" + std::string(4999, 'K')).c_str());
  EXPECT_EQ(FindProgramDir(nullptr, big.data(), 6000), 0);
  EXPECT_EQ(std::strlen(big.c_str()), 5002u);
  SetEnv("KVOR", nullptr);
  SetEnv("VESKAR_TEST_LONG", nullptr);
}

TEST_F(EntryTest, FindProgramDirFallsBackToKvor) {
  char out[64];
  SetEnv("KVOR", "D:\\SUITE\\");
  EXPECT_EQ(FindProgramDir(nullptr, out, sizeof out), 0);
  EXPECT_STREQ(out, "D:\\SUITE\\");
  std::strcpy(out, "KEPT");
  SetEnv("KVOR", nullptr);
  EXPECT_EQ(FindProgramDir(nullptr, out, sizeof out), -1);
  EXPECT_STREQ(out, "KEPT");
#ifdef _WIN32
  // A module outside any XEQ\ folder: its own name does not serve.
  EXPECT_EQ(FindProgramDir(::GetModuleHandleA(nullptr), out, sizeof out), -1);
#endif
}

#ifdef _WIN32
TEST_F(EntryTest, FindProgramDirCutsTheModulesNameBeforeItsXeqFolder) {
  // A copy of a library loaded from "<folder>Prog\xeq\": the program folder
  // is "<FOLDER>PROG\", upper case, whatever the case on disk.
  char relay[MAX_PATH];
  ASSERT_GT(::GetModuleFileNameA(::GetModuleHandleA("Relay.dll"), relay, MAX_PATH), 0u);
  const std::string folder = testing_support::MakeTempFolder("progdir") + "Prog\\";
  ASSERT_TRUE(os::CreateFolder(folder.c_str()));
  ASSERT_TRUE(os::CreateFolder((folder + "xeq").c_str()));
  const std::string copy = folder + "xeq\\RelayCopy.dll";
  ASSERT_TRUE(::CopyFileA(relay, copy.c_str(), FALSE));
  HMODULE module = ::LoadLibraryA(copy.c_str());
  ASSERT_NE(module, nullptr);
  std::string expected = folder;
  for (char& c : expected) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  SetEnv("KVOR", nullptr);
  char out[kRunFolderSize];
  EXPECT_EQ(FindProgramDir(module, out, sizeof out), 0);
  EXPECT_EQ(std::string(out), expected);
  // Cut to the output's length.
  char small[6];
  EXPECT_EQ(FindProgramDir(module, small, sizeof small), 0);
  EXPECT_EQ(std::string(small), expected.substr(0, 5));
  ::FreeLibrary(module);
}
#endif

// GetModuleFileNameA as the system gives it: as much of the name as the
// buffer holds; a name that does not fit comes back cut, without its NUL, and
// the result is the buffer's size.
std::string g_moduleName;
uint32_t ModuleNameOfTheTest(void*, char* buffer, uint32_t size) {
  const size_t n = g_moduleName.size();
  if (n < size) {
    std::memcpy(buffer, g_moduleName.c_str(), n + 1);
    return static_cast<uint32_t>(n);
  }
  std::memcpy(buffer, g_moduleName.data(), size);
  return size;
}

TEST_F(EntryTest, FindProgramDirTakesModuleNamesOfTheWholeField) {
  SetEnv("KVOR", nullptr);
  os::SystemHooks hooks;
  hooks.moduleFileName = &ModuleNameOfTheTest;
  os::SetSystemHooks(hooks);
  // 255 characters in all: C:\, a folder, then \XEQ\VESKAR.DLL.
  const std::string deep = "C:\\" + std::string(255 - 3 - 15, 'd') + "\\";
  // A name longer than the field comes back cut, its XEQ\ still in it.
  const std::string early = "C:\\SUITE\\";
  struct Case {
    std::string name;
    std::string folder;
  } const cases[] = {
      {deep + "XEQ\\VESKAR.DLL", "C:\\" + std::string(255 - 3 - 15, 'D') + "\\"},
      {early + "XEQ\\" + std::string(300, 'x') + ".DLL", early},
  };
  ASSERT_EQ(cases[0].name.size(), 255u);
  int dummy = 0;
  for (const Case& c : cases) {
    g_moduleName = c.name;
    char out[kRunFolderSize] = "KEPT";
    EXPECT_EQ(FindProgramDir(&dummy, out, sizeof out), 0) << c.name.size();
    EXPECT_EQ(std::string(out), c.folder) << c.name.size();
  }
  os::SetSystemHooks(os::SystemHooks{});
}

// The registry as tests see it: every key opens, each open's access mode is
// recorded, and the one value read is 300 bytes long.
std::vector<uint32_t> g_accessModes;
uint32_t g_sizeOffered = 0;
bool OpenAnyKey(os::RegKey, const char*, uint32_t access, os::RegKey* out) {
  static int key = 0;
  g_accessModes.push_back(access);
  *out = &key;
  return true;
}
bool ReadLongValue(os::RegKey, const char*, void* data, uint32_t* size) {
  g_sizeOffered = *size;
  const uint32_t n = *size < 300 ? *size : 300;
  std::memset(data, 'v', n);
  const bool fits = *size >= 300;
  *size = 300;
  return fits;
}

TEST_F(EntryTest, RegistryKeysAreOpenedForReadingOnly) {
  os::SystemHooks hooks;
  hooks.regOpen = &OpenAnyKey;
  hooks.regQueryValue = &ReadLongValue;
  os::SetSystemHooks(hooks);
  g_accessModes.clear();
  int32_t flag = -1;
  FindSiblingSimulator(&flag);
  EXPECT_EQ(flag, 0);
  char data[kUserSettingSize];
  ReadUserSetting("Sub", "Value", data);
  os::SetSystemHooks(os::SystemHooks{});
  ASSERT_EQ(g_accessModes.size(), 7u);  // three keys and four
  for (size_t i = 0; i < g_accessModes.size(); ++i) {
    EXPECT_EQ(g_accessModes[i], os::kKeyRead) << "key " << i;
  }
}

TEST_F(EntryTest, LongValuesStayWithinTheCallersBuffer) {
  // A 300-byte registry value: at most kUserSettingSize bytes are offered.
  os::SystemHooks hooks;
  hooks.regOpen = &OpenAnyKey;
  hooks.regQueryValue = &ReadLongValue;
  os::SetSystemHooks(hooks);
  std::string data(kUserSettingSize + 64, '#');
  ReadUserSetting("Sub", "Value", data.data());
  os::SetSystemHooks(os::SystemHooks{});
  EXPECT_EQ(g_sizeOffered, kUserSettingSize);
  EXPECT_EQ(data.substr(kUserSettingSize), std::string(64, '#'));

  // A 300-character KVOR: cut to the caller's length, NUL included.
  SetEnv("KVOR", std::string(300, 'K').c_str());
  std::string out(64 + 16, '#');
  EXPECT_EQ(FindProgramDir(nullptr, out.data(), 64), 0);
  SetEnv("KVOR", nullptr);
  EXPECT_EQ(out.substr(0, 64), std::string(63, 'K') + '\0');
  EXPECT_EQ(out.substr(64), std::string(16, '#'));
}

TEST_F(EntryTest, SpawnProgramEndsTheListBeforeABlankArgument) {
#ifdef _WIN32
  SetUpRunContext("C:\\windows\\system32\\", "Z:\\JOB.JOB", "1", "", "000000");
  const char* program = "cmd.exe";
  // "cmd /c exit 7" gives 7; the list ends before " 7", giving "cmd /c exit".
  EXPECT_EQ(SpawnProgram(0, program, "/c", "exit", "7", "9"), 7);
  EXPECT_EQ(SpawnProgram(0, program, "/c", "exit", " 7", "9"), 0);
#else
  SetUpRunContext("Z:\\bin\\", "Z:\\JOB.JOB", "1", "", "000000");
  const char* program = "sh";
  // sh -c 'exit $#' zero [one]: the exit code counts the arguments after "zero".
  EXPECT_EQ(SpawnProgram(0, program, "-c", "exit $#", "zero", "one"), 1);
  EXPECT_EQ(SpawnProgram(0, program, "-c", "exit $#", "zero", " one"), 0);
#endif
  EXPECT_EQ(SpawnProgram(0, "NO-SUCH-PROGRAM.EXE", "", nullptr, nullptr, nullptr), -1);
  EXPECT_EQ(SpawnProgram(0, std::string(300, 'P').c_str(), "-c", nullptr, nullptr, nullptr), -1);
}

TEST_F(EntryTest, SpawnProgramStartsNothingFromAProgramFolderThatDidNotFit) {
  // The folder's field is left empty; the bare name would be found in the
  // current folder (natively: on the search path), which is not the program's.
  const std::string tooLong = "Z:\\" + std::string(256, 'f') + "\\";
  ASSERT_EQ(tooLong.size(), 260u);
  SetUpRunContext(tooLong.c_str(), "Z:\\JOB.JOB", "1", "", "000000");
  ASSERT_FALSE(g_runContext.programFolderFits);
#ifdef _WIN32
  const char* program = "C:\\windows\\system32\\cmd.exe";
  EXPECT_EQ(SpawnProgram(0, program, "/c", "exit", "7", nullptr), -1);
#else
  EXPECT_EQ(SpawnProgram(0, "/bin/sh", "-c", "exit 7", nullptr, nullptr), -1);
#endif
}

#ifdef _WIN32
constexpr const char* kSettingsKey =
    "SOFTWARE\\VA and VBA Program Settings\\CorvoSoft/K-VOR 6.0\\VeskarTest";
constexpr const char* kSiblingKey = "SOFTWARE\\CorvoSoft\\CORVO FLOW";

TEST_F(EntryTest, ReadUserSettingReadsTheNamedValue) {
  HKEY key;
  ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(::RegSetValueExA(key, "Path", 0, REG_SZ, reinterpret_cast<const BYTE*>("C:\\X"), 5),
            ERROR_SUCCESS);
  ::RegCloseKey(key);
  char data[kUserSettingSize];
  EXPECT_EQ(ReadUserSetting("VeskarTest", "Path", data), 1);
  EXPECT_STREQ(data, "C:\\X");
  EXPECT_EQ(ReadUserSetting("VeskarTest", "Missing", data), 0);
  EXPECT_EQ(ReadUserSetting("NoSuchKey", "Path", data), 0);
  ::RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
}

TEST_F(EntryTest, FindSiblingSimulatorLooksForItsKey) {
  ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSiblingKey);
  int32_t flag = -1;
  FindSiblingSimulator(&flag);
  EXPECT_EQ(flag, 1);
  HKEY key;
  ASSERT_EQ(::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSiblingKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
            ERROR_SUCCESS);
  ::RegCloseKey(key);
  FindSiblingSimulator(&flag);
  EXPECT_EQ(flag, 0);
  ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSiblingKey);
}
#else
TEST_F(EntryTest, WithoutARegistryNothingIsFound) {
  int32_t flag = -1;
  FindSiblingSimulator(&flag);
  EXPECT_EQ(flag, 1);
  char data[kUserSettingSize] = "KEPT";
  EXPECT_EQ(ReadUserSetting("Any", "Value", data), 0);
}
#endif

}  // namespace
