#include "report/report_lines.h"

#include "entry/report_conversion.h"

#include <string>
#include <vector>

#include "report_fixture.h"

namespace {

using testing_support::Crlf;
using testing_support::ReadFileOrEmpty;
using testing_support::WriteFileBytes;

class ReportLines : public ReportTest {};

TEST_F(ReportLines, RunFilesWithAndWithoutARunId) {
  struct Case {
    const char* runId;
    const char* report;
    const char* drawing;
  } const cases[] = {
      {"A1B2C3", "A1B2C3.KVO", "A1B2C3.KFD"},
      {"", "OUTPUT.KVO", "OUTPUT.KFD"},
  };
  for (const Case& c : cases) {
    SetRunFolders(program_, input_, c.runId);
    char path[kReportNameSize];
    ASSERT_TRUE(MakeRunReportPath(path, sizeof path));
    EXPECT_EQ(std::string(path), input_ + c.report);
    ASSERT_TRUE(MakeRunDrawingPath(path, sizeof path));
    EXPECT_EQ(std::string(path), input_ + c.drawing);
  }
}

TEST_F(ReportLines, RunFileThatDoesNotFitIsNoName) {
  char path[12];
  EXPECT_FALSE(MakeRunReportPath(path, sizeof path));
  EXPECT_STREQ(path, "");
}

TEST(ReportDrawingName, FileNameOfTheReportWithKfd) {
  struct Case {
    const char* report;
    ExtensionDot dot;
    const char* expected;  // nullptr: no name
  } const cases[] = {
      {"Z:\\jobs.v2\\RUN.KVO", ExtensionDot::kLast, "RUN.KFD"},
      {"Z:\\jobs\\RUN.OLD.KVO", ExtensionDot::kLast, "RUN.OLD.KFD"},
      {"Z:\\jobs\\RUN.OLD.KVO", ExtensionDot::kFirst, "RUN.KFD"},
      {"C:RUN.KVO", ExtensionDot::kLast, "RUN.KFD"},
      {"RUN.KVO", ExtensionDot::kFirst, "RUN.KFD"},
      {"Z:\\jobs.v2\\RUN", ExtensionDot::kLast, nullptr},  // the folder's '.' does not count
  };
  for (const Case& c : cases) {
    char out[64];
    const bool made = MakeReportDrawingName(c.report, c.dot, out, sizeof out);
    EXPECT_EQ(made, c.expected != nullptr) << c.report;
    EXPECT_EQ(std::string(out), c.expected ? c.expected : "") << c.report;
  }
  // "RUN.KFD" and its NUL take 8 bytes.
  char out[8];
  EXPECT_TRUE(MakeReportDrawingName("Z:\\jobs\\RUN.KVO", ExtensionDot::kLast, out, 8));
  EXPECT_STREQ(out, "RUN.KFD");
  EXPECT_FALSE(MakeReportDrawingName("Z:\\jobs\\RUN.KVO", ExtensionDot::kLast, out, 7));
  EXPECT_STREQ(out, "");
}

TEST(ReportLineFormats, PageLineWithMarkers) {
  std::string text(79, ' ');
  text.replace(0, 11, "Shell side:");
  // Text in a buffer of exactly 79 characters (column 80 of a page row is
  // never read), markers in one of the marker map's 80.
  std::vector<char> markers(80, ' ');
  markers[12] = '{';
  markers[20] = '}';
  markers[30] = '~';
  markers[40] = 'x';  // not a marker
  const std::vector<char> row(text.begin(), text.end());
  char out[kPageLineMax + 1];
  const int32_t n = FormatPageLine(out, row.data(), '1', markers.data());
  const std::string expected = text + " " + "\t" + "1" + std::string(12, ' ') + "{" +
                               std::string(7, ' ') + "}" + std::string(9, ' ') + "~";
  EXPECT_EQ(std::string(out, static_cast<size_t>(n)), expected);
  EXPECT_EQ(n, 80 + 2 + 31);
}

TEST(ReportLineFormats, PageLineWithoutMarkersAndTheLongestOne) {
  const std::string text(79, 'T');
  char out[kPageLineMax + 1];
  EXPECT_EQ(std::string(out, static_cast<size_t>(FormatPageLine(out, text.data(), ' ',
                                                                std::string(80, ' ').data()))),
            text + " \t ");
  // A marker in column 80 of the map: 80 + TAB + control + 80 markers.
  std::string markers(80, ' ');
  markers[79] = '}';
  EXPECT_EQ(FormatPageLine(out, text.data(), '0', markers.data()), 162);
  EXPECT_EQ(kPageLineMax, 162);
  EXPECT_EQ(std::string(out + 80, 82), "\t0" + std::string(79, ' ') + "}");
  EXPECT_EQ(out[162], '\0');
  // The same marker one column to the left ends the line one earlier.
  markers[79] = ' ';
  markers[78] = '~';
  EXPECT_EQ(FormatPageLine(out, text.data(), '0', markers.data()), 161);
  EXPECT_EQ(out[160], '~');
}

// CR, LF and TAB in a row's text would end the line or its text early and
// let the rest pass for a line of another kind: they are written as blanks.
TEST(ReportLineFormats, PageLineTextNeverBreaksTheLine) {
  struct Case {
    const char* label;
    std::string text;     // the row's first columns, blank-padded to 79
    std::string written;  // what the line holds in their place
  } const cases[] = {
      {"CR LF", "12.5\r\n$$$A.KFD  1  1  2  2", "12.5  $$$A.KFD  1  1  2  2"},
      {"LF alone", "a\n[Page break]", "a [Page break]"},
      {"CR alone", "a\rb", "a b"},
      {"TAB", "x\ty\t1", "x y 1"},
      {"in the last column", std::string(78, 'c') + "\n", std::string(78, 'c') + " "},
      {"other control characters stay", "\x01\x1a\x7f", "\x01\x1a\x7f"},
  };
  const std::string noMarkers(80, ' ');
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    std::string text = c.text;
    text.resize(79, ' ');
    char out[kPageLineMax + 1];
    const int32_t n = FormatPageLine(out, text.data(), ' ', noMarkers.data());
    std::string expected = c.written;
    expected.resize(80, ' ');
    EXPECT_EQ(std::string(out, static_cast<size_t>(n)), expected + "\t ");
  }
}

TEST(ReportLineFormats, BlankAndPictureLines) {
  char out[kPageLineMax + 1];
  EXPECT_EQ(FormatBlankPageLine(out), 82);
  EXPECT_EQ(std::string(out), std::string(80, ' ') + "\t ");

  char picture[64];
  EXPECT_EQ(FormatPictureLine(picture, sizeof picture, "PLATE.WMF", 1, 2, 80, 24), 24);
  EXPECT_STREQ(picture, "$$$PLATE.WMF  1  2 80 24");
  FormatPictureLine(picture, sizeof picture, "A.KFD", 5, 100, 7, 3);
  EXPECT_STREQ(picture, "$$$A.KFD  5 100  7  3");
  FormatPictureLine(picture, sizeof picture, "B.EMF", -3, 0, -12, 7);
  EXPECT_STREQ(picture, "$$$B.EMF -3  0 -12  7");
  EXPECT_EQ(FormatPictureLine(picture, 10, "PLATE.WMF", 1, 2, 80, 24), -1);
  EXPECT_STREQ(picture, "");
  // 24 characters and the NUL fit in 25 bytes, not in 24.
  EXPECT_EQ(FormatPictureLine(picture, 25, "PLATE.WMF", 1, 2, 80, 24), 24);
  EXPECT_STREQ(picture, "$$$PLATE.WMF  1  2 80 24");
  EXPECT_EQ(FormatPictureLine(picture, 24, "PLATE.WMF", 1, 2, 80, 24), -1);
  EXPECT_STREQ(picture, "");
}

// A picture name with a character below 32 would split its line: no line.
TEST(ReportLineFormats, PictureNameThatCannotStandInALine) {
  struct Case {
    const char* name;
    bool stands;
  } const cases[] = {
      {"PLATE.WMF", true},     {"A\n$$$B.KFD\nC.WMF", false}, {"PLATE.WMF\r", false},
      {"PL\tATE.WMF", false},  {"\x01.EMF", false},           {"\x1f.EMF", false},
      {"\x7f.EMF", true},       // 127 and the bytes above 127 are text
      {"\xe9t\xe9.EMF", true},  // OEM and ANSI letters
      {" .EMF", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(IsPictureLineName(c.name), c.stands);
    char picture[64];
    const int32_t n = FormatPictureLine(picture, sizeof picture, c.name, 1, 2, 3, 4);
    EXPECT_EQ(n >= 0, c.stands);
    EXPECT_EQ(std::string(picture), c.stands ? "$$$" + std::string(c.name) + "  1  2  3  4" : "");
  }
}

TEST(ReportLineFormats, MarkerLines) {
  EXPECT_STREQ(kPageBreakMarker,
               (std::string(30, '-') + " Page Break " + std::string(30, '-')).c_str());
  EXPECT_STREQ(kComponentBreakMarker,
               (std::string(25, '-') + " Component Break " + std::string(26, '-')).c_str());
  char line[kSectionLineSize];
  EXPECT_EQ(FormatSectionStartLine(line, "Shell", 5), 21);
  EXPECT_STREQ(line, "[Section Start] Shell");
  FormatSectionStartLine(line, "Shellside", 3);
  EXPECT_STREQ(line, "[Section Start] She");
  FormatSectionStartLine(line, std::string("Tu\0be", 5).data(), 5);
  EXPECT_STREQ(line, "[Section Start] Tu");
  const std::string longName(300, 'N');
  EXPECT_EQ(FormatSectionStartLine(line, longName.data(), 300), 199);
  EXPECT_EQ(std::string(line), "[Section Start] " + std::string(183, 'N'));
  EXPECT_EQ(FormatSectionStartLine(line, longName.data(), 183), 199);
  EXPECT_EQ(FormatSectionStartLine(line, longName.data(), 182), 198);
  // A line end or TAB in the name is a blank: the name stays one marker line.
  EXPECT_EQ(FormatSectionStartLine(line, "Shell\r\n$$$A.KFD 1 1 2 2\tside", 30), 44);
  EXPECT_STREQ(line, "[Section Start] Shell  $$$A.KFD 1 1 2 2 side");
}

TEST_F(ReportLines, AppendWritesCrLfAndCreatesTheFile) {
  const std::string path = input_ + "NEW.KVO";
  ASSERT_TRUE(AppendReportLine(path.c_str(), "first", 5));
  ASSERT_TRUE(AppendReportLine(path.c_str(), "", 0));
  ASSERT_TRUE(AppendReportLine(path.c_str(), "third", 5));
  EXPECT_EQ(ReadFileOrEmpty(path), "first\r\n\r\nthird\r\n");
  EXPECT_FALSE(AppendReportLine((input_ + "NO\\SUCH\\X.KVO").c_str(), "x", 1));
}

// Every line of a file as the shared reader gives it.
std::vector<ReportLine> ReadAll(const std::string& path, int32_t limit) {
  std::vector<ReportLine> lines;
  FILE* f = os::OpenFile(path.c_str(), "rb");
  EXPECT_NE(f, nullptr);
  if (!f) return lines;
  ReportLineReader reader;
  StartReportLines(&reader, f);
  ReportLine line;
  while (ReadReportLine(&reader, limit, &line)) lines.push_back(line);
  std::fclose(f);
  return lines;
}

std::string Text(const ReportLine& line) {
  return std::string(line.text, static_cast<size_t>(line.length));
}

// A report of every kind of line, as the writers produce it, plus lines that
// only the readers' rules decide.
class MixedReport : public ReportTest {
 protected:
  void SetUp() override {
    ReportTest::SetUp();
    const std::string row1 = std::string("Heat exchanger") + std::string(66, ' ');
    const std::string row2 = std::string("Duty") + std::string(76, ' ');
    lines_ = {
        "$$$SKETCH.KFD  1  1 40 10",
        row1 + "\t1" + std::string(20, ' ') + "{   }",
        kPageBreakMarker,
        row2 + "\t ",
        "[Section Start] Shell",
        "short text\t0{",  // text before the TAB shorter than 80
        "[PAGE BREAK] in capitals",
        "[Page break]",
        "$$$plate.wmf  2  3  4  5",
        kSectionEndMarker,
    };
    std::string bytes;
    for (const std::string& l : lines_) bytes += l + "\r\n";
    bytes += "no line end";
    path_ = input_ + "MIXED.KVO";
    ASSERT_TRUE(WriteFileBytes(path_, bytes));
  }
  std::vector<std::string> lines_;
  std::string path_;
};

TEST_F(MixedReport, KindsForTheConversionAndForPrinting) {
  const std::vector<ReportLine> lines = ReadAll(path_, kConversionLineLimit);
  ASSERT_EQ(lines.size(), 11u);
  using K = ReportLineKind;
  const K exact[] = {K::kPicture, K::kPage,      K::kMarker,  K::kPage,   K::kMarker, K::kPage,
                     K::kMarker,  K::kPageBreak, K::kPicture, K::kMarker, K::kMarker};
  const K anyCase[] = {K::kPicture,   K::kPage,      K::kMarker,  K::kPage,   K::kMarker, K::kPage,
                       K::kPageBreak, K::kPageBreak, K::kPicture, K::kMarker, K::kMarker};
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(ClassifyReportLine(lines[i], LineMatch::kExact), exact[i]) << i;
    EXPECT_EQ(ClassifyReportLine(lines[i], LineMatch::kAnyCase), anyCase[i]) << i;
    EXPECT_EQ(lines[i].atEnd, i == 10) << i;
  }
  EXPECT_EQ(Text(lines[10]), "no line end");
}

// A TAB as the 81st character makes a page line, whatever the text begins
// with; other lines are told by their beginnings as before.
TEST(ReportLineKinds, TabAfterEightyCharactersIsAPageLine) {
  using K = ReportLineKind;
  auto padded = [](const std::string& text) { return text + std::string(80 - text.size(), ' '); };
  struct Case {
    const char* label;
    std::string text;
    K exact;
    K anyCase;
  } const cases[] = {
      {"row beginning $$$", padded("$$$A.KFD  1  1  2  2") + "\t ", K::kPage, K::kPage},
      {"row beginning [Page break]", padded("[Page break]") + "\t1{", K::kPage, K::kPage},
      {"row beginning [PAGE BREAK]", padded("[PAGE BREAK]") + "\t ", K::kPage, K::kPage},
      {"row of 80 blanks", std::string(80, ' ') + "\t ", K::kPage, K::kPage},
      {"a TAB alone as the 81st character", padded("$$$") + "\t", K::kPage, K::kPage},
      {"$$$ with a TAB as the 80th character", std::string("$$$") + std::string(76, ' ') + "\t x",
       K::kPicture, K::kPicture},
      {"$$$ with a TAB as the 82nd character", padded("$$$") + " \t", K::kPicture, K::kPicture},
      {"[Page break] with its TAB further on", padded("[Page break]") + "x\t ", K::kPageBreak,
       K::kPageBreak},
      {"[PAGE BREAK] with a short TAB", "[PAGE BREAK]\t1", K::kPage, K::kPageBreak},
      {"picture line", "$$$PLATE.WMF  1  2 80 24", K::kPicture, K::kPicture},
      {"80 characters without TAB", padded("$$$"), K::kPicture, K::kPicture},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    ReportLine line;
    std::memcpy(line.text, c.text.data(), c.text.size());
    line.length = static_cast<int32_t>(c.text.size());
    line.text[line.length] = '\0';
    line.atEnd = false;
    EXPECT_EQ(ClassifyReportLine(line, LineMatch::kExact), c.exact);
    EXPECT_EQ(ClassifyReportLine(line, LineMatch::kAnyCase), c.anyCase);
  }
}

// The text conversion writes a page row that begins "$$$" or "[Page break]"
// as the text it is.
TEST_F(ReportLines, ConversionKeepsRowsThatBeginLikeOtherLines) {
  const std::string picture = "$$$A.KFD  1  1  2  2";
  const std::string pageBreak = "[Page break] and more";
  const std::string report = picture + std::string(60, ' ') + "\t1\r\n" + pageBreak +
                             std::string(59, ' ') + "\t {\r\n" + picture + "\r\n" +
                             "[Page break]\r\n";
  const std::string path = input_ + "ROWS.KVO";
  ASSERT_TRUE(WriteFileBytes(path, report));
  ASSERT_EQ(ConvertReportToText(path.c_str(), (input_ + "ROWS.KVX").c_str()), 1);
  EXPECT_EQ(ReadFileOrEmpty(input_ + "ROWS.KVX"),
            picture + std::string(60, ' ') + "\r\n" + pageBreak + std::string(59, ' ') + "\r\n");
}

TEST_F(MixedReport, WhatTheTextConversionWrites) {
  std::string converted;
  for (const ReportLine& line : ReadAll(path_, kConversionLineLimit)) {
    const ReportLineKind kind = ClassifyReportLine(line, LineMatch::kExact);
    if (kind == ReportLineKind::kPicture || kind == ReportLineKind::kPageBreak) continue;
    converted += std::string(line.text, static_cast<size_t>(ConvertedTextLength(line))) + "\n";
  }
  const std::string expected = lines_[1].substr(0, 80) + "\n" + lines_[2] + "\n" +
                               lines_[3].substr(0, 80) + "\n" + lines_[4] + "\n" + "short text\n" +
                               lines_[6] + "\n" + lines_[9] + "\n" + "no line end\n";
  EXPECT_EQ(converted, expected);
}

TEST_F(MixedReport, WhatThePrintJobAndThePreviewSee) {
  const std::vector<ReportLine> lines = ReadAll(path_, kPrintLineLimit);
  ASSERT_EQ(lines.size(), 11u);
  char reference[kPictureRefLength + 1];
  TakePictureReference(lines[0], reference);
  EXPECT_STREQ(reference, "SKETCH.KFD  1  1 40 10");
  EXPECT_TRUE(IsDrawingReference(reference));
  TakePictureReference(lines[8], reference);
  EXPECT_FALSE(IsDrawingReference(reference));

  for (TabChoice tab : {TabChoice::kLast, TabChoice::kFirst}) {
    PageLineParts parts;
    SplitPageLine(lines[1], tab, &parts);
    EXPECT_EQ(parts.control, '1');
    EXPECT_EQ(std::string(parts.text, 79), lines_[1].substr(0, 79));
    EXPECT_EQ(parts.text[79], '1');  // column 80 takes the control character
    EXPECT_EQ(std::string(parts.markers, 80),
              std::string(20, ' ') + "{   }" + std::string(54, ' ') + "1");

    // A marker line is one more text line: no control character, no markers.
    SplitPageLine(lines[2], tab, &parts);
    EXPECT_EQ(parts.control, ' ');
    EXPECT_EQ(std::string(parts.text, 80), std::string(kPageBreakMarker) + std::string(8, ' '));
    EXPECT_EQ(std::string(parts.markers, 80), std::string(80, ' '));

    // Text before the TAB shorter than 80: the TAB stays, no markers.
    SplitPageLine(lines[5], tab, &parts);
    EXPECT_EQ(parts.control, '0');
    EXPECT_EQ(std::string(parts.text, 80), "short text\t0{" + std::string(66, ' ') + "0");
    EXPECT_EQ(std::string(parts.markers, 80), std::string(79, ' ') + "0");
  }
}

// The run shell's conversion must write what the shared definition says.
TEST_F(MixedReport, RunShellConversionAgrees) {
  const std::string textPath = input_ + "MIXED.KVX";
  ASSERT_EQ(ConvertReportToText(path_.c_str(), textPath.c_str()), 1);
  std::string expected;
  for (const ReportLine& line : ReadAll(path_, kConversionLineLimit)) {
    const ReportLineKind kind = ClassifyReportLine(line, LineMatch::kExact);
    if (kind == ReportLineKind::kPicture || kind == ReportLineKind::kPageBreak) continue;
    expected += std::string(line.text, static_cast<size_t>(ConvertedTextLength(line))) + "\r\n";
  }
  EXPECT_EQ(ReadFileOrEmpty(textPath), expected);
}

TEST(ReportLineSplit, FirstOrLastTabAndCharactersPastTheEnd) {
  ReportLine line;
  // 80 characters, TAB, '1', three markers, a second TAB and 'x' after it.
  const std::string text = std::string(79, 'A') + std::string(1, '\0') + "\t1{ }\tx";
  std::memcpy(line.text, text.data(), text.size());
  line.length = static_cast<int32_t>(text.size());
  line.text[line.length] = '\0';
  line.atEnd = false;

  PageLineParts first;
  SplitPageLine(line, TabChoice::kFirst, &first);
  EXPECT_EQ(first.control, '1');
  EXPECT_EQ(std::string(first.text, 79), std::string(79, 'A'));
  // The markers end with the line: what lies past its end reads as blanks.
  EXPECT_EQ(std::string(first.markers, 80), "{ }\tx" + std::string(74, ' ') + "1");

  PageLineParts last;
  SplitPageLine(line, TabChoice::kLast, &last);
  EXPECT_EQ(last.control, 'x');
  EXPECT_EQ(std::string(last.markers, 80), std::string(79, ' ') + "x");

  char row[80];
  PlainTextRow(line, row);
  EXPECT_EQ(std::string(row, 80), std::string(79, 'A') + " ");

  // A TAB within the first 80 characters is a blank of the plain-text row.
  const std::string shortLine = "ab\tcd\n\tx";
  std::memcpy(line.text, shortLine.data(), shortLine.size());
  line.length = static_cast<int32_t>(shortLine.size());
  PlainTextRow(line, row);
  EXPECT_EQ(std::string(row, 80), "ab cd  x" + std::string(72, ' '));
}

TEST(ReportLineSplit, ConversionTextEndsAtTheFirstTabOrNul) {
  struct Case {
    std::string text;
    int32_t length;
  } const cases[] = {
      {std::string("ab\0cd\tx", 7), 2},
      {"abc\tde\tf", 3},
      {"plain text  ", 12},
      {"\t1", 0},
  };
  for (const Case& c : cases) {
    ReportLine line;
    std::memcpy(line.text, c.text.data(), c.text.size());
    line.length = static_cast<int32_t>(c.text.size());
    line.text[line.length] = '\0';
    EXPECT_EQ(ConvertedTextLength(line), c.length) << c.text;
  }
}

TEST(ReportLineSplit, NulAndLineFeedInsideALineAreBlanks) {
  ReportLine line;
  const std::string text = std::string(80, 'B') + "\t " + std::string("{\0\n}", 4);
  std::memcpy(line.text, text.data(), text.size());
  line.length = static_cast<int32_t>(text.size());
  PageLineParts parts;
  SplitPageLine(line, TabChoice::kLast, &parts);
  EXPECT_EQ(std::string(parts.markers, 4), "{  }");
}

TEST_F(ReportLines, LongLinesComeInPiecesOfTheLimit) {
  const std::string path = input_ + "LONG.KVO";
  const std::string exact(199, 'e');
  const std::string longer(250, 'l');
  ASSERT_TRUE(
      WriteFileBytes(path, exact + "\r\n" + longer + "\n" + "lf only\n" + "cr\rinside\r\n"));
  const std::vector<ReportLine> lines = ReadAll(path, kPrintLineLimit);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(Text(lines[0]), exact);  // a line of exactly the limit takes its own line end
  EXPECT_EQ(Text(lines[1]), std::string(199, 'l'));
  EXPECT_EQ(Text(lines[2]), std::string(51, 'l'));
  EXPECT_EQ(Text(lines[3]), "lf only");
  EXPECT_EQ(Text(lines[4]), "cr\rinside");
  for (const ReportLine& l : lines) EXPECT_FALSE(l.atEnd);

  const std::vector<ReportLine> wide = ReadAll(path, kConversionLineLimit);
  ASSERT_EQ(wide.size(), 4u);
  EXPECT_EQ(Text(wide[1]), longer);
}

TEST_F(ReportLines, EmptyLinesAndAnEmptyFile) {
  const std::string path = input_ + "EMPTY.KVO";
  ASSERT_TRUE(WriteFileBytes(path, ""));
  EXPECT_TRUE(ReadAll(path, kPrintLineLimit).empty());
  ASSERT_TRUE(WriteFileBytes(path, "\r\n\r\n"));
  const std::vector<ReportLine> lines = ReadAll(path, kPrintLineLimit);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].length, 0);
  EXPECT_EQ(ClassifyReportLine(lines[0], LineMatch::kAnyCase), ReportLineKind::kMarker);
}

TEST(ReportLineReferences, DrawingReferenceTable) {
  struct Case {
    const char* reference;
    bool drawing;
  } const cases[] = {
      {"A.KFD  1  1 10 10", true}, {"a.kfd  1  1 10 10", true},  {"A.KFDX 1 1 2 2", true},
      {"A.B.KFD 1 1 2 2", true},   {"A.KFD.WMF 1 1 2 2", false}, {"A.KF 1 1 2 2", false},
      {"A.WMF 1 1 .KFD", false},   {"AKFD 1 1 2 2", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsDrawingReference(c.reference), c.drawing) << c.reference;
}

TEST(ReportLineReferences, PictureReferenceIsCutTo29) {
  ReportLine line;
  const std::string text = "$$$" + std::string(40, 'p');
  std::memcpy(line.text, text.data(), text.size() + 1);
  line.length = static_cast<int32_t>(text.size());
  char reference[kPictureRefLength + 1];
  TakePictureReference(line, reference);
  EXPECT_EQ(std::string(reference), std::string(29, 'p'));
}

}  // namespace
