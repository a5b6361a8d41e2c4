#include "report/rich_text.h"

#include <string>
#include <vector>

#include "entry/run_setup.h"
#include "report/report_lines.h"
#include "report_base/engine_interface.h"
#include "report_fixture.h"

namespace {

using testing_support::FileExists;
using testing_support::ReadFileOrEmpty;
using testing_support::WriteFileBytes;

class RichText : public ReportTest {
 protected:
  // The calls the stand-in saw, other than IsRTFEnabled.
  static std::vector<int32_t> MarkCalls() {
    std::vector<int32_t> calls;
    for (int32_t i = 0; i < QuireStandin_CallCount(); ++i) {
      const int32_t f = QuireStandin_Call(i)->function;
      if (f != kQuireIsRTFEnabled) calls.push_back(f);
    }
    return calls;
  }
  static void AllMarks() {
    ReportPageBreak();
    ReportSectionStart("Shell", 5);
    ReportSectionEnd();
    ReportComponentBreak();
    ReportTocBreak();
  }
};

TEST_F(RichText, FallbackLinesWhileRichTextIsOff) {
  AllMarks();
  EXPECT_EQ(ReadFileOrEmpty(RunReport()),
            std::string(30, '-') + " Page Break " + std::string(30, '-') + "\r\n" +
                "[Section Start] Shell\r\n" + "[Section End]\r\n" + std::string(25, '-') +
                " Component Break " + std::string(26, '-') + "\r\n");
  // Each routine asked whether rich-text output is on, and called nothing else.
  EXPECT_EQ(QuireStandin_CountOf(kQuireIsRTFEnabled), 5);
  EXPECT_TRUE(MarkCalls().empty());
}

TEST_F(RichText, FallbackAppendsToWhatTheReportHolds) {
  ASSERT_TRUE(WriteFileBytes(RunReport(), "page\r\n"));
  ReportSectionEnd();
  EXPECT_EQ(ReadFileOrEmpty(RunReport()), "page\r\n[Section End]\r\n");
}

TEST_F(RichText, FallbackWithoutRunIdGoesToOutputKvo) {
  SetRunFolders(program_, input_, "");
  ReportSectionEnd();
  EXPECT_EQ(ReadFileOrEmpty(input_ + "OUTPUT.KVO"), "[Section End]\r\n");
}

TEST_F(RichText, FallbackLostSilentlyWhenTheReportCannotBeOpened) {
  SetRunFolders(program_, root_ + "MISSING\\", "A1B2C3");
  AllMarks();
  EXPECT_FALSE(FileExists(root_ + "MISSING\\A1B2C3.KVO"));
  EXPECT_EQ(GantryStandin_CallCount(), 0);
}

TEST_F(RichText, MarksGoToTheRichTextLibraryWhileItIsOn) {
  QuireStandin_SetEnabled(1);
  AllMarks();
  EXPECT_FALSE(FileExists(RunReport()));
  EXPECT_EQ(MarkCalls(),
            (std::vector<int32_t>{kQuirePageBreak, kQuireSectionStart, kQuireSectionEnd,
                                  kQuireComponentBreak, kQuireTOCBreak}));
  // The answer is asked again at every call.
  QuireStandin_Reset();
  ReportPageBreak();
  EXPECT_EQ(ReadFileOrEmpty(RunReport()), std::string(kPageBreakMarker) + "\r\n");
}

TEST_F(RichText, SectionNameLength) {
  // An engine field: the name has no NUL of its own.
  std::vector<char> field = {'S', 'h', 'e', 'l', 'l', 's', 'i', 'd', 'e'};
  ReportSectionStart(field.data(), 3);
  EXPECT_EQ(ReadFileOrEmpty(RunReport()), "[Section Start] She\r\n");

  QuireStandin_SetEnabled(1);
  QuireStandin_SetSectionCopyLength(9);
  ReportSectionStart(field.data(), 3);
  const QuireCall* call = QuireStandin_Call(QuireStandin_CallCount() - 1);
  ASSERT_EQ(call->function, kQuireSectionStart);
  EXPECT_EQ(call->address[0], field.data());  // the caller's address, as given
  EXPECT_EQ(std::string(call->text[0], 9), "Shellside");
}

TEST_F(RichText, SectionNameEndsAtANulAndAt183) {
  // A line of 199 characters at most: printing and the preview read it whole.
  ReportSectionStart(std::string("Tube\0sheet", 10).data(), 10);
  const std::string longName(400, 'n');
  ReportSectionStart(longName.data(), 400);
  EXPECT_EQ(ReadFileOrEmpty(RunReport()),
            "[Section Start] Tube\r\n[Section Start] " + std::string(183, 'n') + "\r\n");
}

// A section name holding a line end would split the marker line, and the
// rest could pass for a picture line: it comes out as one line, with blanks.
TEST_F(RichText, SectionNameWithLineEndsStaysOneLine) {
  const std::string name = "Shell\r\n$$$A.KFD  1  1  2  2\nTube\tside";
  ReportSectionStart(name.data(), static_cast<int32_t>(name.size()));
  EXPECT_EQ(ReadFileOrEmpty(RunReport()),
            "[Section Start] Shell  $$$A.KFD  1  1  2  2 Tube side\r\n");
  // The rich-text library receives the name as the caller gave it.
  QuireStandin_SetEnabled(1);
  QuireStandin_SetSectionCopyLength(static_cast<int32_t>(name.size()));
  ReportSectionStart(name.data(), static_cast<int32_t>(name.size()));
  const QuireCall* call = QuireStandin_Call(QuireStandin_CallCount() - 1);
  ASSERT_EQ(call->function, kQuireSectionStart);
  EXPECT_EQ(std::string(call->text[0], name.size()), name);
}

TEST_F(RichText, QueryGivesExactlyOneOrZero) {
  int32_t flag = -5;
  RichTextQueryCall(&flag);
  EXPECT_EQ(flag, 0);
  QuireStandin_SetEnabled(7);
  RichTextQueryCall(&flag);
  EXPECT_EQ(flag, 1);
  QuireStandin_SetEnabled(-1);
  QueryRichText(&flag);
  EXPECT_EQ(flag, 1);
}

class ComposeRich : public RichText {
 protected:
  void SetUp() override {
    RichText::SetUp();
    ASSERT_TRUE(WriteFileBytes(TemplateFolder() + "SHEL.RENG", "{\\rtf1}"));
  }
  // The field values in a buffer of exactly their size.
  static std::vector<char> Values(const std::string& text) { return {text.begin(), text.end()}; }
  const QuireCall* Parse() const {
    for (int32_t i = QuireStandin_CallCount() - 1; i >= 0; --i) {
      if (QuireStandin_Call(i)->function == kQuireParseRTF) return QuireStandin_Call(i);
    }
    return nullptr;
  }
};

TEST_F(ComposeRich, MissingTemplateGivesMinusOne) {
  std::vector<char> values = Values("a\x03\x19");
  EXPECT_EQ(ComposeRichTextPage("TUBE.RENG", "TUBE0001", values.data()), -1);
  EXPECT_EQ(Parse(), nullptr);
}

TEST_F(ComposeRich, TemplateFolderThatCannotBeNamedGivesMinusOne) {
  // A rich-text template of that name in the current folder must not stand in
  // for the template folder's.
  const std::string here = root_ + "HERE\\";
  ASSERT_TRUE(os::CreateFolder(here.c_str()));
  ASSERT_TRUE(WriteFileBytes(here + "SHEL.RENG", "{\\rtf1}"));
  SetRunFolders(std::string(250, 'p') + "\\", input_, "A1B2C3");
  std::vector<char> values = Values("a\x03\x19");
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(NativeFolder(here));
  const int32_t result = ComposeRichTextPage("SHEL.RENG", "SHEL0001", values.data());
  std::filesystem::current_path(before);
  EXPECT_EQ(result, -1);
  EXPECT_EQ(Parse(), nullptr);
}

TEST_F(ComposeRich, FoldersThatDidNotFitTheirFieldsNameNoFile) {
  // Program and input folders of 260 characters leave their fields empty.
  // The current folder holds what an empty folder would find there: a
  // template, the language data and the template folder's files; none of
  // them may be read, and the run's report must not be written there.
  const std::string here = root_ + "HERE\\";
  for (const std::string& f : {here, here + "DAT\\", here + "DAT\\LAN\\", here + "DAT\\PDA\\"}) {
    ASSERT_TRUE(os::CreateFolder(f.c_str()));
  }
  for (const std::string& f :
       {here + "SHEL.RENG", here + "DAT\\LAN\\SHEL.RENG", here + "DAT\\PDA\\G_GERMAN.PDA"}) {
    ASSERT_TRUE(WriteFileBytes(f, "{\\rtf1}"));
  }
  const std::string tooLong = "Z:\\" + std::string(256, 'f') + "\\";
  ASSERT_EQ(tooLong.size(), 260u);
  SetUpRunContext(tooLong.c_str(), (tooLong + "PUMP1.JOB").c_str(), "1", "", "A1B2C3");
  ASSERT_FALSE(g_runContext.programFolderFits);
  ASSERT_FALSE(g_runContext.inputFolderFits);

  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(NativeFolder(here));
  std::vector<char> values = Values("a\x03\x19");
  const int32_t composed = ComposeRichTextPage("SHEL.RENG", "SHEL0001", values.data());
  AllMarks();
  char path[kReportPathSize] = "KEPT";
  const bool reportNamed = MakeRunReportPath(path, sizeof path);
  const bool drawingNamed = MakeRunDrawingPath(path, sizeof path);
  const bool templateNamed = MakeTemplatePath(path, "SHEL.RENG");
  const bool dataNamed = MakeDataPath(path, "G_GERMAN.PDA");
  char folder[kReportPathSize] = "KEPT";
  GetDataFolder(folder);
  const int32_t selected = SelectLanguage("GERMAN");
  // A template by its bare name still comes from the current folder.
  ASSERT_TRUE(WriteFileBytes(here + "CURRINDX.ENG", std::string("\0\0\0\0\3\0\0\0", 8)));
  ASSERT_TRUE(WriteFileBytes(here + "CURR.ENG", "abcdefgh"));
  std::vector<char> record(kTemplateRecordSize, '\x7F');
  const int32_t loaded = LoadTemplate("CURR.ENG", record.data(), 1);
  std::filesystem::current_path(before);
  EXPECT_EQ(loaded, 0);
  EXPECT_EQ(std::string(record.data(), 4), "abcd");

  EXPECT_EQ(composed, -1);
  EXPECT_EQ(Parse(), nullptr);
  EXPECT_FALSE(reportNamed);
  EXPECT_FALSE(drawingNamed);
  EXPECT_FALSE(templateNamed);
  EXPECT_FALSE(dataNamed);
  EXPECT_STREQ(path, "");
  EXPECT_STREQ(folder, "");
  EXPECT_EQ(selected, 0);
  EXPECT_FALSE(FileExists(here + "A1B2C3.KVO"));
  EXPECT_FALSE(FileExists(SettingsFile()));
}

TEST_F(ComposeRich, ValuesReachTheLibraryWithNulsAsBlanks) {
  const std::string given = std::string("ab\x03\0d\x03", 6) + "wxyz" + "\x19" + "tail";
  std::vector<char> values = Values(given);
  EXPECT_EQ(ComposeRichTextPage("SHEL.RENG", "SHEL0001", values.data()), 1);
  const QuireCall* call = Parse();
  ASSERT_NE(call, nullptr);
  EXPECT_EQ(std::string(call->text[0]), TemplateFolder() + "SHEL.RENG");
  EXPECT_EQ(std::string(call->text[1]), "SHEL0001");
  EXPECT_EQ(std::string(call->text[2]), "ab\x03 d\x03wxyz");
  // The caller's buffer is not written.
  EXPECT_EQ(std::string(values.data(), values.size()), given);
}

TEST_F(ComposeRich, EndMarkAt1998IsKeptAt1999Dropped) {
  std::vector<char> kept = Values(std::string(1998, 'v') + "\x19");
  ComposeRichTextPage("SHEL.RENG", "SHEL0001", kept.data());
  EXPECT_EQ(std::string(Parse()->text[2]), std::string(1998, 'v'));

  std::vector<char> dropped = Values(std::string(1999, 'v') + "\x19");
  ComposeRichTextPage("SHEL.RENG", "SHEL0001", dropped.data());
  EXPECT_EQ(Parse()->text[2][0], '\x19');
  EXPECT_EQ(Parse()->textLength[2], 1999);
}

TEST_F(ComposeRich, ValuesWithoutEndMarkAreReadTo2000Only) {
  std::vector<char> values = Values(std::string(2000, 'w'));
  EXPECT_EQ(ComposeRichTextPage("SHEL.RENG", "SHEL0001", values.data()), 1);
  const QuireCall* call = Parse();
  EXPECT_EQ(call->text[2][0], '\x19');
  EXPECT_EQ(call->textLength[2], 2000);
  EXPECT_EQ(std::string(values.data(), values.size()), std::string(2000, 'w'));
}

TEST_F(RichText, HostTextCallCutsTo80) {
  GantryStandin_SetPassTextResult(42);
  const std::string text(100, 'h');
  EXPECT_EQ(HostTextCall(text.data(), 100), 42);
  EXPECT_EQ(std::string(GantryStandin_LastOf(41)->text[0]), std::string(80, 'h'));
  const std::string padded = "HELLO" + std::string(20, ' ');
  HostTextCall(padded.data(), 5);
  EXPECT_EQ(std::string(GantryStandin_LastOf(41)->text[0]), "HELLO");
  HostTextCall(padded.data(), 0);
  EXPECT_EQ(std::string(GantryStandin_LastOf(41)->text[0]), "");
  EXPECT_EQ(PassHostText("direct"), 42);
  EXPECT_EQ(GantryStandin_CountOf(41), 4);
}

// Taken during static initialisation, before any test set the value.
const int32_t kReportValueAtLoad = GetReportValue();

TEST_F(RichText, ReportValueAndEmptyRoutines) {
  EXPECT_EQ(kReportValueAtLoad, 0);
  EXPECT_EQ(GetReportValue(), 0);
  EXPECT_EQ(SetReportValue(7), 7);
  EXPECT_EQ(GetReportValue(), 7);
  ReportHookCall();
  EmptyReportHook();
  int a = 1, b = 2;
  EmptyReportRoutine(&a, &b);
  EXPECT_EQ(a + b, 3);
  EXPECT_EQ(GetReportValue(), 7);
}

}  // namespace
