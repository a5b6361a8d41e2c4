// The folder and command routines for engine code outside this library.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "files_fixture.h"

namespace {

using files_test::Field;
using files_test::FilesTest;
using files_test::Padded;

using FolderAndCommandRoutinesTest = FilesTest;

TEST_F(FolderAndCommandRoutinesTest, ProgramFolderAndJobStem) {
  files_test::SetPaths("C:\\PROG\\", "T\\", "C:\\JOBS\\", "JOB");
  char result[257];
  result[256] = '!';
  GetEngineProgramDir(result);
  EXPECT_EQ(Field(result, 256), Padded("C:\\PROG\\", 256));
  GetJobStemPath(result);
  EXPECT_EQ(Field(result, 256), Padded("C:\\JOBS\\JOB", 256));
  files_test::SetPaths("C:\\PROG\\", "T\\", "", "JOB");
  GetJobStemPath(result);
  EXPECT_EQ(Field(result, 256), Padded("JOB", 256));
  const std::string folder(250, 'F');
  files_test::SetPaths("C:\\PROG\\", "T\\", folder, "LONGNAME");
  GetJobStemPath(result);
  EXPECT_EQ(Field(result, 256), folder + "LONGNA");
  EXPECT_EQ(result[256], '!');
}

// The host writes 256 characters of 'S' and returns various counts.
TEST_F(FolderAndCommandRoutinesTest, SecondFolderOrElseTheInputFolder) {
  files_test::SetPaths("P\\", "T\\", "C:\\JOBS\\", "JOB");
  const std::string hostText(256, 'S');
  struct Case {
    int64_t count;
    std::string result;
  } const cases[] = {
      {10, Padded(std::string(10, 'S'), 256)},
      {256, hostText},
      {300, hostText},
      {0, Padded("C:\\JOBS\\", 256)},
      {-4, Padded("C:\\JOBS\\", 256)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    GantryStandin_SetSecondFolder(hostText.c_str(), c.count);
    char result[256];
    GetSecondHostFolder(result);
    EXPECT_EQ(Field(result, 256), c.result);
    const GantryCall* call = GantryStandin_LastOf(35);
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->value[0], 256);
  }
  GantryStandin_SetSecondFolder("D:\\SECOND\\  x", 10);
  char result[256];
  GetSecondHostFolder(result);
  EXPECT_EQ(Field(result, 256), Padded("D:\\SECOND\\", 256));
  EmptyRunServiceHook();
}

std::string g_command;
uint32_t RecordCommand(const char* commandLine) {
  g_command.assign(commandLine, std::strlen(commandLine) + 1);
  return 33;
}

TEST_F(FolderAndCommandRoutinesTest, CommandTextGoesWholeWithOneZeroByte) {
  os::SetRunCommandOverride(&RecordCommand);
  const char command[] = "NOTEPAD.EXE X.TXT   ";
  RunCommandText(command, 20);
  EXPECT_EQ(g_command, std::string("NOTEPAD.EXE X.TXT   ") + '\0');
  RunCommandText(command, 7);
  EXPECT_EQ(g_command, std::string("NOTEPAD") + '\0');
  RunCommandText(command, 0);
  EXPECT_EQ(g_command, std::string(1, '\0'));
}

}  // namespace
