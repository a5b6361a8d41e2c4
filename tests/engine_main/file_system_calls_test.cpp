// How many requests a whole run makes of the file system, counted at the OS
// seam by kind. Each is a kernel call on Windows, and a network round trip
// when the job or the program folder lies on a share, so a run asks only what
// its files need: these counts keep it from creeping back.
//
// The CARBON job in a fresh process, worked out from what the run does:
//   others    the system temp folder asked for once;
//   probes    whether the temp folder has its "KVORTEMP\" (the temp folder is
//             chosen by it); whether the host data folder holds the currency
//             table N_STDLAB.PDA (shared databases come from there first);
//             whether the input folder holds it (else the program's);
//   deletes   the old results file;
//   opens     the results file, the run input file, the currency table, the
//             ASME index and property files, the report text file and the
//             report (which the job does not have);
//   settings  the Language setting of run initialisation;
//   searches  the temp folder once for the run id's files, the input folder
//             once for its .XML files; neither finds anything, so no step.
// A second run of the job in the same process reads no database file: the
// currency table is read once a process and the material comes from the
// cache, so neither its three opens nor the currency table's two probes
// happen again.
#include <string>

#include "entry/entry_points.h"
#include "gantry/gantry_standin.h"
#include "os/os.h"
#include "run_fixture.h"
#include "support/test_support.h"

namespace {

using main_test::ReadSourceFile;
using main_test::RunTest;

struct Kind {
  const char* name;
  int64_t expected;
  int64_t counted;
};

void ExpectCounts(const os::FileSystemCalls& c, int64_t opens, int64_t probes, int64_t searches,
                  int64_t deletes) {
  const Kind kinds[] = {
      {"opens", opens, c.opens},
      {"probes", probes, c.probes},
      {"searches", searches, c.searches},
      {"search steps", 0, c.searchSteps},
      {"deletes", deletes, c.deletes},
      {"settings", 1, c.settings},
      {"others", 1, c.others},
  };
  for (const Kind& k : kinds) EXPECT_EQ(k.counted, k.expected) << k.name;
}

class FileSystemCalls : public RunTest {
 protected:
  void SetUp() override {
    RunTest::SetUp();
    BuildExampleDatabases();
    ASSERT_FALSE(HasFatalFailure());
    const std::string job = ReadSourceFile("examples/jobs/CARBON.KVT");
    ASSERT_FALSE(job.empty());
    ASSERT_TRUE(testing_support::WriteFileBytes(input_ + "CARBON.KVT", job));
  }

  // The counts of one run alone: the job is in place and the results file is
  // read only afterwards.
  os::FileSystemCalls CountedRun() {
    const std::string job = input_ + "CARBON.KVT";
    os::ResetFileSystemCalls();
    EXPECT_EQ(VESKAR(0, program_.c_str(), job.c_str(), "BATCH", 0), 0);
    const os::FileSystemCalls counted = os::CountedFileSystemCalls();
    kou_ = testing_support::ReadFileOrEmpty(input_ + "CARBON.KOU");
    return counted;
  }

  std::string kou_;
};

TEST_F(FileSystemCalls, ARunAsksOnlyWhatItsFilesNeed) {
  ExpectCounts(CountedRun(), 7, 3, 2, 1);
  EXPECT_EQ(kou_, ReadSourceFile("examples/expected/CARBON.KOU"));
  EXPECT_EQ(GantryStandin_CountOf(25), 0);  // every file it opened was there
}

TEST_F(FileSystemCalls, ASecondRunInTheProcessReadsNoDatabase) {
  CountedRun();
  ExpectCounts(CountedRun(), 4, 1, 2, 1);
  EXPECT_EQ(kou_, ReadSourceFile("examples/expected/CARBON.KOU"));
}

}  // namespace
