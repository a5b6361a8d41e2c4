// Support routines: programs, environment values, the program folder and the
// registry look-ups (which the native build has none of).
#include "run/system_routines.h"

#include <cctype>
#include <cstdlib>

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
