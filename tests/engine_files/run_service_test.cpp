// RunService: run initialisation and the run-mode word, date and time, the
// existence test and deletion of a file, the base name.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/files/path_rules.h"
#include "files_fixture.h"

namespace {

using files_test::Field;
using files_test::FilesTest;
using files_test::Padded;

int64_t Call(int64_t mode, char* t1 = nullptr, int64_t l1 = 0, char* t2 = nullptr, int64_t l2 = 0,
             char* t3 = nullptr, int64_t l3 = 0, int64_t* location = nullptr) {
  int64_t error = 77;
  int64_t ignored = 0;
  RunService(&mode, &error, t1, l1, t2, l2, t3, l3, location ? location : &ignored);
  return error;
}

// Mode 3 or 5 on name and extension texts, with a location code.
int64_t CallFile(int64_t mode, std::string name, std::string ext, int64_t location) {
  return Call(mode, name.data(), static_cast<int64_t>(name.size()), ext.data(),
              static_cast<int64_t>(ext.size()), nullptr, 0, &location);
}

using RunServiceTest = FilesTest;

struct ModeCase {
  const char* word;
  const char* normalised;  // the word's first characters afterwards
  int64_t kind, subMode, ao, ad, silent, slot5;
};

// Before each word the block holds 7 everywhere but the silent flag (0), so a
// field that a row does not name is seen to keep its value.
TEST_F(RunServiceTest, RunModeWordTable) {
  const ModeCase cases[] = {
      {"batch", "BATCH", 1, 7, 7, 7, 0, 0},
      {"BATCHS", "BATCHS", 1, 7, 7, 7, 1, 0},
      {"batchs", "BATCHs", 1, 7, 7, 7, 0, 0},
      {"batchS", "BATCHS", 1, 7, 7, 7, 1, 0},
      {"/br", "/BR", 1, 2, 7, 7, 0, 0},
      {"/brs", "/BRS", 1, 2, 7, 7, 1, 0},
      {"/BRX", "/BRX", 1, 2, 7, 7, 0, 0},
      {"/bd", "/BD", 1, 1, 7, 7, 0, 0},
      {"/BDS", "/BDS", 1, 1, 7, 7, 1, 0},
      {"/bss", "/BSS", 1, 3, 7, 7, 1, 0},
      {"/as", "/AS", 2, 3, 7, 7, 0, 0},
      {"/ASS", "/ASS", 2, 3, 7, 7, 0, 0},  // "/AS" has no silent rule
      {"/ao", "/AO", 2, 7, 1, 7, 0, 0},
      {"/AD", "/AD", 7, 7, 7, 1, 0, 55},
      {"/ad", "/ad", 7, 7, 7, 7, 0, 55},    // not normalised, matches nothing
      {"/ads", "/adS", 7, 7, 7, 7, 0, 55},  // the fourth character alone
      {"wyndale", "WYNDALE", 3, 7, 7, 7, 0, 0},
      {"WYNDALES", "WYNDALES", 3, 7, 7, 7, 1, 0},
      {"wyndales", "WYNDALEs", 3, 7, 7, 7, 0, 0},
      {"Batch", "Batch", 7, 7, 7, 7, 0, 55},
      {"", "    ", 7, 7, 7, 7, 0, 55},
      {"xyzs", "xyzS", 7, 7, 7, 7, 0, 55},
  };
  for (const ModeCase& c : cases) {
    SCOPED_TRACE(c.word);
    UsePaths("", "JOB", c.word);
    g_runPaths.modeBlock = RunModeBlock{7, 7, 7, 7, 7, 0};
    EXPECT_EQ(Call(0), 0);
    const RunModeBlock& b = g_runPaths.modeBlock;
    EXPECT_EQ(Field(g_runPaths.runModeWord, std::strlen(c.normalised)), c.normalised);
    EXPECT_EQ(b.kind, c.kind);
    EXPECT_EQ(b.subMode, c.subMode);
    EXPECT_EQ(b.aoFlag1, c.ao);
    EXPECT_EQ(b.aoFlag2, c.ao);
    EXPECT_EQ(b.adFlag, c.ad);
    EXPECT_EQ(b.silent, c.silent);
    EXPECT_EQ(g_unitTable.unit[4], c.slot5);
    for (int k = 1; k <= 50; ++k) {
      if (k != 5) {
        EXPECT_EQ(g_unitTable.unit[k - 1], 50 + k);
      }
    }
  }
}

TEST_F(RunServiceTest, RunModeBlockPersistsOverInitialisations) {
  UsePaths("", "JOB", "/brs");
  Call(1);
  UsePaths("", "JOB", "/ao");
  Call(100);
  RunModeBlock b = g_runPaths.modeBlock;
  EXPECT_EQ(b.kind, 2);
  EXPECT_EQ(b.subMode, 2);  // from "/brs"
  EXPECT_EQ(b.silent, 1);   // never cleared
  EXPECT_EQ(b.aoFlag1, 1);
  EXPECT_EQ(b.aoFlag2, 1);
  EXPECT_EQ(b.adFlag, 0);
  UsePaths("", "JOB", "");
  Call(0);
  EXPECT_EQ(std::memcmp(&b, &g_runPaths.modeBlock, sizeof b), 0);
  EXPECT_EQ(g_unitTable.unit[4], 55);  // refilled; a blank word does not clear it
}

TEST_F(RunServiceTest, InitialisationClosesUnits51To100AndGivesTheApplicationNumber) {
  const std::string path = input + "KEEP.TXT";
  Write(path, "x\n");
  units::ConnectSpec spec;
  for (int64_t unit : {int64_t{50}, int64_t{51}, int64_t{100}, int64_t{101}})
    ASSERT_TRUE(units::Connect(unit, path.c_str(), spec));
  UsePaths();
  int64_t location = -9;
  EXPECT_EQ(Call(0, nullptr, 0, nullptr, 0, nullptr, 0, &location), 0);
  EXPECT_EQ(location, 1);
  EXPECT_TRUE(units::IsConnected(50));
  EXPECT_FALSE(units::IsConnected(51));
  EXPECT_FALSE(units::IsConnected(100));
  EXPECT_TRUE(units::IsConnected(101));
  EXPECT_TRUE(Exists(path));
  EXPECT_EQ(Field(g_runPaths.languageCode, 3), "ENG");

  struct AppCase {
    const char* text;
    int64_t location;
  } const apps[] = {{"7", 7}, {"9", 9}, {" ", 0}, {"", 0}, {"09", 0}, {"X", 0}};
  for (const AppCase& a : apps) {
    SCOPED_TRACE(a.text);
    files_test::SetPaths(prog, temp, input, "JOB", "", "0A1B2C", a.text);
    location = -9;
    Call(0, nullptr, 0, nullptr, 0, nullptr, 0, &location);
    EXPECT_EQ(location, a.location);
  }
}

TEST_F(RunServiceTest, Mode13GivesTheBaseNameCutOrPadded) {
  char t1[8], t2[5], t3[3];
  UsePaths("", "LONGJOBNAME");
  std::memset(t2, 'x', sizeof t2);
  std::memset(t3, 'x', sizeof t3);
  EXPECT_EQ(Call(13, t1, 8, t2, 5, t3, 3), 0);
  EXPECT_EQ(Field(t1, 8), "LONGJOBN");
  EXPECT_EQ(Field(t2, 5), "     ");
  EXPECT_EQ(Field(t3, 3), "   ");
  UsePaths("", "JOB");
  EXPECT_EQ(Call(13, t1, 8, t2, 5, t3, 3), 0);
  EXPECT_EQ(Field(t1, 8), "JOB     ");
  // A text without an address, or with a length below 1, receives nothing.
  std::memset(t1, 'x', sizeof t1);
  std::memset(t2, 'x', sizeof t2);
  EXPECT_EQ(Call(13, t1, -8, nullptr, 5, t2, 0), 0);
  EXPECT_EQ(Field(t1, 8), "xxxxxxxx");
  EXPECT_EQ(Field(t2, 5), "xxxxx");
  EXPECT_EQ(Call(2, t1, 0, t2, -1), 0);
  EXPECT_EQ(Field(t1, 8), "xxxxxxxx");
  EXPECT_EQ(Field(t2, 5), "xxxxx");
}

TEST_F(RunServiceTest, Modes3And5TestAndDeleteTheResolvedFile) {
  UsePaths();
  Write(input + "JOB.KVT", "x");
  Write(prog + "DAT\\PDA\\MAT1.PDA", "x");
  EXPECT_EQ(CallFile(3, "JOB", "KVT", 2), 0);
  EXPECT_EQ(CallFile(3, "MAT1    ", "PDA     ", 1), 0);
  EXPECT_EQ(CallFile(3, "MAT1", "PDA", 2), 1);  // not in the input folder
  EXPECT_EQ(CallFile(3, "NONE", "KVT", 2), 1);
  EXPECT_TRUE(Exists(input + "JOB.KVT"));

  EXPECT_EQ(CallFile(5, "NONE", "KVT", 2), 1);
  EXPECT_EQ(CallFile(5, "JOB", "KVT", 2), 0);
  EXPECT_FALSE(Exists(input + "JOB.KVT"));
  EXPECT_EQ(CallFile(5, "JOB", "KVT", 2), 1);
  EXPECT_TRUE(Exists(prog + "DAT\\PDA\\MAT1.PDA"));
}

// Mode 5 deletes through the delete unit (99): whatever that unit held before
// is closed, not deleted, and the unit is left free.
TEST_F(RunServiceTest, Mode5LeavesTheDeleteUnitFree) {
  UsePaths();
  EXPECT_EQ(Call(0), 0);
  const std::string other = input + "OTHER.TXT";
  Write(other, "x\n");
  Write(input + "JOB.KVT", "x");
  units::ConnectSpec spec;
  ASSERT_TRUE(units::Connect(99, other.c_str(), spec));
  EXPECT_EQ(CallFile(5, "JOB", "KVT", 2), 0);
  EXPECT_FALSE(Exists(input + "JOB.KVT"));
  EXPECT_FALSE(units::IsConnected(99));
  EXPECT_TRUE(Exists(other));
}

bool RefuseDelete(const char*) { return false; }

TEST_F(RunServiceTest, Mode5GivesError2WhenAnExistingFileStays) {
  UsePaths();
  Write(input + "JOB.KVT", "x");
  os::SetRemoveFileOverride(&RefuseDelete);
  EXPECT_EQ(CallFile(5, "JOB", "KVT", 2), 2);
  EXPECT_TRUE(Exists(input + "JOB.KVT"));
  os::SetRemoveFileOverride(nullptr);
#ifdef _WIN32
  // On Windows a file held open by another unit cannot be deleted.
  units::ConnectSpec spec;
  ASSERT_TRUE(units::Connect(60, (input + "JOB.KVT").c_str(), spec));
  EXPECT_EQ(CallFile(5, "JOB", "KVT", 2), 2);
  EXPECT_TRUE(Exists(input + "JOB.KVT"));
  units::Disconnect(60, false);
#endif
  EXPECT_EQ(CallFile(5, "JOB", "KVT", 2), 0);
  EXPECT_FALSE(Exists(input + "JOB.KVT"));
}

// A path one character too long for its field would, cut, name another file:
// that file is neither taken as existing nor deleted.
TEST_F(RunServiceTest, APathThatDoesNotFitIsNeverDeleted) {
  UsePaths();
  const std::string name(256 - input.size(), 'A');
  Write(input + name, "x");
  char full[256];
  const int64_t location = 2;
  EXPECT_FALSE(ResolvePathChecked(full, name.data(), static_cast<int64_t>(name.size()), "KVT", 3,
                                  &location));
  EXPECT_EQ(Field(full, 256), input + name);
  EXPECT_EQ(CallFile(3, name, "KVT", 2), 1);
  EXPECT_EQ(CallFile(5, name, "KVT", 2), 1);
  EXPECT_TRUE(Exists(input + name));
}

TEST_F(RunServiceTest, OtherModesDoNothingButClearTheError) {
  UsePaths("", "JOB");
  char t1[4] = {'a', 'b', 'c', 'd'};
  for (int64_t mode : {int64_t{7}, int64_t{-1}, int64_t{4}, int64_t{101}}) {
    SCOPED_TRACE(mode);
    int64_t location = 5;
    EXPECT_EQ(Call(mode, t1, 4, t1, 4, t1, 4, &location), 0);
    EXPECT_EQ(location, 5);
    EXPECT_EQ(Field(t1, 4), "abcd");
    EXPECT_EQ(g_unitTable.unit[0], 0);  // no initialisation
  }
}

// ---- date and time -------------------------------------------------------------

os::LocalTime g_local{2021, 7, 4, 9, 5, 3};
int64_t g_millis = 0;
os::LocalTime FixedLocal(int64_t) { return g_local; }
int64_t FixedNow() { return 1625389503; }
int64_t Millis() { return g_millis; }

TEST_F(RunServiceTest, DateAndTimeTexts) {
  os::SetClockOverride(&FixedNow);
  os::SetLocalTimeOverride(&FixedLocal);
  os::SetProcessClockOverride(&Millis);
  g_millis = 5000;
  struct Case {
    os::LocalTime t;
    const char* date;
    const char* time;
  } const cases[] = {
      {{2021, 7, 4, 9, 5, 3}, "07/04/21", "09:05:03"},
      {{2005, 12, 31, 23, 59, 59}, "12/31/05", "23:59:59"},
      {{2100, 1, 1, 0, 0, 0}, "01/01/00", "00:00:00"},
  };
  for (const Case& c : cases) {
    g_local = c.t;
    char date[8], time[8];
    int32_t elapsed = -1;
    FormatDateTime(date, time, &elapsed);
    EXPECT_EQ(Field(date, 8), c.date);
    EXPECT_EQ(Field(time, 8), c.time);
  }
  g_local = {2021, 7, 4, 9, 5, 3};
  char date[10], time[5];
  int32_t elapsed = -1;
  GetDateTime(date, 10, time, 5, &elapsed);
  EXPECT_EQ(Field(date, 10), "07/04/21  ");
  EXPECT_EQ(Field(time, 5), "09:05");
  // Mode 2: the same texts through RunService.
  char t1[8], t2[8];
  EXPECT_EQ(Call(2, t1, 8, t2, 8), 0);
  EXPECT_EQ(Field(t1, 8), "07/04/21");
  EXPECT_EQ(Field(t2, 8), "09:05:03");
}

TEST_F(RunServiceTest, ElapsedSecondsSinceThePreviousReading) {
  os::SetProcessClockOverride(&Millis);
  char d[8], t[8];
  int32_t elapsed = -1;
  g_millis = 12345;  // after the first second: 12
  GetDateTime(d, 8, t, 8, &elapsed);
  EXPECT_EQ(elapsed, 0);  // no previous reading
  g_millis = 17999;       // 17
  GetDateTime(d, 8, t, 8, &elapsed);
  EXPECT_EQ(elapsed, 5);
  g_millis = 20000;  // mode 2 reads the clock too: 20
  EXPECT_EQ(Call(2, d, 8, t, 8), 0);
  g_millis = 26500;
  FormatDateTime(d, t, &elapsed);
  EXPECT_EQ(elapsed, 6);

  // A reading taken in the process's first second counts as none.
  ResetClockReadingForTests();
  g_millis = 999;
  FormatDateTime(d, t, &elapsed);
  EXPECT_EQ(elapsed, 0);
  g_millis = 5000;
  FormatDateTime(d, t, &elapsed);
  EXPECT_EQ(elapsed, 0);
  g_millis = 9000;
  FormatDateTime(d, t, &elapsed);
  EXPECT_EQ(elapsed, 4);
}

}  // namespace
