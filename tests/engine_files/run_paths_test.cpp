// The engine's copy of the run paths and the host data folder count.
#include <gtest/gtest.h>

#include <string>

#include "files_fixture.h"

namespace {

using files_test::Field;
using files_test::Padded;

class RunPathsTest : public ::testing::Test {
 protected:
  void SetUp() override { files_test::ResetAll(); }
  void TearDown() override { files_test::ResetAll(); }
  static void Set(const std::string& program, const std::string& temp, const std::string& input,
                  const std::string& app, const std::string& base, const std::string& word,
                  const std::string& runId) {
    files_test::SetPaths(program, temp, input, base, word, runId, app);
  }
};

TEST_F(RunPathsTest, CopiesCutsAndPadsEveryText) {
  const std::string longBase(300, 'B');
  Set("C:\\PROG\\", "C:\\TEMP\\", "C:\\JOBS\\", "1", longBase, "/BR", "0A1B2C7");
  const RunPaths& p = g_runPaths;
  EXPECT_EQ(Field(p.programFolder, 256), Padded("C:\\PROG\\", 256));
  EXPECT_EQ(Field(p.tempFolder, 256), Padded("C:\\TEMP\\", 256));
  EXPECT_EQ(Field(p.inputFolder, 256), Padded("C:\\JOBS\\", 256));
  EXPECT_EQ(Field(p.applicationNumber, 2), "1 ");
  EXPECT_EQ(Field(p.baseName, 256), std::string(256, 'B'));
  EXPECT_EQ(Field(p.runModeWord, 256), Padded("/BR", 256));
  EXPECT_EQ(Field(p.runId, 6), "0A1B2C");
  // An empty input folder is all blanks.
  Set("P", "T", "", "1", "JOB", "", "ABCDEF");
  EXPECT_EQ(Field(p.inputFolder, 256), std::string(256, ' '));
  EXPECT_EQ(Field(p.runModeWord, 256), std::string(256, ' '));
}

TEST_F(RunPathsTest, AsksTheHostWithTheFieldAnd256) {
  GantryStandin_SetDataFolder("C:\\HOST\\", 8);
  Set("P\\", "T\\", "I\\", "1", "JOB", "", "ABCDEF");
  const GantryCall* c = GantryStandin_LastOf(33);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->address[0], static_cast<const void*>(g_runPaths.hostDataFolder));
  EXPECT_EQ(c->value[0], 256);
  EXPECT_EQ(Field(g_runPaths.hostDataFolder, 256), Padded("C:\\HOST\\", 256));
}

// The host writes a 256-character folder of 'H' and returns various counts.
// The folders before the host's are full, so blanks written outside the
// host's field would show.
TEST_F(RunPathsTest, HostCountIsClampedBeforeBlanking) {
  const std::string hostText(256, 'H');
  const std::string tempText(256, 'T'), inputText(256, 'I');
  struct Case {
    int64_t count;
    size_t kept;
  } const cases[] = {{0, 0}, {10, 10}, {256, 256}, {300, 256}, {-1, 0}, {-500, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    GantryStandin_SetDataFolder(hostText.c_str(), c.count);
    Set("P\\", tempText, inputText, "1", "JOB", "", "ABCDEF");
    EXPECT_EQ(Field(g_runPaths.hostDataFolder, 256),
              std::string(c.kept, 'H') + std::string(256 - c.kept, ' '));
    EXPECT_EQ(Field(g_runPaths.tempFolder, 256), tempText);
    EXPECT_EQ(Field(g_runPaths.inputFolder, 256), inputText);
  }
}

TEST(UnitTableTest, SlotsHoldFiftyPlusK) {
  ResetUnitTableForTests();
  EXPECT_EQ(UnitOfSlot(kSlotRunInput), 0);
  FillUnitTable();
  for (int k = 1; k <= 50; ++k) EXPECT_EQ(g_unitTable.unit[k - 1], 50 + k);
  EXPECT_EQ(UnitOfSlot(kSlotRunInput), 54);
  EXPECT_EQ(UnitOfSlot(kSlotDiagnostic), 56);
  EXPECT_EQ(UnitOfSlot(kSlotTables), 64);
  EXPECT_EQ(UnitOfSlot(kSlotIndex), 80);
  EXPECT_EQ(UnitOfSlot(kSlotProperty), 81);
  EXPECT_EQ(UnitOfSlot(kSlotDelete), 99);
  EXPECT_EQ(UnitOfSlot(0), 0);
  EXPECT_EQ(UnitOfSlot(51), 0);
  ResetUnitTableForTests();
}

}  // namespace
