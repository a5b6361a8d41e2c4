// The preview draws its pages with settings of its own and leaves the shared
// page state as it found it: a print job whose abort procedure lets the host
// repaint the preview or copy a view finds its PageBuffer, pages per sheet,
// cell size, sheet offset, target and reference DC again. The drawing itself
// is checked under Wine (tests/report_print/print_while_painting_test_win32);
// here, on both builds, what the preview's page drawing leaves behind.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "report/preview/preview_render.h"
#include "report_preview/preview_fixture.h"

namespace {

// A job's page state in the middle of a job: text and markers of its own
// page, a picture, two pages to a sheet on the printer, its own cells.
void SetUpJobState() {
  std::memset(g_pageBuffer.text, 'J', sizeof g_pageBuffer.text);
  std::memset(g_pageBuffer.markers, '}', sizeof g_pageBuffer.markers);
  g_pageBuffer.pictureCount = 1;
  std::strcpy(g_pageBuffer.pictureRefs[0], "JOB.EMF 1 1 10 10");
  g_pageBuffer.pictureRows[0] = 7;
  g_pageBuffer.drawingNumbers[0] = 3;
  g_pageRender.pagesPerSheet = 2;
  g_pageRender.sheetOffsetX = 4;
  g_pageRender.sheetOffsetY = 3;
  g_pageRender.cellSize = {41, 53};
  g_drawingState.renderTarget = kRenderPrinter;
  g_drawingState.pagePictureFlag = 0;
}

struct StateCopy {
  PageBuffer buffer;
  PageRenderState render;
  int32_t renderTarget;
  int32_t pagePictureFlag;
};

std::unique_ptr<StateCopy> CopyState() {
  auto copy = std::make_unique<StateCopy>();
  std::memcpy(&copy->buffer, &g_pageBuffer, sizeof g_pageBuffer);
  copy->render = g_pageRender;
  copy->renderTarget = g_drawingState.renderTarget;
  copy->pagePictureFlag = g_drawingState.pagePictureFlag;
  return copy;
}

void ExpectState(const StateCopy& before) {
  EXPECT_EQ(std::memcmp(&before.buffer, &g_pageBuffer, sizeof g_pageBuffer), 0);
  EXPECT_EQ(before.render.pagesPerSheet, g_pageRender.pagesPerSheet);
  EXPECT_EQ(before.render.sheetOffsetX, g_pageRender.sheetOffsetX);
  EXPECT_EQ(before.render.sheetOffsetY, g_pageRender.sheetOffsetY);
  EXPECT_EQ(before.render.cellSize.w, g_pageRender.cellSize.w);
  EXPECT_EQ(before.render.cellSize.h, g_pageRender.cellSize.h);
  EXPECT_EQ(before.render.referenceDC, g_pageRender.referenceDC);
  EXPECT_EQ(std::memcmp(&before.render, &g_pageRender, sizeof g_pageRender), 0);
  EXPECT_EQ(before.renderTarget, g_drawingState.renderTarget);
  EXPECT_EQ(before.pagePictureFlag, g_drawingState.pagePictureFlag);
}

class PreviewDrawingAsideTest : public PreviewTest {
 protected:
  void Load(const char* format, int pages) {
    SetPrintFormat(format);
    std::string report;
    for (int p = 1; p <= pages; ++p) report += "$$$BOX.EMF 41  1 80 20\n" + Pages(1, 30, p);
    const std::string path = WriteReport("PREVIEW.KVO", report);
    ASSERT_EQ(PreviewReport(nullptr, nullptr, path.c_str()), 1);
  }
};

TEST_F(PreviewDrawingAsideTest, DrawingAViewLeavesTheJobsPageStateAsItFoundIt) {
  Load("4 per 1", 6);
  int reference = 0;  // stands for the screen DC a clipboard copy measures on
  const struct {
    const char* name;
    void (*draw)(int* reference);
  } cases[] = {
      {"view 1 as the window shows it", [](int*) { RenderPreviewPages(nullptr, nullptr, 1); }},
      {"view 0's first page on a metafile",
       [](int* ref) {
         RenderStoredPagesAside(nullptr, nullptr, 0, 1, PreviewDrawing{1, kRenderMetafile, ref});
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetUpJobState();
    const std::unique_ptr<StateCopy> before = CopyState();
    c.draw(&reference);
    ExpectState(*before);
  }
}

TEST_F(PreviewDrawingAsideTest, ThePreviewKeepsThePagesPerSheetOfItsViews) {
  Load("2 per 1", 5);
  EXPECT_EQ(g_preview.pagesPerSheet, 2);
  EXPECT_EQ(g_preview.viewCount, 3);
  // A load that cannot open its report changes no view, although it read
  // another pages per sheet.
  SetPrintFormat("4 per 1");
  EXPECT_EQ(PreviewReport(nullptr, nullptr, (input_ + "MISSING.KVO").c_str()), 0);
  EXPECT_EQ(g_pageRender.pagesPerSheet, 4);
  EXPECT_EQ(g_preview.pagesPerSheet, 2);
  EXPECT_EQ(g_preview.viewCount, 3);
  // The metafile load makes views of one page.
  const std::string path = WriteReport("ONE.KVO", Pages(3));
  EXPECT_EQ(LoadReportForMetafile(path.c_str()), 0);
  EXPECT_EQ(g_preview.pagesPerSheet, 1);
  EXPECT_EQ(g_preview.viewCount, 3);
}

}  // namespace
