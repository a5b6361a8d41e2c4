// The run context: job path rules, temp folder rule, run id, results file name.
#include "entry_fixture.h"

namespace {

using entry_test::EntryTest;
using entry_test::Trimmed;
using testing_support::MakeTempFolder;

TEST_F(EntryTest, JobPathGivesInputFolderBaseNameAndResultsFile) {
  const struct {
    const char* jobPath;
    const char* inputFolder;
    const char* baseName;
    const char* resultsFile;
  } cases[] = {
      {"C:\\JOBS\\PUMP1.JOB", "C:\\JOBS\\", "PUMP1", "C:\\JOBS\\PUMP1.KOU"},
      {"C:\\JOBS\\A.B.JOB", "C:\\JOBS\\", "A.B", "C:\\JOBS\\A.B.KOU"},
      {"PUMP1.JOB", "", "PUMP1", "PUMP1.KOU"},
      {"C:\\JOBS\\PUMP1.", "C:\\JOBS\\", "PUMP1", "C:\\JOBS\\PUMP1.KOU"},
      // A '.' only in a folder name: the file name has no extension, and the
      // results file lies beside the job (not C:\A.KOU).
      {"C:\\A.B\\JOB", "C:\\A.B\\", "JOB", "C:\\A.B\\JOB.KOU"},
      {"JOB", "", "JOB", "JOB.KOU"},
      // Drive-relative: the drive's current folder, not a folder "C".
      {"C:PUMP1.JOB", "C:", "PUMP1", "C:PUMP1.KOU"},
      {"C:A.B", "C:", "A", "C:A.KOU"},
  };
  for (const auto& c : cases) {
    SetUpRunContext("P:\\PROG\\", c.jobPath, "1", "BATCH", "00ABCD");
    EXPECT_STREQ(GetInputDir(), c.inputFolder) << c.jobPath;
    EXPECT_STREQ(GetBaseName(), c.baseName) << c.jobPath;
    char results[kRunFolderSize];
    ASSERT_TRUE(MakeResultsFileName(c.jobPath, results)) << c.jobPath;
    EXPECT_STREQ(results, c.resultsFile) << c.jobPath;
  }
}

TEST_F(EntryTest, EngineReceivesItsCopyAndAsksForTheHostDataFolder) {
  GantryStandin_SetDataFolder("H:\\DATA\\", 8);
  SetUpRunContext("P:\\PROG\\", "C:\\JOBS\\PUMP1.JOB", "1", "BATCH", "0A1B2C");
  EXPECT_STREQ(GetProgramDir(), "P:\\PROG\\");
  EXPECT_STREQ(GetRunId(), "0A1B2C");
  EXPECT_EQ(Trimmed(g_runPaths.programFolder, 256), "P:\\PROG\\");
  EXPECT_EQ(Trimmed(g_runPaths.inputFolder, 256), "C:\\JOBS\\");
  EXPECT_EQ(Trimmed(g_runPaths.baseName, 256), "PUMP1");
  EXPECT_EQ(Trimmed(g_runPaths.tempFolder, 256), GetTempDir());
  EXPECT_EQ(std::string(g_runPaths.applicationNumber, 2), "1 ");
  EXPECT_EQ(std::string(g_runPaths.runId, 6), "0A1B2C");
  EXPECT_EQ(Trimmed(g_runPaths.runModeWord, 256), "BATCH");
  EXPECT_EQ(Trimmed(g_runPaths.hostDataFolder, 256), "H:\\DATA\\");
  EXPECT_EQ(GantryStandin_CountOf(33), 1);
}

TEST_F(EntryTest, TempFolderIsKvortempWhenItExistsElseTheSystemOne) {
  // Test folders are emptied of files only, and a run in the same second gets
  // the same names: take one that holds no KVORTEMP folder yet.
  std::string system;
  for (int i = 0; i < 100; ++i) {
    system = MakeTempFolder("systemp" + std::to_string(i));
    if (!os::FolderExists((system + "KVORTEMP").c_str())) break;
  }
  ASSERT_FALSE(os::FolderExists((system + "KVORTEMP").c_str()));
  os::SetTempPathOverride(system.c_str());
  SetUpRunContext("P:\\", "C:\\JOBS\\PUMP1.JOB", "1", "", "000000");
  EXPECT_EQ(std::string(GetTempDir()), system);

  ASSERT_TRUE(os::CreateFolder((system + "KVORTEMP").c_str()));
  SetUpRunContext("P:\\", "C:\\JOBS\\PUMP1.JOB", "1", "", "000000");
  EXPECT_EQ(std::string(GetTempDir()), system + "KVORTEMP\\");
}

TEST_F(EntryTest, TempFolderFallsBackToTheInputFolder) {
  // The system gives no temp folder.
  os::SetTempPathOverride("");
  SetUpRunContext("P:\\", "C:\\JOBS\\PUMP1.JOB", "1", "", "000000");
  EXPECT_STREQ(GetTempDir(), "C:\\JOBS\\");
  // Or one longer than the buffer, which counts as failure too.
  const std::string tooLong = "C:\\" + std::string(260, 'T') + "\\";
  os::SetTempPathOverride(tooLong.c_str());
  SetUpRunContext("P:\\", "D:\\WORK\\PUMP1.JOB", "1", "", "000000");
  EXPECT_STREQ(GetTempDir(), "D:\\WORK\\");
  // One of 254 characters fits, though "KVORTEMP\" would not fit after it.
  const std::string longest = "C:\\" + std::string(250, 'T') + "\\";
  os::SetTempPathOverride(longest.c_str());
  SetUpRunContext("P:\\", "D:\\WORK\\PUMP1.JOB", "1", "", "000000");
  EXPECT_EQ(std::string(GetTempDir()), longest);
}

TEST_F(EntryTest, TextsThatDoNotFitTheirFieldsAreNotUsed) {
  const std::string folder = "C:\\" + std::string(260, 'F') + "\\";
  const std::string job = folder + "PUMP1.JOB";
  os::SetTempPathOverride("");
  SetUpRunContext("P:\\", job.c_str(), "1", "", "000000");
  EXPECT_STREQ(GetInputDir(), "");
  EXPECT_FALSE(g_runContext.inputFolderFits);
  EXPECT_FALSE(g_runContext.tempFolderFits);  // it would have been the input folder
  EXPECT_STREQ(GetBaseName(), "PUMP1");
  char results[kRunFolderSize];
  EXPECT_FALSE(MakeResultsFileName(job.c_str(), results));
  // 251 characters and ".KOU" fit exactly in 255.
  const std::string edge = "C:\\" + std::string(248, 'J');
  EXPECT_TRUE(MakeResultsFileName(edge.c_str(), results));
  EXPECT_EQ(std::string(results), edge + ".KOU");
  EXPECT_FALSE(MakeResultsFileName((edge + "J").c_str(), results));
}

int64_t g_now = 0;
int64_t FixedNow() { return g_now; }

TEST_F(EntryTest, RunIdIsSixUpperCaseHexDigitsOfTheLow24Bits) {
  os::SetClockOverride(&FixedNow);
  const struct {
    int64_t now;
    const char* id;
  } cases[] = {{10, "00000A"},
               {0, "000000"},
               {0x7FABCDEF12LL, "CDEF12"},
               {0xFFFFFF, "FFFFFF"},
               {0x1000000, "000000"}};
  for (const auto& c : cases) {
    g_now = c.now;
    char id[8];
    std::memset(id, '#', sizeof id);
    MakeRunId(id);
    EXPECT_EQ(std::string(id, 7), std::string(c.id) + '\0');
  }
}

TEST_F(EntryTest, GettersKeepTheLastValues) {
  SetHostWindow(reinterpret_cast<void*>(0x1234));
  SetEntryOption(-9);
  EXPECT_EQ(GetHostWindow(), reinterpret_cast<void*>(0x1234));
  EXPECT_EQ(GetEntryOption(), -9);
  ResetRunContextForTests();
  EXPECT_EQ(GetHostWindow(), nullptr);
  EXPECT_EQ(GetEntryOption(), 0);
  EXPECT_STREQ(GetRunId(), "");
}

}  // namespace
