// Setting the page state aside while something else draws pages, and
// putting it back: every piece comes back as it was, and the fonts are out
// of reach meanwhile, so that the drawing makes fonts of its own instead of
// replacing (and deleting) these. Real fonts are checked under Wine
// (tests/report_print/print_while_painting_test_win32.cpp).
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "entry/library_reset.h"
#include "report/page/page_state.h"
#include "report_base/drawing_tools.h"

namespace {

class PageStateAsideTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetLibraryForTests(); }
  void TearDown() override { ResetLibraryForTests(); }
};

// Every byte of the page buffer, every setting, the target and the flag
// made different from what a drawing would set.
void FillPageState(char fill, int32_t n, void* reference, int32_t target) {
  std::memset(&g_pageBuffer, fill, sizeof g_pageBuffer);
  SelectPrintTextMode(n % 2);
  g_pageRender.pagesPerSheet = n;
  g_pageRender.pageColumns = 70 + n;
  g_pageRender.sheetOffsetX = n + 1;
  g_pageRender.sheetOffsetY = n + 2;
  g_pageRender.cellSize = {n + 30, n + 40};
  g_pageRender.referenceDC = reference;
  g_drawingState.renderTarget = target;
  g_drawingState.pagePictureFlag = n % 2;
}

TEST_F(PageStateAsideTest, EveryPieceComesBackAndTheFontsAreOutOfReachMeanwhile) {
  int jobReference = 0;
  int otherReference = 0;
  FillPageState('J', 2, &jobReference, kRenderMetafile);
  auto before = std::make_unique<PageBuffer>(g_pageBuffer);
  const PageRenderState renderBefore = g_pageRender;

  auto saved = std::make_unique<SavedPageState>();
  SetPageStateAside(saved.get());
  for (void* font : g_pageRender.fonts) EXPECT_EQ(font, nullptr);
  // What the drawing meanwhile changes.
  FillPageState('P', 5, &otherReference, kRenderWindow);
  RestorePageState(*saved);

  EXPECT_EQ(std::memcmp(before.get(), &g_pageBuffer, sizeof g_pageBuffer), 0);
  EXPECT_EQ(g_pageRender.pagesPerSheet, 2);
  EXPECT_EQ(g_pageRender.plainTextMode, 0);
  EXPECT_STREQ(g_pageRender.pageFaceName, "Arial");
  EXPECT_EQ(g_pageRender.pageColumns, 72);
  EXPECT_EQ(g_pageRender.sheetOffsetX, 3);
  EXPECT_EQ(g_pageRender.sheetOffsetY, 4);
  EXPECT_EQ(g_pageRender.cellSize.w, 32);
  EXPECT_EQ(g_pageRender.cellSize.h, 42);
  EXPECT_EQ(g_pageRender.referenceDC, &jobReference);
  EXPECT_EQ(std::memcmp(&renderBefore, &g_pageRender, sizeof g_pageRender), 0);
  EXPECT_EQ(g_drawingState.renderTarget, kRenderMetafile);
  EXPECT_EQ(g_drawingState.pagePictureFlag, 0);
}

}  // namespace
