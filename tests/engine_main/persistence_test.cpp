// Two runs in one process: the second sees what lives for the process (the
// input tables, the material cache, the calculation's blocks) and nothing
// else of the first.
#include <string>

#include "engine/main/main_calculation.h"
#include "os/os.h"
#include "run_fixture.h"
#include "support/test_support.h"

namespace {

using main_test::JobText;
using main_test::ReadSourceFile;
using main_test::RunTest;

class TwoRuns : public RunTest {
 protected:
  void SetUp() override {
    RunTest::SetUp();
    BuildExampleDatabases();
  }
  void RemoveEveryDatabase() {
    for (const char* f :
         {"N_ASMEI.PDA", "N_ASMEP.PDA", "N_CODAPI.PDA", "N_CODAPP.PDA", "N_PRIVI.PDA",
          "N_PRIVP.PDA", "N_CorvoI.PDA", "N_CorvoP.PDA", "N_STDLAB.PDA", "N_Mtldef.PDA"}) {
      RemoveDatabase(f);
    }
  }
};

// The second job gives no input at all and the databases are gone: the
// inputs of the first run and the cached record give the same results.
TEST_F(TwoRuns, TheSecondRunSeesTheInputTablesAndTheCache) {
  const std::string expected = ReadSourceFile("examples/expected/CARBON.KOU");
  ASSERT_EQ(Run("CARBON", ReadSourceFile("examples/jobs/CARBON.KVT")), expected);
  RemoveEveryDatabase();
  EXPECT_EQ(Run("SECOND", JobText({})), expected);
}

// What the second run gives replaces the first run's: a shorter grid writes
// only its own points, and a material that is neither cached nor in a
// database shows nothing of the material before.
TEST_F(TwoRuns, TheSecondRunSeesNothingElseOfTheFirst) {
  ASSERT_NE(Run("CARBON", ReadSourceFile("examples/jobs/CARBON.KVT")), "");
  std::string kou = Run("SHORT", JobText({{10001, "150"}, {10002, "0"}, {10003, "0"}}));
  EXPECT_NE(kou.find("arThermCond,0,1\r\n26.950001, \r\narThermExpCoef"), std::string::npos)
      << kou;  // 27.0 + (26.9 - 27.0) / 100 x 50, in four-byte reals
  EXPECT_NE(kou.find("arTemp,0,1\r\n150.000000, \r\nPNum,1,0\r\nMtlName,\"SA-516"),
            std::string::npos);

  RemoveEveryDatabase();
  kou = Run("OTHER", JobText({{10005, "2210"}}));
  EXPECT_EQ(kou, testing_support::Crlf("arTemp,0,1\n150.000000, \n"));
  // The blocks persist as the last retrievals left them: cleared before the
  // header retrieval of a material that is not found.
  for (float w : g_mainCalculation.resultBlock) EXPECT_EQ(w, 0.0f);
  EXPECT_EQ(g_mainCalculation.materialNumber, 2210);
}

}  // namespace
