// The preview's page store: loading a report into blocks, views of 1, 2 or 4
// pages, the limits of the store and what a load leaves behind it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "report_preview/preview_fixture.h"

namespace {

constexpr unsigned kStop = 0x10;

TEST_F(PreviewTest, ViewsHoldPagesPerSheetPages) {
  const struct {
    const char* name;
    const char* format;
    std::string report;
    int stored, views;
    std::vector<int> lineCounts;
  } cases[] = {
      {"one per sheet", "1 per 1", Pages(3), 3, 3, {3, 3, 3}},
      {"five pages two per sheet", "2 per 1", Pages(5), 5, 3, {3, 3, 3, 3, 3}},
      // A page-break line after page 3 fills the sheet with one empty page.
      {"page break fills the sheet",
       "4 per 1",
       Pages(3) + "[Page break]\n" + Pages(1, 2, 4),
       5,
       2,
       {3, 3, 3, 0, 2}},
      {"page break in capitals, two per sheet",
       "2 per 1",
       Pages(1) + "[PAGE BREAK]\n" + Pages(1),
       3,
       2,
       {3, 0, 3}},
      {"a page of 70 lines keeps 61", "1 per 1", Pages(1, 70), 1, 1, {61}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ResetPreview();
    SetPrintFormat(c.format);
    const std::string path = WriteReport("REP.KVO", c.report);
    EXPECT_EQ(PreviewReport(nullptr, nullptr, path.c_str()), 1);
    EXPECT_EQ(g_preview.pagesStored, c.stored);
    EXPECT_EQ(g_preview.viewCount, c.views);
    EXPECT_EQ(g_preview.currentView, 0);
    EXPECT_EQ(g_drawingState.renderTarget, kRenderWindow);
    for (size_t i = 0; i < c.lineCounts.size(); ++i) {
      EXPECT_EQ(g_preview.records[i].lineCount, c.lineCounts[i]) << "record " << i;
      EXPECT_EQ(g_preview.records[i].block != nullptr, c.lineCounts[i] > 0) << "record " << i;
    }
    EXPECT_TRUE(messages_.empty());
  }
}

// Page lines whose text begins "$$$" or "[Page break]" are previewed as the
// text they are: no picture, no drawing number, no page ended.
TEST_F(PreviewTest, PageRowsThatBeginLikeOtherLinesAreText) {
  const std::string report = "$$$logo.emf  1  1  2  2\n" +
                             PageLine("$$$A.KFD  1  1  2  2", '1', "  {") +
                             PageLine("[Page break]") + PageLine("[PAGE BREAK]") +
                             "$$$B.KFD  3  3  4  4\n" + PageLine("LAST");
  const std::string path = WriteReport("REP.KVO", report);
  ASSERT_EQ(LoadReportPages(nullptr, path.c_str()), 1);
  EXPECT_EQ(g_preview.pagesStored, 1);
  const PageRecord& r = g_preview.records[0];
  ASSERT_EQ(r.lineCount, 4);
  EXPECT_EQ(StoredRow(0, 0).substr(0, 20), "$$$A.KFD  1  1  2  2");
  EXPECT_EQ(StoredRow(0, 0)[79], '1');
  EXPECT_EQ(std::string(r.address + 4 * 80, 3), "  {");
  EXPECT_EQ(StoredRow(0, 1).substr(0, 12), "[Page break]");
  EXPECT_EQ(StoredRow(0, 2).substr(0, 12), "[PAGE BREAK]");
  EXPECT_EQ(StoredRow(0, 3).substr(0, 4), "LAST");
  ASSERT_EQ(r.pictureCount, 2);
  const char* refs = r.address + 8 * 80;
  EXPECT_STREQ(refs, "logo.emf  1  1  2  2");
  EXPECT_EQ(r.pictureRows[0], 0);
  // The report's first drawing line.
  EXPECT_STREQ(refs + kPagePictureRefSize, "REP.KFD  3  3  4  4");
  EXPECT_EQ(r.drawingNumbers[1], 1);
  EXPECT_EQ(r.pictureRows[1], 3);
  EXPECT_TRUE(messages_.empty());
}

TEST_F(PreviewTest, PagesAreStoredRowsThenMarkersThenPictures) {
  const std::string markers = std::string(12, ' ') + "}";
  const std::string report = "$$$LOGO.EMF  1  1 10  3\n" +
                             PageLine("TOTAL ..... 12", '1', markers) + "SHORT\tX\tY\n" +
                             "$$$A.KFD  2  2  9  9\n" + PageLine("LAST");
  const std::string path = WriteReport("REP.V2.KVO", report);
  ASSERT_EQ(LoadReportPages(nullptr, path.c_str()), 1);
  const PageRecord& r = g_preview.records[0];
  ASSERT_EQ(r.lineCount, 3);
  ASSERT_EQ(r.pictureCount, 2);
  EXPECT_EQ(PageBlockSize(3, 2), 3 * 160 + 2 * kPagePictureRefSize);
  EXPECT_EQ(StoredRow(0, 0).substr(0, 14), "TOTAL ..... 12");
  EXPECT_EQ(StoredRow(0, 0)[79], '1');
  // Split at the first TAB: fewer than 80 characters before it keep the TAB.
  EXPECT_EQ(StoredRow(0, 1).substr(0, 9), "SHORT\tX\tY");
  EXPECT_EQ(StoredRow(0, 1)[79], 'X');
  EXPECT_EQ(std::string(r.address + 3 * 80, 13), markers);
  EXPECT_EQ(std::string(r.address + 4 * 80, 79), std::string(79, ' '));
  const char* refs = r.address + 6 * 80;
  EXPECT_STREQ(refs, "LOGO.EMF  1  1 10  3");
  // A drawing takes the report's name up to its first point.
  EXPECT_STREQ(refs + kPagePictureRefSize, "REP.KFD  2  2  9  9");
  EXPECT_EQ(r.pictureRows[0], 0);
  EXPECT_EQ(r.pictureRows[1], 2);
  EXPECT_EQ(r.drawingNumbers[0], 0);
  EXPECT_EQ(r.drawingNumbers[1], 1);

  ASSERT_TRUE(CopyStoredPage(0));
  EXPECT_EQ(std::string(g_pageBuffer.text + 160, 4), "LAST");
  EXPECT_EQ(g_pageBuffer.pictureCount, 2);
  EXPECT_STREQ(g_pageBuffer.pictureRefs[1], "REP.KFD  2  2  9  9");
}

TEST_F(PreviewTest, ADrawingOfALongReportNameLoads) {
  // A drawing line names the report's own drawing file, followed by the
  // line's numbers; the drawing is looked for in the current folder first,
  // here the job's folder. However long the name, the drawing loads.
  const struct {
    const char* name;
    std::string stem;
    std::string line;     // the picture line
    std::string numbers;  // what follows the drawing file's name
  } cases[] = {
      {"a file name of 64 characters, numbers spread out", std::string(60, 'R'),
       "$$$X.KFD   1   1  40  20", "   1   1  40  20"},
      {"a file name of 150 characters", std::string(146, 'S'), "$$$X.KFD  1  1 40 20",
       "  1  1 40 20"},
  };
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(NativeFolder(input_));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ResetPreview();
    ASSERT_TRUE(testing_support::WriteFileBytes(input_ + c.stem + ".KFD", DrawingBytes(3, 0)));
    const std::string path =
        WriteReport(c.stem + ".KVO", c.line + "\n" + PageLine("TITLE", '1') + PageLine("ONE"));
    EXPECT_EQ(LoadReportPages(nullptr, path.c_str()), 1);
    if (!CopyStoredPage(0) || g_pageBuffer.pictureCount != 1) {
      ADD_FAILURE() << "no page with one picture";
      continue;
    }
    EXPECT_EQ(std::string(g_pageBuffer.pictureRefs[0]), c.stem + ".KFD" + c.numbers);
    PictureSlot slot = {};
    EXPECT_EQ(
        LoadPicture(&slot, g_pageBuffer.pictureRefs[0], g_pageBuffer.pictureRows[0] * kPageColumns,
                    g_pageBuffer.drawingNumbers[0]),
        1);
    EXPECT_EQ(slot.kind, kPictureDrawing);
    EXPECT_EQ(slot.drawing.recordCount, 3);
    // Columns 1 to 40 of rows 1 to 20, counted from the page's first line.
    EXPECT_EQ(slot.firstCell, 0);
    EXPECT_EQ(slot.lastCell, 19 * 80 + 39);
    FreePicture(&slot);
  }
  std::filesystem::current_path(before);
}

TEST_F(PreviewTest, NothingToShowLoadsNothingSilently) {
  const struct {
    const char* name;
    std::string report;
  } cases[] = {
      {"empty", ""},
      {"picture lines only", "$$$A.EMF  1  1  2  2\n"},
      {"page break only", "[Page break]\n"},
      {"unended last line", "TEXT WITHOUT END"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ResetPreview();
    const std::string path = WriteReport("REP.KVO", c.report);
    EXPECT_EQ(PreviewReport(nullptr, nullptr, path.c_str()), 0);
    EXPECT_EQ(g_preview.viewCount, 0);
    EXPECT_EQ(LoadReportForMetafile(path.c_str()), -1);
    EXPECT_TRUE(messages_.empty());
  }
}

TEST_F(PreviewTest, AMissingReportSaysSoAndKeepsThePreview) {
  SetPrintFormat("2 per 1");
  const std::string path = WriteReport("REP.KVO", Pages(3));
  ASSERT_EQ(PreviewReport(nullptr, nullptr, path.c_str()), 1);
  g_preview.currentView = 1;
  int owner = 0;
  EXPECT_EQ(PreviewReport(&owner, nullptr, (input_ + "NONE.KVO").c_str()), 0);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text, "File not found");
  EXPECT_EQ(messages_[0].title, "Error");
  EXPECT_EQ(messages_[0].flags, kStop);
  EXPECT_EQ(messages_[0].owner, &owner);
  EXPECT_EQ(g_preview.viewCount, 2);
  EXPECT_EQ(g_preview.currentView, 1);
  EXPECT_EQ(StoredRow(2, 0).substr(0, 13), "PAGE 3 LINE 1");

  EXPECT_EQ(LoadReportForMetafile((input_ + "NONE.KVO").c_str()), -1);
  ASSERT_EQ(messages_.size(), 2u);
  EXPECT_EQ(messages_[1].owner, nullptr);
}

TEST_F(PreviewTest, LoadForMetafileIsOnePerSheet) {
  SetPrintFormat("4 per 1");
  const std::string path = WriteReport("REP.KVO", Pages(3));
  g_drawingState.renderTarget = kRenderPrinter;
  EXPECT_EQ(LoadReportForMetafile(path.c_str()), 0);
  EXPECT_EQ(g_pageRender.pagesPerSheet, 1);
  EXPECT_EQ(g_preview.viewCount, 3);
  EXPECT_EQ(g_drawingState.renderTarget, kRenderWindow);
}

TEST_F(PreviewTest, AShorterReportLeavesNoOlderPageBehind) {
  const std::string longer = WriteReport("LONG.KVO", Pages(5));
  const std::string shorter = WriteReport("SHORT.KVO", Pages(2, 3, 7));
  ASSERT_EQ(PreviewReport(nullptr, nullptr, longer.c_str()), 1);
  ASSERT_EQ(PreviewReport(nullptr, nullptr, shorter.c_str()), 1);
  EXPECT_EQ(g_preview.viewCount, 2);
  EXPECT_EQ(StoredRow(0, 0).substr(0, 6), "PAGE 7");
  for (int i = 2; i < kPageStoreSize; ++i) {
    EXPECT_EQ(g_preview.records[i].lineCount, 0) << i;
    EXPECT_EQ(g_preview.records[i].block, nullptr) << i;
  }
  EXPECT_FALSE(CopyStoredPage(2));
  // Loading the same report again gives the same pages.
  const std::string before = StoredRow(1, 2);
  ASSERT_EQ(PreviewReport(nullptr, nullptr, shorter.c_str()), 1);
  EXPECT_EQ(StoredRow(1, 2), before);
}

TEST_F(PreviewTest, TheStoreKeepsTheFirstHundredPages) {
  const std::string path = WriteReport("REP.KVO", Pages(105, 1));
  EXPECT_EQ(PreviewReport(nullptr, nullptr, path.c_str()), 1);
  EXPECT_EQ(g_preview.pagesStored, 100);
  EXPECT_EQ(g_preview.viewCount, 100);
  EXPECT_EQ(StoredRow(99, 0).substr(0, 8), "PAGE 100");
  EXPECT_TRUE(messages_.empty());
  EXPECT_FALSE(CopyStoredPage(100));
  EXPECT_FALSE(CopyStoredPage(-1));
}

TEST_F(PreviewTest, ABlockThatCannotBeHadEndsTheLoadWithThePagesBefore) {
  const std::string older = WriteReport("OLD.KVO", Pages(5));
  const std::string path = WriteReport("REP.KVO", Pages(4));
  const struct {
    const char* name;
    bool lock;  // the lock fails instead of the allocation
  } cases[] = {{"allocation", false}, {"lock", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ResetPreview();
    messages_.clear();
    ASSERT_EQ(PreviewReport(nullptr, nullptr, older.c_str()), 1);
    // Two pages are stored; the third gets no usable block.
    if (c.lock) {
      os::SetMemLockFailAfter(2);
    } else {
      os::SetMemAllocFailAfter(2);
    }
    EXPECT_EQ(PreviewReport(nullptr, nullptr, path.c_str()), 1);
    os::SetMemLockFailAfter(-1);
    os::SetMemAllocFailAfter(-1);
    EXPECT_EQ(g_preview.pagesStored, 2);
    EXPECT_EQ(g_preview.viewCount, 2);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].text, "Not enough memory to alloacte");
    EXPECT_EQ(messages_[0].title, "Error");
    EXPECT_EQ(messages_[0].flags, kStop);
    EXPECT_EQ(messages_[0].owner, nullptr);
    for (int i = 2; i < 5; ++i) EXPECT_EQ(g_preview.records[i].block, nullptr) << i;
  }
  // With no page stored before the failure the load shows nothing.
  ResetPreview();
  os::SetMemAllocFailAfter(0);
  EXPECT_EQ(PreviewReport(nullptr, nullptr, path.c_str()), 0);
  os::SetMemAllocFailAfter(-1);
  EXPECT_EQ(g_preview.viewCount, 0);
}

TEST_F(PreviewTest, EveryDrawingLineCountsForTheDrawingNumbers) {
  std::string report;
  for (int i = 1; i <= 12; ++i) report += "$$$D" + std::to_string(i) + ".KFD  1  1  2  2\n";
  report += PageLine("NEXT", '1');
  const std::string path = WriteReport("REP.KVO", report);
  ASSERT_EQ(LoadReportPages(nullptr, path.c_str()), 1);
  ASSERT_EQ(g_preview.pagesStored, 2);
  EXPECT_EQ(g_preview.records[0].pictureCount, 10);
  EXPECT_EQ(StoredRow(0, 0).substr(0, 6), "$$$D11");
  ASSERT_EQ(g_preview.records[1].pictureCount, 1);
  EXPECT_EQ(g_preview.records[1].drawingNumbers[0], 12);
}

}  // namespace
