// One whole run through VESKAR, with the calculation replaced by a test
// routine where the run needs something written.
#include "entry_fixture.h"

namespace {

using entry_test::g_runInput;
using entry_test::g_runTemp;
using entry_test::GantryOrdinals;
using entry_test::RelayMessages;
using testing_support::Crlf;
using testing_support::FileExists;
using testing_support::ReadFileOrEmpty;
using testing_support::WriteFileBytes;

// A calculation that writes a result, a report and a temporary file.
void WritingCalculation() {
  const float poisson = 0.3f;
  WriteResultReal("PoissonRat", 10, &poisson);
  WriteFileBytes(g_runInput + GetRunId() + ".KVO", "REPORT PAGE\t1\r\n$$$P.EMF,1,1,2,2\r\n");
  WriteFileBytes(g_runTemp + GetRunId() + "A.TMP", "scratch");
}

using RunTest = entry_test::RunFolderTest;

TEST_F(RunTest, ARunWithoutExceptionGoesThroughEveryStep) {
  ASSERT_TRUE(WriteFileBytes(g_runInput + "PUMP1.KOU", "OLD LINE FROM AN EARLIER RUN\r\n"));
  SetGuardedCalculationForTests(&WritingCalculation);
  EXPECT_EQ(VESKAR(-5, "P:\\PROG\\", job_.c_str(), "BATCH", 7), 0);

  EXPECT_EQ(RelayMessages(),
            "VESKAR -> Starting the calculation...|VESKAR -> Calculation is done.|");
  EXPECT_EQ(GantryOrdinals(), "23 33 29");
  const GantryCall* start = GantryStandin_Call(0);
  EXPECT_STREQ(start->text[0], "P:\\PROG\\");
  EXPECT_EQ(std::string(start->text[1]), job_);
  EXPECT_STREQ(start->text[2], "BATCH");

  // The host window is sign-extended from 32 bits.
  EXPECT_EQ(GetHostWindow(), reinterpret_cast<void*>(static_cast<intptr_t>(-5)));
  EXPECT_EQ(GetEntryOption(), 7);
  EXPECT_EQ(std::string(GetInputDir()), g_runInput);
  EXPECT_STREQ(GetBaseName(), "PUMP1");
  EXPECT_EQ(std::string(GetTempDir()), g_runTemp);
  EXPECT_EQ(std::string(g_runPaths.applicationNumber, 2), "1 ");
  ASSERT_EQ(std::strlen(GetRunId()), 6u);
  EXPECT_EQ(std::strspn(GetRunId(), "0123456789ABCDEF"), 6u);

  EXPECT_FALSE(ResultsFileIsOpen());
  EXPECT_EQ(ReadFileOrEmpty(g_runInput + "PUMP1.KOU"), Crlf("PoissonRat,0.300000,0\n"));
  EXPECT_EQ(ReadFileOrEmpty(g_runInput + "PUMP1.KVX"), Crlf("REPORT PAGE\n"));
  EXPECT_FALSE(FileExists(g_runTemp + GetRunId() + "A.TMP"));
}

TEST_F(RunTest, TheEmptyCalculationLeavesAnEmptyResultsAndTextFile) {
  // The second export hands all five arguments on unchanged.
  EXPECT_EQ(VESKAR_VB(-5, "P:\\PROG\\", job_.c_str(), "BATCH", 7), 0);
  EXPECT_EQ(GetHostWindow(), reinterpret_cast<void*>(static_cast<intptr_t>(-5)));
  EXPECT_EQ(GetEntryOption(), 7);
  EXPECT_STREQ(GantryStandin_LastOf(23)->text[0], "P:\\PROG\\");
  EXPECT_STREQ(GantryStandin_LastOf(23)->text[2], "BATCH");
  EXPECT_STREQ(GetBaseName(), "PUMP1");
  EXPECT_TRUE(FileExists(g_runInput + "PUMP1.KOU"));
  EXPECT_EQ(ReadFileOrEmpty(g_runInput + "PUMP1.KOU"), "");
  EXPECT_TRUE(FileExists(g_runInput + "PUMP1.KVX"));
  EXPECT_EQ(ReadFileOrEmpty(g_runInput + "PUMP1.KVX"), "");
  EXPECT_EQ(RelayMessages(),
            "VESKAR -> Starting the calculation...|VESKAR -> Calculation is done.|");
}

TEST_F(RunTest, AJobPathTooLongForTheResultsFileNameTouchesNoFile) {
  const std::string folder = g_runInput + std::string(240 - g_runInput.size() % 240, 'D') + "\\";
  ASSERT_TRUE(os::CreateFolder(folder.c_str()));
  const std::string job = folder + std::string(30, 'J') + ".JOB";
  SetGuardedCalculationForTests(&WritingCalculation);
  EXPECT_EQ(VESKAR(0, "P:\\", job.c_str(), "", 0), 0);
  EXPECT_FALSE(ResultsFileIsOpen());
  EXPECT_FALSE(FileExists(folder + std::string(30, 'J') + ".KOU"));
  EXPECT_FALSE(FileExists(folder + std::string(30, 'J') + ".KVX"));
  EXPECT_EQ(RelayMessages(),
            "VESKAR -> Starting the calculation...|VESKAR -> Calculation is done.|");
}

int g_calculations = 0;
void CountingCalculation() { ++g_calculations; }

TEST_F(RunTest, TheCalculationIsNotRunWhenTheJobsFolderOrProgramFolderDoesNotFit) {
  SetGuardedCalculationForTests(&CountingCalculation);
  const struct {
    std::string program;
    std::string job;
  } cases[] = {
      // A folder of 256 characters and more: its field stays empty, and the
      // run input would be looked for in the current folder.
      {"P:\\", "C:\\" + std::string(253, 'F') + "\\PUMP1.JOB"},
      {"P:\\" + std::string(254, 'P') + "\\", job_},
  };
  for (const auto& c : cases) {
    g_calculations = 0;
    RelayStandin_Reset();
    RelayStandin_SetQuiet(1);
    EXPECT_EQ(VESKAR(0, c.program.c_str(), c.job.c_str(), "", 0), 0);
    EXPECT_EQ(g_calculations, 0);
    EXPECT_EQ(RelayMessages(),
              "VESKAR -> Starting the calculation...|VESKAR -> Calculation is done.|");
  }
  // The longest that fit: a folder of 255 characters, a program folder of 255.
  g_calculations = 0;
  EXPECT_EQ(VESKAR(0, ("P:\\" + std::string(251, 'P') + "\\").c_str(), job_.c_str(), "", 0), 0);
  EXPECT_EQ(g_calculations, 1);
}

TEST_F(RunTest, AResultsFileThatCannotBeOpenedDoesNotStopTheRun) {
  const std::string job = g_runInput + "NO\\SUCH\\PUMP1.JOB";
  SetGuardedCalculationForTests(&WritingCalculation);
  EXPECT_EQ(VESKAR(0, "P:\\", job.c_str(), "", 0), 0);
  EXPECT_FALSE(ResultsFileIsOpen());
  EXPECT_EQ(GantryOrdinals(), "23 33 29");
  EXPECT_EQ(RelayMessages(),
            "VESKAR -> Starting the calculation...|VESKAR -> Calculation is done.|");
}

}  // namespace
