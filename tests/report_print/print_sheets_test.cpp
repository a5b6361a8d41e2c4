// The reading of a report for printing and the sequencing of its sheets,
// traced through the job's steps with the printer left out: the same on both
// builds. Trace tokens: S a sheet started, E a sheet ended, P<s>.<p>.<n> the
// page handed to "PRINT" with its sequence number s, page number p and n
// lines, END the job's end, CLOSE a job closed without "END".
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "report/print/print_format.h"
#include "report/print/print_page.h"
#include "report_print/print_fixture.h"

namespace {

struct Fake {
  std::string trace;
  int32_t copies = 1;
  int32_t first = 1;
  int32_t last = 1000;
  bool failInit = false;
  int failStartAt = 0;  // the n-th StartSheet fails (0: none)
  int failEndAt = 0;
  int starts = 0;
  int ends = 0;
  // What "PRINT" found in the page buffer, one entry a call.
  std::vector<PageBuffer> pages;
};
Fake* g_fake = nullptr;

void Add(const std::string& token) {
  if (!g_fake->trace.empty()) g_fake->trace += ' ';
  g_fake->trace += token;
}

int32_t FakeCommand(void*, void*, const char* command, int32_t s, int32_t p, int32_t n) {
  if (std::strcmp(command, "INITIALIZATION") == 0) {
    if (g_fake->failInit) return 0;
    g_printJob.copies = g_fake->copies;
    g_printJob.copiesLeft = g_fake->copies;
    g_printJob.firstPage = g_fake->first;
    g_printJob.lastPage = g_fake->last;
    return 1;
  }
  if (std::strcmp(command, "PRINT") == 0) {
    Add("P" + std::to_string(s) + "." + std::to_string(p) + "." + std::to_string(n));
    g_fake->pages.push_back(g_pageBuffer);
    return 1;
  }
  Add(command);
  return 0;
}
int32_t FakeStart(void*) {
  ++g_fake->starts;
  if (g_fake->starts == g_fake->failStartAt) {
    Add("S!");
    return 0;
  }
  Add("S");
  return 1;
}
int32_t FakeEnd(void*) {
  ++g_fake->ends;
  if (g_fake->ends == g_fake->failEndAt) {
    Add("E!");
    return 0;
  }
  Add("E");
  return 1;
}
void FakeClose(void*) { Add("CLOSE"); }

const PrintSteps kFakeSteps = {FakeCommand, FakeStart, FakeEnd, FakeClose};

class PrintSheetsTest : public PrintTest {
 protected:
  void SetUp() override {
    PrintTest::SetUp();
    g_fake = &fake_;
    SetPrintStepsForTests(&kFakeSteps);
  }
  void TearDown() override {
    g_fake = nullptr;
    PrintTest::TearDown();
  }
  std::string Print(const std::string& report, const char* format = "1 per 1") {
    SetPrintFormat(format);
    const std::string path = WriteReport("REP.KVO", report);
    EXPECT_EQ(PrintReport(nullptr, nullptr, path.c_str(), 0), 0);
    return fake_.trace;
  }
  Fake fake_;
};

struct SheetCase {
  const char* name;
  const char* format;
  std::string report;
  int32_t copies, first, last;
  const char* trace;
};

TEST_F(PrintSheetsTest, SheetsFollowPagesPerSheetCopiesAndRanges) {
  const std::string breakLine = "[Page break]\n";
  const SheetCase cases[] = {
      {"one per sheet", "1 per 1", Pages(3), 1, 1, 1000, "S P1.1.3 E S P2.2.3 E S P3.3.3 E END"},
      {"two per sheet, odd count", "2 per 1", Pages(3), 1, 1, 1000,
       "S P1.1.3 P2.2.3 E S P3.3.3 E END"},
      {"two per sheet in capitals", "2 PER 1", Pages(2), 1, 1, 1000, "S P1.1.3 P2.2.3 E END"},
      {"four per sheet", "4 per 1", Pages(5), 1, 1, 1000,
       "S P1.1.3 P2.2.3 P3.3.3 P4.4.3 E S P5.5.3 E END"},
      {"unknown format is one per sheet", "3 per 1", Pages(2), 1, 1, 1000,
       "S P1.1.3 E S P2.2.3 E END"},
      {"two copies, one per sheet", "1 per 1", Pages(2), 2, 1, 1000,
       "S P1.1.3 E S P2.2.3 E S P1.1.3 E S P2.2.3 E END"},
      {"two copies, two per sheet", "2 per 1", Pages(3), 2, 1, 1000,
       "S P1.1.3 P2.2.3 E S P3.3.3 E S P1.1.3 P2.2.3 E S P3.3.3 E END"},
      // Pages 1 and 2 are read, not drawn; reading stops at page 5's first line.
      {"range 3 to 4 of 6", "1 per 1", Pages(6), 1, 3, 4,
       "S P1.1.3 P2.2.3 P3.3.3 E S P4.4.3 E END"},
      // Page 2 on the first sheet's right half, page 3 on the second's left;
      // the last partial sheet of the range comes out before the end.
      {"range 2 to 3, two per sheet", "2 per 1", Pages(4), 1, 2, 3,
       "S P1.1.3 P2.2.3 E S P3.3.3 E END"},
      // Each copy starts on a sheet of its own, started only for page 2.
      {"range 2 to 3, four per sheet, two copies", "4 per 1", Pages(4), 2, 2, 3,
       "S P1.1.3 P2.2.3 P3.3.3 E P1.1.3 S P2.2.3 P3.3.3 E END"},
      // The sheet started with the job comes out empty at the end of the file.
      {"range after the last page", "1 per 1", Pages(3), 1, 5, 6, "S P1.1.3 P2.2.3 P3.3.3 E END"},
      {"range after the last page, report ending in a page break", "1 per 1", Pages(2) + breakLine,
       1, 5, 6, "S P1.1.3 P2.2.3 E END"},
      {"page-break line starts a new sheet", "2 per 1", Pages(3) + breakLine + Pages(1, 3, 4), 1, 1,
       1000, "S P1.1.3 P2.2.3 E S P3.3.3 E S P1.4.3 E END"},
      {"page-break line in capitals", "1 per 1", Pages(1) + "[PAGE BREAK]\n" + Pages(1), 1, 1, 1000,
       "S P1.1.3 E S P1.2.3 E END"},
      {"page-break line on an empty page does nothing", "2 per 1", breakLine + Pages(2), 1, 1, 1000,
       "S P1.1.3 P2.2.3 E END"},
      {"empty report", "1 per 1", "", 1, 1, 1000, "S CLOSE"},
      {"report of picture lines only", "1 per 1", "$$$A.EMF  1  1  2  2\n", 1, 1, 1000, "S CLOSE"},
      {"last line without line end is not printed", "1 per 1",
       PageLine("ONE", '1') + PageLine("TWO").substr(0, 40), 1, 1, 1000, "S P1.1.1 E END"},
      {"a lone unended line is no page", "1 per 1", "TEXT", 1, 1, 1000, "S CLOSE"},
      {"a page of 70 lines prints 61", "1 per 1", Pages(1, 70), 1, 1, 1000, "S P1.1.61 E END"},
      {"marker line is a text line of its page", "1 per 1",
       PageLine("A", '1') + "[Section End]\n" + PageLine("B"), 1, 1, 1000, "S P1.1.3 E END"},
  };
  for (const SheetCase& c : cases) {
    SCOPED_TRACE(c.name);
    ResetPrintState();
    fake_ = Fake{};
    fake_.copies = c.copies;
    fake_.first = c.first;
    fake_.last = c.last;
    SetPrintStepsForTests(&kFakeSteps);
    EXPECT_EQ(Print(c.report, c.format), c.trace);
  }
}

TEST_F(PrintSheetsTest, FailedStepsEndTheJobWithoutReadingFurther) {
  const struct {
    const char* name;
    bool failInit;
    int failStartAt, failEndAt;
    const char* trace;
  } cases[] = {
      {"initialisation fails", true, 0, 0, ""},
      {"first sheet cannot start", false, 1, 0, "S!"},
      {"second sheet cannot start", false, 2, 0, "S P1.1.3 E S!"},
      {"first sheet cannot end", false, 0, 1, "S P1.1.3 E!"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ResetPrintState();
    fake_ = Fake{};
    fake_.failInit = c.failInit;
    fake_.failStartAt = c.failStartAt;
    fake_.failEndAt = c.failEndAt;
    SetPrintStepsForTests(&kFakeSteps);
    EXPECT_EQ(Print(Pages(3)), c.trace);
  }
}

TEST_F(PrintSheetsTest, MissingReportClosesTheJob) {
  EXPECT_EQ(PrintReport(nullptr, nullptr, (input_ + "NONE.KVO").c_str(), 0), 0);
  EXPECT_EQ(fake_.trace, "S CLOSE");
  // The second copy's report is gone: the first copy's sheet was ended, so
  // the job is closed (EndDoc) rather than "END"ed. The first copy stops after
  // page 1 of two per sheet, and its sheet is ended once the report is closed.
  ResetPrintState();
  fake_ = Fake{};
  fake_.copies = 2;
  fake_.last = 1;
  const std::string path = WriteReport("GONE.KVO", Pages(2));
  static std::string s_path;
  s_path = path;
  static const PrintSteps deleting = {FakeCommand, FakeStart,
                                      [](void* owner) {
                                        const int32_t r = FakeEnd(owner);
                                        EXPECT_TRUE(os::RemoveFile(s_path.c_str()));
                                        return r;
                                      },
                                      FakeClose};
  SetPrintStepsForTests(&deleting);
  SetPrintFormat("2 per 1");
  PrintReport(nullptr, nullptr, path.c_str(), 0);
  EXPECT_EQ(fake_.trace, "S P1.1.3 E CLOSE");
  EXPECT_EQ(g_printJob.sheetsEnded, 1);
}

TEST_F(PrintSheetsTest, PlainTextKeepsEveryLineOfALongPage) {
  SelectPrintTextMode(1);
  EXPECT_EQ(Print(Pages(1, 70)), "S P1.1.61 E S P2.2.9 E END");
  ASSERT_EQ(fake_.pages.size(), 2u);
  // The 62nd line is the first row of the second page.
  EXPECT_EQ(std::string(fake_.pages[1].text, 14), "PAGE 1 LINE 62");
}

TEST_F(PrintSheetsTest, PageLinesAreSplitAtTheirLastTab) {
  const std::string markers = std::string(9, ' ') + "}";
  const std::string report = PageLine("TOTAL      12", 'u', markers) +
                             "SHORT\tX\tY\n";  // fewer than 80 before the last TAB
  Print(report);
  ASSERT_EQ(fake_.pages.size(), 1u);
  const PageBuffer& b = fake_.pages[0];
  EXPECT_EQ(std::string(b.text, 13), "TOTAL      12");
  EXPECT_EQ(b.text[79], 'u');
  EXPECT_EQ(std::string(b.markers, 10), markers);
  EXPECT_EQ(b.markers[79], 'u');
  // The short line keeps its TABs as text and has no markers; its control is
  // the character after its last TAB.
  EXPECT_EQ(std::string(b.text + 80, 9), "SHORT\tX\tY");
  EXPECT_EQ(b.text[80 + 79], 'Y');
  EXPECT_EQ(std::string(b.markers + 80, 79), std::string(79, ' '));
}

TEST_F(PrintSheetsTest, PicturesGoOnTheRowOfTheNextTextLine) {
  const std::string report =
      "$$$A.KFD  1  1 10  5\n"
      "$$$logo.emf  2  2  9  9\n" +
      PageLine("ONE", '1') + PageLine("TWO") + "$$$b.kfd  3  1  4  2\n" + PageLine("THREE") +
      PageLine("NEXT", '1');
  Print(report);
  ASSERT_EQ(fake_.pages.size(), 2u);
  const PageBuffer& b = fake_.pages[0];
  ASSERT_EQ(b.pictureCount, 3);
  // A drawing names the report's own drawing file, numbered in the copy.
  EXPECT_STREQ(b.pictureRefs[0], "REP.KFD  1  1 10  5");
  EXPECT_EQ(b.drawingNumbers[0], 1);
  EXPECT_EQ(b.pictureRows[0], 0);
  EXPECT_STREQ(b.pictureRefs[1], "logo.emf  2  2  9  9");
  EXPECT_EQ(b.drawingNumbers[1], 0);
  EXPECT_EQ(b.pictureRows[1], 0);
  EXPECT_STREQ(b.pictureRefs[2], "REP.KFD  3  1  4  2");
  EXPECT_EQ(b.drawingNumbers[2], 2);
  EXPECT_EQ(b.pictureRows[2], 2);
  // The next page starts with an empty picture list.
  EXPECT_EQ(fake_.pages[1].pictureCount, 0);
}

TEST_F(PrintSheetsTest, EveryDrawingLineCountsAndAnEleventhIsText) {
  std::string report;
  for (int i = 1; i <= 12; ++i) report += "$$$D" + std::to_string(i) + ".KFD  1  1  2  2\n";
  report += PageLine("NEXT PAGE", '1');
  Print(report);
  ASSERT_EQ(fake_.pages.size(), 2u);
  // The 11th picture line is the first page's text line and carries the first
  // ten pictures; the 12th goes with the next text line, on the next page.
  // The 11th still counts as a drawing of the drawing file, so the 12th is
  // drawing 12.
  const PageBuffer& first = fake_.pages[0];
  EXPECT_EQ(std::string(first.text, 17), "$$$D11.KFD  1  1 ");
  ASSERT_EQ(first.pictureCount, 10);
  for (int k = 0; k < 10; ++k) {
    EXPECT_EQ(first.drawingNumbers[k], k + 1) << k;
    EXPECT_EQ(first.pictureRows[k], 0) << k;
  }
  const PageBuffer& second = fake_.pages[1];
  ASSERT_EQ(second.pictureCount, 1);
  EXPECT_EQ(second.drawingNumbers[0], 12);
  EXPECT_EQ(second.pictureRows[0], 0);
  EXPECT_EQ(std::string(second.text, 9), "NEXT PAGE");
}

// Page lines whose text begins "$$$" or "[Page break]" are printed as the
// text they are: no picture, no drawing number, no page ended.
TEST_F(PrintSheetsTest, PageRowsThatBeginLikeOtherLinesAreText) {
  const std::string report = "$$$logo.emf  1  1  2  2\n" +
                             PageLine("$$$A.KFD  1  1  2  2", '1', "  {") +
                             PageLine("[Page break]") + PageLine("[PAGE BREAK]") +
                             "$$$B.KFD  3  3  4  4\n" + PageLine("LAST");
  EXPECT_EQ(Print(report), "S P1.1.4 E END");
  ASSERT_EQ(fake_.pages.size(), 1u);
  const PageBuffer& b = fake_.pages[0];
  EXPECT_EQ(std::string(b.text, 20), "$$$A.KFD  1  1  2  2");
  EXPECT_EQ(b.text[79], '1');
  EXPECT_EQ(std::string(b.markers, 3), "  {");
  EXPECT_EQ(std::string(b.text + 80, 12), "[Page break]");
  EXPECT_EQ(std::string(b.text + 160, 12), "[PAGE BREAK]");
  EXPECT_EQ(std::string(b.text + 240, 4), "LAST");
  ASSERT_EQ(b.pictureCount, 2);
  EXPECT_STREQ(b.pictureRefs[0], "logo.emf  1  1  2  2");
  EXPECT_EQ(b.pictureRows[0], 0);
  // The report's first drawing line.
  EXPECT_STREQ(b.pictureRefs[1], "REP.KFD  3  3  4  4");
  EXPECT_EQ(b.drawingNumbers[1], 1);
  EXPECT_EQ(b.pictureRows[1], 3);
}

TEST_F(PrintSheetsTest, ADrawingOfALongReportNameIsKeptWhole) {
  const std::string stem(200, 'R');
  SetPrintFormat("1 per 1");
  const std::string path = WriteReport(stem + ".KVO", "$$$X.KFD 12 10 40 20\n" + PageLine("ONE"));
  PrintReport(nullptr, nullptr, path.c_str(), 0);
  ASSERT_EQ(fake_.pages.size(), 1u);
  EXPECT_EQ(std::string(fake_.pages[0].pictureRefs[0]), stem + ".KFD 12 10 40 20");
}

TEST_F(PrintSheetsTest, ADrawingOfALongReportNameLoads) {
  // What the job hands the page drawing for a drawing line (the report's own
  // drawing file and the line's numbers) loads however long the name; the
  // drawing is looked for in the current folder first, here the job's folder.
  const struct {
    const char* name;
    std::string stem;
    std::string line;     // the picture line
    std::string numbers;  // what follows the drawing file's name
  } cases[] = {
      {"a file name of 64 characters, numbers spread out", std::string(60, 'R'),
       "$$$X.KFD  12  10  40  20", "  12  10  40  20"},
      {"a file name of 200 characters", std::string(196, 'S'), "$$$X.KFD 12 10 40 20",
       " 12 10 40 20"},
  };
  SetPrintFormat("1 per 1");
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(NativeFolder(input_));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fake_.pages.clear();
    ASSERT_TRUE(testing_support::WriteFileBytes(input_ + c.stem + ".KFD", DrawingBytes(3, 0)));
    const std::string path = WriteReport(c.stem + ".KVO", c.line + "\n" + PageLine("ONE"));
    PrintReport(nullptr, nullptr, path.c_str(), 0);
    if (fake_.pages.size() != 1u || fake_.pages[0].pictureCount != 1) {
      ADD_FAILURE() << "no page with one picture";
      continue;
    }
    const PageBuffer& page = fake_.pages[0];
    EXPECT_EQ(std::string(page.pictureRefs[0]), c.stem + ".KFD" + c.numbers);
    PictureSlot slot = {};
    EXPECT_EQ(LoadPicture(&slot, page.pictureRefs[0], page.pictureRows[0] * kPageColumns,
                          page.drawingNumbers[0]),
              1);
    EXPECT_EQ(slot.kind, kPictureDrawing);
    EXPECT_EQ(slot.drawing.recordCount, 3);
    // Columns 12 to 40 of rows 10 to 20, counted from the page's first line.
    EXPECT_EQ(slot.firstCell, 9 * 80 + 11);
    EXPECT_EQ(slot.lastCell, 19 * 80 + 39);
    FreePicture(&slot);
  }
  std::filesystem::current_path(before);
}

TEST_F(PrintSheetsTest, EachCopyNumbersItsDrawingsAfresh) {
  fake_.copies = 2;
  Print("$$$A.KFD  1  1  2  2\n" + PageLine("ONE") + "$$$B.KFD  1  1  2  2\n" +
        PageLine("TWO", '1'));
  ASSERT_EQ(fake_.pages.size(), 4u);
  EXPECT_EQ(fake_.pages[2].drawingNumbers[0], 1);
  EXPECT_EQ(fake_.pages[3].drawingNumbers[0], 2);
}

}  // namespace

namespace {

TEST(PrintedPictures, ADrawingAtOrBelowThePagesLastLineMovesToThe62ndRow) {
  const struct {
    const char* name;
    int32_t kind, firstCell, lines, expectedFirst;
  } cases[] = {
      {"drawing above the last line stays", kPictureDrawing, 3 * 80 + 5, 5, 3 * 80 + 5},
      {"drawing on the last line moves", kPictureDrawing, 4 * 80 + 5, 5, 61 * 80 + 5},
      {"drawing below the last line moves", kPictureDrawing, 9 * 80 + 7, 5, 61 * 80 + 7},
      {"metafile on the last line stays", kPictureEnhanced, 4 * 80 + 5, 5, 4 * 80 + 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PictureSlot slot = {};
    slot.kind = c.kind;
    slot.firstCell = c.firstCell;
    slot.lastCell = 2000;
    MovePictureBelowText(&slot, c.lines);
    EXPECT_EQ(slot.firstCell, c.expectedFirst);
    EXPECT_EQ(slot.lastCell, 2000);
  }
}

}  // namespace
