// One whole run through VESKAR, with the calculation replaced by a test
// routine where the run needs something written.
#include "entry_fixture.h"

namespace {

using entry_test::EntryTest;
using entry_test::GantryOrdinals;
using entry_test::RelayMessages;
using testing_support::Crlf;
using testing_support::FileExists;
using testing_support::MakeTempFolder;
using testing_support::ReadFileOrEmpty;
using testing_support::WriteFileBytes;

std::string g_temp;   // the run's temp folder
std::string g_input;  // the run's input folder

// A calculation that writes a result, a report and a temporary file.
void WritingCalculation() {
  const float poisson = 0.3f;
  WriteResultReal("PoissonRat", 10, &poisson);
  WriteFileBytes(g_input + GetRunId() + ".KVO", "REPORT PAGE\t1\r\n$$$P.EMF,1,1,2,2\r\n");
  WriteFileBytes(g_temp + GetRunId() + "A.TMP", "scratch");
}

class RunTest : public EntryTest {
 protected:
  void SetUp() override {
    EntryTest::SetUp();
    g_temp = MakeTempFolder("runtemp");
    g_input = MakeTempFolder("runinput");
    os::SetTempPathOverride(g_temp.c_str());
    job_ = g_input + "PUMP1.JOB";
  }
  std::string job_;
};

TEST_F(RunTest, ARunWithoutExceptionGoesThroughEveryStep) {
  ASSERT_TRUE(WriteFileBytes(g_input + "PUMP1.KOU", "OLD LINE FROM AN EARLIER RUN\r\n"));
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
  EXPECT_EQ(std::string(GetInputDir()), g_input);
  EXPECT_STREQ(GetBaseName(), "PUMP1");
  EXPECT_EQ(std::string(GetTempDir()), g_temp);
  ASSERT_EQ(std::strlen(GetRunId()), 6u);
  EXPECT_EQ(std::strspn(GetRunId(), "0123456789ABCDEF"), 6u);

  EXPECT_FALSE(ResultsFileIsOpen());
  EXPECT_EQ(ReadFileOrEmpty(g_input + "PUMP1.KOU"), Crlf("PoissonRat,0.300000,0\n"));
  EXPECT_EQ(ReadFileOrEmpty(g_input + "PUMP1.KVX"), Crlf("REPORT PAGE\n"));
  EXPECT_FALSE(FileExists(g_temp + GetRunId() + "A.TMP"));
}

TEST_F(RunTest, TheEmptyCalculationLeavesAnEmptyResultsAndTextFile) {
  EXPECT_EQ(VESKAR_VB(0, "P:\\PROG\\", job_.c_str(), "", 0), 0);
  EXPECT_TRUE(FileExists(g_input + "PUMP1.KOU"));
  EXPECT_EQ(ReadFileOrEmpty(g_input + "PUMP1.KOU"), "");
  EXPECT_TRUE(FileExists(g_input + "PUMP1.KVX"));
  EXPECT_EQ(ReadFileOrEmpty(g_input + "PUMP1.KVX"), "");
  EXPECT_EQ(RelayMessages(),
            "VESKAR -> Starting the calculation...|VESKAR -> Calculation is done.|");
}

TEST_F(RunTest, AJobPathTooLongForTheResultsFileNameTouchesNoFile) {
  const std::string folder = g_input + std::string(240 - g_input.size() % 240, 'D') + "\\";
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

TEST_F(RunTest, AResultsFileThatCannotBeOpenedDoesNotStopTheRun) {
  const std::string job = g_input + "NO\\SUCH\\PUMP1.JOB";
  SetGuardedCalculationForTests(&WritingCalculation);
  EXPECT_EQ(VESKAR(0, "P:\\", job.c_str(), "", 0), 0);
  EXPECT_FALSE(ResultsFileIsOpen());
  EXPECT_EQ(GantryOrdinals(), "23 33 29");
  EXPECT_EQ(RelayMessages(),
            "VESKAR -> Starting the calculation...|VESKAR -> Calculation is done.|");
}

}  // namespace
