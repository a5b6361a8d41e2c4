#include <string>

#include "gantry/gantry_standin.h"
#include "page_fixture.h"
#include "support/test_support.h"

namespace {

using testing_support::FileExists;
using testing_support::ReadFileOrEmpty;
using testing_support::WriteFileBytes;

// Base names are at most 95 characters: these tests work in a folder of a
// short name.
class NamedReports : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    dir_ = testing_support::MakeTempFolder("nr");
    ASSERT_LT(dir_.size(), 80u);
  }
  std::string dir_;
};

TEST_F(NamedReports, AppendReportAppendsAndLeavesTheSourceDrawingsAlone) {
  ASSERT_TRUE(WriteFileBytes(input_ + "SRC.KVO", "source\r\n"));
  ASSERT_TRUE(WriteFileBytes(input_ + "SRC.KFD", "source drawings"));
  ASSERT_TRUE(WriteFileBytes(input_ + "DST.KVO", "target\r\n"));
  ASSERT_TRUE(WriteFileBytes(input_ + "DST.KFD", "target drawings"));
  AppendReport((input_ + "SRC.KVO").c_str(), (input_ + "DST.KVO").c_str());
  EXPECT_EQ(ReadFileOrEmpty(input_ + "DST.KVO"), "target\r\nsource\r\n");
  EXPECT_EQ(ReadFileOrEmpty(input_ + "DST.KFD"), "target drawings");
}

TEST_F(NamedReports, AppendReportOntoItselfInAnotherCaseDoesNothing) {
  ASSERT_TRUE(WriteFileBytes(input_ + "SRC.KVO", "source\r\n"));
  AppendReport((input_ + "SRC.KVO").c_str(), (input_ + "src.kvo").c_str());
  EXPECT_EQ(ReadFileOrEmpty(input_ + "SRC.KVO"), "source\r\n");
}

// A drawing file whose report does not exist belongs to no report.
TEST_F(NamedReports, OrphanDrawingFileOfTheTargetIsDeleted) {
  ASSERT_TRUE(WriteFileBytes(input_ + "SRC.KVO", "source\r\n"));
  ASSERT_TRUE(WriteFileBytes(input_ + "NEW.KFD", "orphan"));
  AppendReport((input_ + "SRC.KVO").c_str(), (input_ + "NEW.KVO").c_str());
  EXPECT_FALSE(FileExists(input_ + "NEW.KFD"));
  EXPECT_EQ(ReadFileOrEmpty(input_ + "NEW.KVO"), "source\r\n");
}

// Only the file name's last '.' counts: a '.' in a folder name never names a
// drawing file beside that folder.
TEST_F(NamedReports, TargetWithoutExtensionLeavesOtherFilesAlone) {
  ASSERT_TRUE(WriteFileBytes(input_ + "SRC.KVO", "source\r\n"));
  ASSERT_TRUE(os::CreateFolder((input_ + "OUT.D").c_str()));
  ASSERT_TRUE(WriteFileBytes(input_ + "OUT.KFD", "unrelated"));
  AppendReport((input_ + "SRC.KVO").c_str(), (input_ + "OUT.D\\REPORT").c_str());
  EXPECT_EQ(ReadFileOrEmpty(input_ + "OUT.KFD"), "unrelated");
  EXPECT_EQ(ReadFileOrEmpty(input_ + "OUT.D\\REPORT"), "source\r\n");
}

TEST_F(NamedReports, AppendNamedReportTellsTheHostAppendsAndReleasesTheFonts) {
  ASSERT_TRUE(WriteFileBytes(dir_ + "SRC.KVO", "source\r\n"));
  ASSERT_TRUE(WriteFileBytes(dir_ + "DST.KVO", "target\r\n"));
#ifndef _WIN32
  int font = 0;
  ReplacePageFont(kNormalFont, &font);  // natively a handle is only remembered
#endif
  AppendNamedReport(nullptr, nullptr, (dir_ + "DST").c_str(), (dir_ + "SRC").c_str(), 1);
  EXPECT_EQ(GantryStandin_CountOf(29), 1);
  EXPECT_EQ(ReadFileOrEmpty(dir_ + "DST.KVO"), "target\r\nsource\r\n");
  for (void* f : g_pageRender.fonts) EXPECT_EQ(f, nullptr);
}

TEST_F(NamedReports, AppendNamedReportWithoutTheFlagOnlyReleases) {
  ASSERT_TRUE(WriteFileBytes(dir_ + "SRC.KVO", "source\r\n"));
  AppendNamedReport(nullptr, nullptr, (dir_ + "DST").c_str(), (dir_ + "SRC").c_str(), 0);
  EXPECT_FALSE(FileExists(dir_ + "DST.KVO"));
}

TEST_F(NamedReports, AppendNamedReportRefusesEmptyMissingAndLongNames) {
  ASSERT_TRUE(WriteFileBytes(dir_ + "SRC.KVO", "source\r\n"));
  // A base name of 96 characters whose first 95 name an existing report: it is
  // refused, never cut to that other name.
  const std::string longBase = dir_ + std::string(96 - dir_.size(), 'L');
  const std::string cutBase = longBase.substr(0, 95);
  ASSERT_TRUE(WriteFileBytes(cutBase + ".KVO", "cut\r\n"));
  const std::string fits = dir_ + std::string(95 - dir_.size(), 'F');
  ASSERT_TRUE(WriteFileBytes(fits + ".KVO", "fits\r\n"));
  struct Case {
    const char* label;
    std::string target, source;
  };
  const Case cases[] = {
      {"an empty target", "", dir_ + "SRC"},
      {"an empty source", dir_ + "DST", ""},
      {"a missing source", dir_ + "DST", dir_ + "NONE"},
      {"a source of 96 characters", dir_ + "DST", longBase},
      {"a target of 96 characters", longBase, dir_ + "SRC"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    AppendNamedReport(nullptr, nullptr, c.target.c_str(), c.source.c_str(), 1);
    EXPECT_FALSE(FileExists(dir_ + "DST.KVO"));
    EXPECT_EQ(ReadFileOrEmpty(cutBase + ".KVO"), "cut\r\n");
  }
  EXPECT_EQ(GantryStandin_CountOf(29), 5);
  // 95 characters are still a name.
  AppendNamedReport(nullptr, nullptr, fits.c_str(), (dir_ + "SRC").c_str(), 1);
  EXPECT_EQ(ReadFileOrEmpty(fits + ".KVO"), "fits\r\nsource\r\n");
}

TEST_F(NamedReports, ConvertNamedReport) {
  ASSERT_TRUE(
      WriteFileBytes(dir_ + "REP.KVO", PageLine("Hello", '1') + "$$$a.emf  1  1  2  2\r\n"));
  EXPECT_EQ(ConvertNamedReport((dir_ + "TXT").c_str(), (dir_ + "REP").c_str()), 1);
  EXPECT_EQ(ReadFileOrEmpty(dir_ + "TXT.KVX"), "Hello" + std::string(75, ' ') + "\r\n");
  EXPECT_EQ(GantryStandin_CountOf(29), 1);
  EXPECT_EQ(ConvertNamedReport((dir_ + "TXT2").c_str(), (dir_ + "NONE").c_str()), 0);
  EXPECT_FALSE(FileExists(dir_ + "TXT2.KVX"));
  EXPECT_EQ(ConvertNamedReport("", (dir_ + "REP").c_str()), 0);
  const std::string longBase = dir_ + std::string(96 - dir_.size(), 'T');
  EXPECT_EQ(ConvertNamedReport(longBase.c_str(), (dir_ + "REP").c_str()), 0);
  EXPECT_EQ(GantryStandin_CountOf(29), 4);
}

}  // namespace
