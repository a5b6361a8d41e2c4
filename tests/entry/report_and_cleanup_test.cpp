// The end of a run: the report turned into text, the run's files deleted.
#include <cstring>
#include <string>
#include <vector>

#include "entry_fixture.h"

namespace {

using entry_test::EntryTest;
using entry_test::g_runInput;
using entry_test::g_runTemp;
using entry_test::RunFolderTest;
using testing_support::Crlf;
using testing_support::FileExists;
using testing_support::MakeTempFolder;
using testing_support::ReadFileOrEmpty;
using testing_support::WriteFileBytes;

TEST_F(EntryTest, ReportConversionKeepsPageTextAndDropsPicturesAndBreaks) {
  const std::string folder = MakeTempFolder("report");
  std::string text80 = "  PUMP 1            DESIGN DATA";
  text80.resize(80, ' ');
  const std::string longLine =
      std::string(254, 'L') + "$$$ not a picture line" + std::string(10, 'M');
  const std::string exact = std::string(254, 'E');
  const std::string report = Crlf(text80 +
                                  "\t1@@NAME@@\n"
                                  "$$$PIC1.EMF,1,2,40,12\n"
                                  "[Page break]------\n"
                                  "\n"
                                  "MARKER TEXT WITHOUT TAB\n" +
                                  longLine + "\n" + exact + "\n" + "last line, no line end");
  ASSERT_TRUE(WriteFileBytes(folder + "ABC123.KVO", report.substr(0, report.size())));
  EXPECT_EQ(ConvertReportToText((folder + "ABC123.KVO").c_str(), (folder + "JOB.KVX").c_str()), 1);
  // The long line comes in pieces of 254; its second piece begins with "$$$"
  // and goes like a picture line. A line of exactly 254 stays one line.
  EXPECT_EQ(ReadFileOrEmpty(folder + "JOB.KVX"),
            Crlf(text80 + "\n\nMARKER TEXT WITHOUT TAB\n" + std::string(254, 'L') + "\n" + exact +
                 "\nlast line, no line end\n"));
}

TEST_F(EntryTest, MissingReportStillLeavesAnEmptyTextFile) {
  const std::string folder = MakeTempFolder("report");
  ASSERT_TRUE(WriteFileBytes(folder + "JOB.KVX", "old text\r\n"));
  EXPECT_EQ(ConvertReportToText((folder + "NONE.KVO").c_str(), (folder + "JOB.KVX").c_str()), 1);
  EXPECT_TRUE(FileExists(folder + "JOB.KVX"));
  EXPECT_EQ(ReadFileOrEmpty(folder + "JOB.KVX"), "");
  EXPECT_EQ(ConvertReportToText((folder + "NONE.KVO").c_str(), (folder + "NO\\JOB.KVX").c_str()),
            0);
}

TEST_F(EntryTest, RunReportIsNamedByRunIdAndItsTextByBaseName) {
  const std::string folder = MakeTempFolder("report");
  SetUpRunContext("P:\\", (folder + "PUMP1.JOB").c_str(), "1", "", "ABC123");
  ASSERT_TRUE(WriteFileBytes(folder + "ABC123.KVO", "PAGE LINE\t1\r\n"));
  ConvertRunReport();
  EXPECT_EQ(ReadFileOrEmpty(folder + "PUMP1.KVX"), "PAGE LINE\r\n");
}

TEST_F(EntryTest, ARunReportNameTooLongStillLeavesAnEmptyTextFile) {
  // An input folder of 248 characters: the report (run id and ".KVO") would
  // need 258, the text file of base name "A" needs 253.
  const std::string base = MakeTempFolder("longreport");
  ASSERT_LT(base.size(), 247u);
  const std::string folder = base + std::string(247 - base.size(), 'D') + "\\";
  ASSERT_EQ(folder.size(), 248u);
  ASSERT_TRUE(os::CreateFolder(folder.c_str()));
  ASSERT_TRUE(WriteFileBytes(folder + "A.KVX", "old text\r\n"));
  SetUpRunContext("P:\\", (folder + "A.JOB").c_str(), "1", "", "ABC123");
  ConvertRunReport();
  EXPECT_TRUE(FileExists(folder + "A.KVX"));
  EXPECT_EQ(ReadFileOrEmpty(folder + "A.KVX"), "");
}

TEST_F(EntryTest, ABaseNameTooLongForItsFieldNamesNoTextFile) {
  // The base name field stays empty: the text file would be "<folder>.KVX".
  const std::string folder = MakeTempFolder("longbase");
  SetUpRunContext("P:\\", (folder + std::string(256, 'B') + ".JOB").c_str(), "1", "", "ABC123");
  ASSERT_FALSE(g_runContext.baseNameFits);
  ConvertRunReport();
  EXPECT_FALSE(FileExists(folder + ".KVX"));
}

int g_filesAtNotice = -1;
std::string g_noticeProbe;
void CountAtNotice() { g_filesAtNotice = FileExists(g_noticeProbe) ? 1 : 0; }

TEST_F(EntryTest, CleanUpDeletesOnlyThisRunsTemporaryFiles) {
  const std::string temp = MakeTempFolder("cleantemp");
  const std::string input = MakeTempFolder("cleaninput");
  os::SetTempPathOverride(temp.c_str());
  SetUpRunContext("P:\\", (input + "PUMP1.JOB").c_str(), "1", "", "ABC123");
  ASSERT_EQ(std::string(GetTempDir()), temp);

  const char* const goneFromTemp[] = {"ABC123.TMP", "ABC123X.TMP", "ABC123.KEX", "ABC123A.KVB",
                                      "abc123b.tmp"};
  const char* const keptInTemp[] = {"ABC124.TMP", "XABC123.TMP", "ABC123.TXT",
                                    "ABC123.XML", "ABC123.TMPA", "ABC123.KEXT"};
  const char* const goneFromInput[] = {"ABC123.XML", "ABC123Z.XML"};
  const char* const keptInInput[] = {"ABC123.TMP", "ABC123.KOU", "ABC123.KVO", "OTHER.XML",
                                     "ABC123.XMLX"};
  for (const char* n : goneFromTemp) ASSERT_TRUE(WriteFileBytes(temp + n, "x"));
  for (const char* n : keptInTemp) ASSERT_TRUE(WriteFileBytes(temp + n, "x"));
  for (const char* n : goneFromInput) ASSERT_TRUE(WriteFileBytes(input + n, "x"));
  for (const char* n : keptInInput) ASSERT_TRUE(WriteFileBytes(input + n, "x"));

  g_noticeProbe = temp + "ABC123.TMP";
  GantryStandin_SetHook(29, &CountAtNotice);
  CleanUpRunFiles();
  GantryStandin_SetHook(29, nullptr);

  EXPECT_EQ(GantryStandin_CountOf(29), 1);
  EXPECT_EQ(g_filesAtNotice, 1);  // the host is told before anything goes
  for (const char* n : goneFromTemp) EXPECT_FALSE(FileExists(temp + n)) << n;
  for (const char* n : keptInTemp) EXPECT_TRUE(FileExists(temp + n)) << n;
  for (const char* n : goneFromInput) EXPECT_FALSE(FileExists(input + n)) << n;
  for (const char* n : keptInInput) EXPECT_TRUE(FileExists(input + n)) << n;
}

// Windows matches a search pattern against 8.3 short names too, but neither
// Wine nor Linux makes them: the search answers here as Windows would, giving
// "ABC123.TMPA" for "ABC123*.TMP" through its short name "ABC123~1.TMP".
int SearchWithShortNames(const char*, os::FindData* matches, int capacity) {
  if (capacity < 2) return 0;
  std::strcpy(matches[0].name, "ABC123.TMPA");
  std::strcpy(matches[0].shortName, "ABC123~1.TMP");
  std::strcpy(matches[1].name, "ABC123X.TMP");
  std::strcpy(matches[1].shortName, "");
  return 2;
}

TEST_F(EntryTest, CleanUpIgnoresAMatchOfTheShortNameOnly) {
  const std::string temp = MakeTempFolder("cleanshort");
  ASSERT_TRUE(WriteFileBytes(temp + "ABC123.TMPA", "x"));
  ASSERT_TRUE(WriteFileBytes(temp + "ABC123X.TMP", "x"));
  os::SystemHooks hooks;
  hooks.findFiles = &SearchWithShortNames;
  os::SetSystemHooks(hooks);
  DeleteMatchingFiles(temp.c_str(), "ABC123*.TMP");
  os::SetSystemHooks(os::SystemHooks{});
  EXPECT_TRUE(FileExists(temp + "ABC123.TMPA"));
  EXPECT_FALSE(FileExists(temp + "ABC123X.TMP"));  // the search was the test's
}

// The searches clean-up makes and what they answer, as Windows would answer
// them: a search for "ABC123*" also finds files by their 8.3 short names, and
// the names come in whatever case they were written.
std::vector<std::string> g_searches;
std::vector<std::string> g_deleted;

int AnswerRunSearches(const char* searchText, os::FindData* matches, int capacity) {
  g_searches.push_back(searchText);
  struct Entry {
    const char* name;
    const char* shortName;
    bool isFolder;
  };
  static const Entry kTemp[] = {
      {"ABC123.TMP", "", false},
      {"abc123x.kex", "", false},  // the case of the name does not matter
      {"ABC123A.Kvb", "", false},
      {"ABC123.TMPA", "ABC123~1.TMP", false},  // only its short name has .TMP
      {"ABC 123.TMP", "ABC123~2.TMP", false},  // only its short name has the run id
      {"ABC123.XML", "", false},               // in the temp folder, not the run's
      {"ABC123.KVO", "", false},
      {"ABC123.KEX", "", true},  // a folder
  };
  static const Entry kInput[] = {
      {"ABC123Z.XML", "", false},
      {"ABC123.XMLA", "ABC123~1.XML", false},
  };
  const std::string search = searchText;
  const bool inTemp = search.rfind(g_runTemp, 0) == 0;
  const Entry* entries = inTemp ? kTemp : kInput;
  const int n = inTemp ? 8 : 2;
  int k = 0;
  for (int i = 0; i < n && k < capacity; ++i, ++k) {
    std::strcpy(matches[k].name, entries[i].name);
    std::strcpy(matches[k].shortName, entries[i].shortName);
    matches[k].isFolder = entries[i].isFolder;
  }
  return k;
}

bool RecordDelete(const char* path) {
  g_deleted.push_back(path);
  return true;
}

// The temp folder is searched once for all the run's files and the input
// folder once for its .XML files; of what the searches find, only files whose
// long names begin with the run id and end in the run's extensions go.
TEST_F(RunFolderTest, CleanUpSearchesEachFolderOnce) {
  g_searches.clear();
  g_deleted.clear();
  SetUpRunContext("P:\\", job_.c_str(), "1", "", "ABC123");
  os::SystemHooks hooks;
  hooks.findFiles = &AnswerRunSearches;
  os::SetSystemHooks(hooks);
  os::SetRemoveFileOverride(&RecordDelete);
  CleanUpRunFiles();
  os::OsResetOverrides();

  const std::vector<std::string> searches = {g_runTemp + "ABC123*", g_runInput + "ABC123*.XML"};
  EXPECT_EQ(g_searches, searches);
  const std::vector<std::string> deleted = {g_runTemp + "ABC123.TMP", g_runTemp + "abc123x.kex",
                                            g_runTemp + "ABC123A.Kvb", g_runInput + "ABC123Z.XML"};
  EXPECT_EQ(g_deleted, deleted);
}

TEST_F(EntryTest, PatternWithoutAnyDotLooksForTmpFiles) {
  const std::string folder = MakeTempFolder("cleandot");
  if (folder.find('.') != std::string::npos) GTEST_SKIP() << "test folder holds a '.'";
  ASSERT_TRUE(WriteFileBytes(folder + "RUN9X.TMP", "x"));
  ASSERT_TRUE(WriteFileBytes(folder + "RUN9X.KEX", "x"));
  ASSERT_TRUE(WriteFileBytes(folder + "RUN9", "x"));
  DeleteMatchingFiles(folder.c_str(), "RUN9");
  EXPECT_FALSE(FileExists(folder + "RUN9X.TMP"));
  EXPECT_TRUE(FileExists(folder + "RUN9X.KEX"));
  EXPECT_TRUE(FileExists(folder + "RUN9"));

  // A '.' in the folder counts: nothing is appended, so only the file that
  // the pattern itself names goes.
  const std::string dotted = folder + "X.D\\";
  ASSERT_TRUE(os::CreateFolder(dotted.c_str()));
  ASSERT_TRUE(WriteFileBytes(dotted + "RUN9X.TMP", "x"));
  ASSERT_TRUE(WriteFileBytes(dotted + "RUN9", "x"));
  DeleteMatchingFiles(dotted.c_str(), "RUN9");
  EXPECT_TRUE(FileExists(dotted + "RUN9X.TMP"));
  EXPECT_FALSE(FileExists(dotted + "RUN9"));
}

TEST_F(EntryTest, CleanUpSkipsAFolderThatDidNotFit) {
  const std::string temp = MakeTempFolder("cleanlong");
  // The input folder does not fit its field, and serves as temp folder.
  os::SetTempPathOverride("");
  const std::string job = temp + std::string(250, 'D') + "\\PUMP1.JOB";
  SetUpRunContext("P:\\", job.c_str(), "1", "", "");
  ASSERT_FALSE(g_runContext.inputFolderFits);
  // With an empty input folder and run id, the patterns would reach the
  // current folder's *.TMP and *.XML files.
  const char* const sentinels[] = {"VESKARSENTINEL.TMP", "VESKARSENTINEL.XML"};
  for (const char* n : sentinels) ASSERT_TRUE(WriteFileBytes(n, "x"));
  CleanUpRunFiles();
  ConvertRunReport();
  EXPECT_EQ(GantryStandin_CountOf(29), 1);
  EXPECT_FALSE(FileExists("PUMP1.KVX"));
  for (const char* n : sentinels) {
    EXPECT_TRUE(FileExists(n)) << n;
    os::RemoveFile(n);
  }
}

}  // namespace
