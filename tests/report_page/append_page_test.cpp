#include <string>

#include "page_fixture.h"
#include "report/report_to_text.h"
#include "support/test_support.h"

namespace {

using testing_support::FileExists;
using testing_support::ReadFileOrEmpty;
using testing_support::WriteFileBytes;

class AppendPage : public PageTest {
 protected:
  int32_t Append(PageFixture& f, const char* refs = "") {
    return AppendPageToReport(f.page, f.templateRows, refs, f.markers);
  }
  // The page lines of rows first..last that hold only the row number as text.
  static std::string NumberedLines(int first, int last, char control = ' ') {
    std::string s;
    for (int r = first; r <= last; ++r) s += PageLine("R" + std::to_string(r), control);
    return s;
  }
  static void NumberRows(PageFixture& f) {
    for (int r = 1; r <= 24; ++r) f.Row(r, "R" + std::to_string(r));
  }
};

TEST_F(AppendPage, ControlCharacterTable) {
  const std::string blank(79, ' ');
  const std::string text = "TEXT" + std::string(75, ' ');
  std::string withNul = blank;
  withNul[3] = '\0';
  struct Case {
    char control;
    const std::string* row;
    RowEffect effect;
  };
  const Case cases[] = {
      {'X', &text, RowEffect::kEndPage},         {'X', &blank, RowEffect::kEndPage},
      {'*', &blank, RowEffect::kEndPage},        {'*', &withNul, RowEffect::kEndPage},
      {'*', &text, RowEffect::kWrite},           {'x', &text, RowEffect::kSkip},
      {'x', &blank, RowEffect::kSkip},           {'U', &blank, RowEffect::kSkip},
      {'U', &text, RowEffect::kWrite},           {'-', &blank, RowEffect::kSkip},
      {'-', &text, RowEffect::kWrite},           {'0', &blank, RowEffect::kBlankLineBefore},
      {'0', &text, RowEffect::kBlankLineBefore}, {' ', &blank, RowEffect::kWrite},
      {'1', &text, RowEffect::kWrite},           {'u', &blank, RowEffect::kWrite},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "control '" << c.control << "' on "
                                      << (c.row == &text ? "text" : "a blank row"));
    EXPECT_EQ(ClassifyTemplateRow(c.control, c.row->data()), c.effect);
  }
}

TEST_F(AppendPage, RowsWithTheirControlAndMarkers) {
  PageFixture f;
  f.Row(1, "Title", '1');
  f.Row(2, "Value  12.5", 'W');
  f.Marker(2, 11, '}');
  f.Marker(2, 1, 'Q');  // not a marker: blanked in the map
  f.Row(24, "Last");
  EXPECT_EQ(Append(f), 0);
  std::string expected = PageLine("Title", '1') + PageLine("Value  12.5", 'W', "          }");
  for (int r = 3; r <= 23; ++r) expected += PageLine("", ' ');
  expected += PageLine("Last", ' ');
  EXPECT_EQ(ReadFileOrEmpty(RunReport()), expected);
  EXPECT_EQ(f.markers[80], ' ');
}

// Column 80 of the marker map counts like the others.
TEST_F(AppendPage, MarkerInTheLastColumn) {
  PageFixture f;
  f.Row(1, "Total", 'W');
  f.Marker(1, 80, '}');
  f.Row(2, "Mean");
  f.Marker(2, 3, '{');
  f.Marker(2, 80, '~');
  f.Control(3, 'X');
  EXPECT_EQ(Append(f), 0);
  EXPECT_EQ(ReadFileOrEmpty(RunReport()),
            PageLine("Total", 'W', std::string(79, ' ') + "}") +
                PageLine("Mean", ' ', "  {" + std::string(76, ' ') + "~"));
}

// Rows that begin like a picture or page-break line are page lines all the
// same, and the text conversion gives them back as the text they are.
TEST_F(AppendPage, RowsThatBeginLikeOtherLinesStayText) {
  ASSERT_TRUE(WriteFileBytes(input_ + "A.KFD", DrawingBytes(1, 0)));
  PageFixture f;
  f.Row(1, "$$$A.KFD  1  1  2  2", '1');
  f.Row(2, "[Page break]");
  f.Row(3, "[PAGE BREAK]");
  f.Control(4, 'X');
  EXPECT_EQ(Append(f), 0);
  const std::string text = input_ + "ROWS.KVX";
  ASSERT_EQ(ConvertReportToText(RunReport().c_str(), text.c_str()), 1);
  const std::string pad = std::string(60, ' ');
  EXPECT_EQ(ReadFileOrEmpty(text), "$$$A.KFD  1  1  2  2" + pad + "\r\n" + "[Page break]" + pad +
                                       "        \r\n" + "[PAGE BREAK]" + pad + "        \r\n");
  EXPECT_FALSE(FileExists(RunDrawingFile()));
}

// A field value may hold line ends and TABs; in the report they are blanks,
// so every row stays one page line and none passes for another kind.
TEST_F(AppendPage, LineEndsAndTabsInRowsAreBlanks) {
  PageFixture f;
  f.Row(1, "Duty 12.5\r\n$$$A.KFD  1  1  2  2");
  f.Row(2, "a\n[Page break]\rb");
  f.Row(3, "x\ty");
  f.Control(4, 'X');
  EXPECT_EQ(Append(f), 0);
  EXPECT_EQ(ReadFileOrEmpty(RunReport()), PageLine("Duty 12.5  $$$A.KFD  1  1  2  2", ' ') +
                                              PageLine("a [Page break] b", ' ') +
                                              PageLine("x y", ' '));
}

TEST_F(AppendPage, NulsBecomeBlanksInTheCallersPage) {
  PageFixture f;
  f.Row(1, std::string("A\0B", 3));
  f.Control(2, 'X');
  EXPECT_EQ(Append(f), 0);
  EXPECT_EQ(f.page[1], ' ');
  EXPECT_EQ(ReadFileOrEmpty(RunReport()), PageLine("A B", ' '));
}

// 'X' on row 5: rows 1 to 4 only; a picture on row 8 loses the row dropped
// among rows 1 to 4.
TEST_F(AppendPage, EndOfPageAndDroppedRowsMovePictures) {
  PageFixture f;
  NumberRows(f);
  f.Control(2, 'x');
  f.Control(5, 'X');
  EXPECT_EQ(Append(f, "<a.emf 1 8 10 9>"), 0);
  EXPECT_EQ(ReadFileOrEmpty(RunReport()), "$$$a.emf  1  7 10  8\r\n" + NumberedLines(1, 1) +
                                              PageLine("R3", ' ') + PageLine("R4", ' '));
}

TEST_F(AppendPage, ZeroControlWritesABlankLineFirstAndMovesPicturesDown) {
  PageFixture f;
  NumberRows(f);
  f.Row(3, "R3", '0');
  f.Control(4, 'X');
  EXPECT_EQ(Append(f, "<b.emf 2 3 20 4><c.emf 2 2 20 2>"), 0);
  EXPECT_EQ(ReadFileOrEmpty(RunReport()), "$$$b.emf  2  4 20  5\r\n$$$c.emf  2  2 20  2\r\n" +
                                              NumberedLines(1, 2) + PageLine("", ' ') +
                                              PageLine("R3", '0'));
}

TEST_F(AppendPage, BlankRowWithUIsDroppedAndWithTextKept) {
  PageFixture f;
  f.Control(1, 'U');
  f.Row(2, "Kept", 'U');
  f.Row(3, "", '-');
  f.Control(4, '*');
  f.Row(5, "after the end");
  EXPECT_EQ(Append(f), 0);
  EXPECT_EQ(ReadFileOrEmpty(RunReport()), PageLine("Kept", 'U'));
}

TEST_F(AppendPage, PictureReferences) {
  struct Case {
    const char* label;
    const char* refs;
    std::string lines;
  };
  const Case cases[] = {
      {"one reference", "<a.emf 1 1 10 5>", "$$$a.emf  1  1 10  5\r\n"},
      {"the shortest reference", "<a 1 1 1 1>", "$$$a  1  1  1  1\r\n"},
      {"ten characters or fewer write nothing", "<a 1 1 1>", ""},
      {"after-text references", "{a.emf 1 2 3 4}{b.wmf 5 6 7 8}",
       "$$$a.emf  1  2  3  4\r\n$$$b.wmf  5  6  7  8\r\n"},
      {"a '{' reference only when no '<' follows it",
       "{x.emf 1 1 2 2}<a.emf 1 1 3 3>{b.emf 4 4 5 5}",
       "$$$a.emf  1  1  3  3\r\n$$$b.emf  4  4  5  5\r\n"},
      {"the closing bracket is looked for after the opening one", "> <a.emf 11 12 13 14>",
       "$$$a.emf 11 12 13 14\r\n"},
      {"a reference without its four numbers is skipped whole", "<a.emf 1 2 3><b.emf 1 2 3 4>",
       "$$$b.emf  1  2  3  4\r\n"},
      {"a number that is not a number", "<a.emf 1 2 x 4><c.emf 9 9 9 9>",
       "$$$c.emf  9  9  9  9\r\n"},
      {"an unclosed reference ends the list", "<a.emf 1 1 2 2><b.emf 1 1 2 2",
       "$$$a.emf  1  1  2  2\r\n"},
      {"blanks before the name", "<  a.emf  3 4 5 6 >", "$$$a.emf  3  4  5  6\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    testing_support::WriteFileBytes(RunReport(), "");
    PageFixture f;
    f.Control(1, 'X');
    EXPECT_EQ(Append(f, c.refs), 0);
    EXPECT_EQ(ReadFileOrEmpty(RunReport()), c.lines);
  }
}

// Rows dropped before a picture never move it above the page's first row.
TEST_F(AppendPage, ShiftedPictureRowsStayAtLeastOne) {
  PageFixture f;
  NumberRows(f);
  f.Control(1, 'x');
  f.Control(2, 'x');
  f.Control(3, 'x');
  f.Control(5, 'X');
  EXPECT_EQ(Append(f, "<a.emf 1 2 9 3>"), 0);
  EXPECT_EQ(ReadFileOrEmpty(RunReport()), "$$$a.emf  1  1  9  1\r\n" + NumberedLines(4, 4));
}

// Each drawing reference appends one drawing to the run's drawing file and
// names that file; the others stay as they are.
TEST_F(AppendPage, DrawingReferencesGoToTheRunsDrawingFile) {
  const std::string plan = DrawingBytes(2, 4);
  const std::string second = DrawingBytes(1, 0);
  ASSERT_TRUE(WriteFileBytes(input_ + "PLAN.V2.KFD", plan + second));
  ASSERT_TRUE(WriteFileBytes(input_ + "A.KFD.BAK", "not a drawing"));
  PageFixture f;
  f.Control(1, 'X');
  EXPECT_EQ(Append(f,
                   "<PLAN.V2.KFD 1 2 30 10><A.KFD.BAK 1 1 5 5><MISSING.kfd 2 2 4 4>"
                   "<last.emf 1 1 2 2>"),
            0);
  EXPECT_EQ(ReadFileOrEmpty(RunReport()),
            "$$$A1B2C3.KFD  1  2 30 10\r\n$$$A.KFD.BAK  1  1  5  5\r\n"
            "$$$A1B2C3.KFD  2  2  4  4\r\n$$$last.emf  1  1  2  2\r\n");
  // The first drawing of PLAN.V2.KFD, then an empty one for the missing file.
  EXPECT_EQ(ReadFileOrEmpty(RunDrawingFile()), plan + std::string(104, '\0'));
}

// A drawing reference that cannot be read in full is skipped whole: no
// picture line, and no drawing copied for it.
TEST_F(AppendPage, HalfADrawingReferenceCopiesNothing) {
  ASSERT_TRUE(WriteFileBytes(input_ + "P.KFD", DrawingBytes(1, 0)));
  PageFixture f;
  f.Control(1, 'X');
  EXPECT_EQ(Append(f, "<P.KFD 1 2 3><P.KFD 1 2 x 4>"), 0);
  EXPECT_EQ(ReadFileOrEmpty(RunReport()), "");
  EXPECT_FALSE(FileExists(RunDrawingFile()));
}

// A name holding a character below 32 would split its picture line and
// could forge a drawing line: the reference is skipped whole, nothing copied.
TEST_F(AppendPage, PictureNameWithAControlCharacterIsSkippedWhole) {
  ASSERT_TRUE(WriteFileBytes(input_ + "P.KFD", DrawingBytes(1, 0)));
  struct Case {
    const char* label;
    const char* refs;
  } const cases[] = {
      {"LF forging a drawing line", "<A\n$$$P.KFD\nC.WMF 1 1 2 2>"},
      {"LF at the end of a drawing name", "<P.KFD\n 1 1 2 2>"},
      {"CR in a drawing name", "<P\r.KFD 1 1 2 2>"},
      {"CR LF in a picture name", "<A.WMF\r\n 1 1 2 2>"},
      {"another control character", "<P.KFD\x01 1 1 2 2>"},
      {"after the text", "{Q\x1f.EMF 1 1 2 2}"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    testing_support::WriteFileBytes(RunReport(), "");
    os::RemoveFile(RunDrawingFile().c_str());
    PageFixture f;
    f.Control(1, 'X');
    const std::string refs = std::string(c.refs) + "{b.emf 1 1 3 3}";
    EXPECT_EQ(Append(f, refs.c_str()), 0);
    EXPECT_EQ(ReadFileOrEmpty(RunReport()), "$$$b.emf  1  1  3  3\r\n");
    EXPECT_FALSE(FileExists(RunDrawingFile()));
  }
}

// The print job and the preview keep 29 characters after "$$$" and count a
// drawing by them. A longer name of another picture is left out: its first
// 29 characters could end in ".KFD" and count a drawing that was never
// copied. A drawing with a long name is named by the run's drawing file.
TEST_F(AppendPage, PictureNamesLongerThanTheReadersKeep) {
  const std::string plan = DrawingBytes(1, 0);
  const std::string longDrawing = DrawingBytes(2, 0);
  const std::string longDrawingName = std::string(36, 'L') + ".KFD";  // 40 characters
  ASSERT_TRUE(WriteFileBytes(input_ + "P.KFD", plan));
  ASSERT_TRUE(WriteFileBytes(input_ + longDrawingName, longDrawing));
  const std::string name29 = std::string(25, 'N') + ".EMF";
  struct Case {
    const char* label;
    std::string ref;      // before "<P.KFD 1 2 3 4>"
    std::string line;     // its picture line, "" when left out
    std::string drawing;  // what it adds to the drawing file
  } const cases[] = {
      // 25 letters and ".KFD" are the 29 characters kept: a drawing's name.
      {"the first 29 characters end in .KFD", "<ABCDEFGHIJKLMNOPQRSTUVWXY.KFD.WMF 1 1 2 2>", "",
       ""},
      {"30 characters", "<" + std::string(26, 'N') + ".EMF 1 1 2 2>", "", ""},
      {"29 characters are kept whole", "<" + name29 + " 1 1 2 2>",
       "$$$" + name29 + "  1  1  2  2\r\n", ""},
      {"a drawing of 40 characters", "<" + longDrawingName + " 5 6 7 8>",
       "$$$A1B2C3.KFD  5  6  7  8\r\n", longDrawing},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    testing_support::WriteFileBytes(RunReport(), "");
    os::RemoveFile(RunDrawingFile().c_str());
    PageFixture f;
    f.Control(1, 'X');
    EXPECT_EQ(Append(f, (c.ref + "<P.KFD 1 2 3 4>").c_str()), 0);
    EXPECT_EQ(ReadFileOrEmpty(RunReport()), c.line + "$$$A1B2C3.KFD  1  2  3  4\r\n");
    EXPECT_EQ(ReadFileOrEmpty(RunDrawingFile()), c.drawing + plan);
  }
}

// The picture line names the run's drawing file by its file name alone,
// however the input folder separates its folders.
TEST_F(AppendPage, DrawingLineNamesTheFileWithoutItsFolder) {
  const std::string drawing = DrawingBytes(1, 2);
  ASSERT_TRUE(WriteFileBytes(input_ + "P.KFD", drawing));
  std::string slashes = input_;
  for (char& c : slashes) c = c == '\\' ? '/' : c;
  const std::string mixed = input_.substr(0, input_.size() - 1) + "/";
  for (const std::string& folder : {slashes, mixed}) {
    SCOPED_TRACE(folder);
    testing_support::WriteFileBytes(RunReport(), "");
    os::RemoveFile(RunDrawingFile().c_str());
    SetRunFolders(program_, folder, "A1B2C3");
    PageFixture f;
    f.Control(1, 'X');
    EXPECT_EQ(Append(f, "<P.KFD 1 2 3 4>"), 0);
    EXPECT_EQ(ReadFileOrEmpty(RunReport()), "$$$A1B2C3.KFD  1  2  3  4\r\n");
    EXPECT_EQ(ReadFileOrEmpty(RunDrawingFile()), drawing);
  }
}

// A drawing reference to the run's own drawing file copies nothing onto
// itself, and an empty drawing keeps the numbers in step.
TEST_F(AppendPage, DrawingReferenceToTheRunsOwnDrawingFile) {
  const std::string first = DrawingBytes(1, 0);
  ASSERT_TRUE(WriteFileBytes(RunDrawingFile(), first));
  PageFixture f;
  f.Control(1, 'X');
  EXPECT_EQ(Append(f, "<A1B2C3.KFD 1 1 2 2>"), 0);
  EXPECT_EQ(ReadFileOrEmpty(RunReport()), "$$$A1B2C3.KFD  1  1  2  2\r\n");
  EXPECT_EQ(ReadFileOrEmpty(RunDrawingFile()), first + std::string(104, '\0'));
}

TEST_F(AppendPage, DrawingFileOfAReportWithoutRunId) {
  SetRunFolders(program_, input_, "");
  PageFixture f;
  f.Control(1, 'X');
  EXPECT_EQ(Append(f, "<P.KFD 1 1 2 2>"), 0);
  EXPECT_EQ(ReadFileOrEmpty(input_ + "OUTPUT.KVO"), "$$$OUTPUT.KFD  1  1  2  2\r\n");
  EXPECT_EQ(ReadFileOrEmpty(input_ + "OUTPUT.KFD"), std::string(104, '\0'));
}

TEST_F(AppendPage, ReportThatCannotBeOpened) {
  SetRunFolders(program_, root_ + "MISSING\\", "A1B2C3");
  PageFixture f;
  EXPECT_EQ(Append(f, "<P.KFD 1 1 2 2>"), -1);
  EXPECT_FALSE(FileExists(root_ + "MISSING\\A1B2C3.KFD"));
}

TEST_F(AppendPage, AppendsToWhatTheReportHolds) {
  ASSERT_TRUE(WriteFileBytes(RunReport(), "before\r\n"));
  PageFixture f;
  f.Row(1, "one");
  f.Control(2, 'X');
  EXPECT_EQ(Append(f), 0);
  EXPECT_EQ(ReadFileOrEmpty(RunReport()), "before\r\n" + PageLine("one", ' '));
}

}  // namespace
