// The example jobs run whole through VESKAR on the example's databases, each
// against the results file that examples/derive_expected.py works out from the
// example's text sources alone. The comparison is byte for byte, CR LF
// included, and the native and the Windows build compare against the same
// committed files: so the two builds write byte-identical results files for
// every example job.
#include <string>
#include <vector>

#include "os/os.h"
#include "run_fixture.h"
#include "support/test_support.h"

namespace {

using main_test::ReadSourceFile;
using main_test::RunTest;

std::vector<std::string> ExampleJobs() {
  std::vector<std::string> names;
  const std::string pattern =
      testing_support::WindowsPath(testing_support::SourceDir() + "/examples/jobs") + "\\*.KVT";
  os::FindData fd;
  if (os::FindHandle* h = os::FindFirst(pattern.c_str(), &fd)) {
    do {
      const std::string n = fd.name;
      if (!fd.isFolder && n.size() > 4) names.push_back(n.substr(0, n.size() - 4));
    } while (os::FindNext(h, &fd));
    os::FindClose(h);
  }
  return names;
}

class ExampleRuns : public RunTest {
 protected:
  void SetUp() override {
    RunTest::SetUp();
    BuildExampleDatabases();
  }
  std::string Job(const std::string& name) {
    return ReadSourceFile("examples/jobs/" + name + ".KVT");
  }
  std::string Expected(const std::string& name) {
    return ReadSourceFile("examples/expected/" + name + ".KOU");
  }
};

TEST_F(ExampleRuns, EveryJobInAFreshProcessWritesItsExpectedResults) {
  const std::vector<std::string> jobs = ExampleJobs();
  ASSERT_GE(jobs.size(), 6u) << "examples/jobs/*.KVT not found";
  for (const std::string& name : jobs) {
    SCOPED_TRACE(name);
    main_test::ResetProcessState();
    os::SetTempPathOverride(temp_.c_str());
    const std::string expected = Expected(name);
    ASSERT_FALSE(expected.empty()) << "no examples/expected/" << name << ".KOU";
    EXPECT_EQ(Run(name, Job(name)), expected);
  }
}

// One process runs every job in turn: the cache, the loaded index and the
// input tables of the runs before change nothing, since every job gives its
// own range and material.
TEST_F(ExampleRuns, AllJobsInOneProcessWriteTheSameResults) {
  for (int round = 0; round < 2; ++round) {
    for (const std::string& name : ExampleJobs()) {
      SCOPED_TRACE(name + " round " + std::to_string(round));
      EXPECT_EQ(Run(name, Job(name)), Expected(name));
    }
  }
}

// What the expected files show, said directly for the carbon steel job: its
// grid runs from 100 to 1100 in 21 points; the conductivity table stops at
// 1000 and the design stress intensity at 700, so their arrays end there; the
// tensile strength table gives no value at 300 and is interpolated across.
TEST_F(ExampleRuns, ThePlateJobShowsArraysEndingAtTheirTables) {
  const std::string kou = Run("CARBON", Job("CARBON"));
  EXPECT_NE(kou.find("arThermCond,0,19\r\n"), std::string::npos);
  EXPECT_NE(kou.find("arStressIntensity,0,13\r\n"), std::string::npos);
  EXPECT_NE(kou.find("arElasticity,0,21\r\n"), std::string::npos);
  EXPECT_NE(kou.find("arTemp,0,21\r\n100.000000, \r\n150.000000, \r\n"), std::string::npos);
  // 69 + (67 - 69) / 200 x (250 - 200) = 68.5 and at 300: 68.0 (ksi, in psi).
  EXPECT_NE(kou.find("69000.000000, \r\n68500.000000, \r\n68000.000000, \r\n67500.000000, \r\n"),
            std::string::npos);
  EXPECT_NE(kou.find("PNum,1,0\r\n"), std::string::npos);
  EXPECT_EQ(kou.find("Price,"), std::string::npos);  // priced by the ASME library: 0 here
}

}  // namespace
