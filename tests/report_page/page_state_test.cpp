#include "report/page/page_state.h"

#include <gtest/gtest.h>

#include <cstring>

#include "entry/library_reset.h"

namespace {

class PageStateTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetLibraryForTests(); }
  void TearDown() override { ResetLibraryForTests(); }
};

TEST_F(PageStateTest, LoadTimeValues) {
  EXPECT_EQ(g_pageRender.pagesPerSheet, 1);
  EXPECT_EQ(g_pageRender.plainTextMode, 0);
  EXPECT_STREQ(g_pageRender.pageFaceName, "Arial");
  EXPECT_EQ(g_pageRender.pageColumns, 80);
  EXPECT_EQ(GetReferenceDC(), nullptr);
}

TEST_F(PageStateTest, PrintTextModeSetsFaceOnlyForItsTwoModes) {
  SelectPrintTextMode(1);
  EXPECT_EQ(g_pageRender.plainTextMode, 1);
  EXPECT_STREQ(g_pageRender.pageFaceName, "Courier New");
  // Any other mode changes only the mode.
  SelectPrintTextMode(2);
  EXPECT_EQ(g_pageRender.plainTextMode, 2);
  EXPECT_STREQ(g_pageRender.pageFaceName, "Courier New");
  EXPECT_EQ(g_pageRender.pageColumns, 80);
  SelectPrintTextMode(0);
  EXPECT_STREQ(g_pageRender.pageFaceName, "Arial");
}

// Offsets in cells for page s on its sheet, print and preview.
TEST_F(PageStateTest, SheetOffsetsByPlaceOnTheSheet) {
  struct Case {
    int32_t perSheet, sequence;
    SheetUse use;
    int32_t x, y;
    bool frame;
  };
  const Case cases[] = {
      {1, 1, SheetUse::kPrint, 0, 0, false},   {1, 2, SheetUse::kPreview, 0, 0, false},
      {2, 1, SheetUse::kPrint, 5, 3, true},    {2, 1, SheetUse::kPreview, 6, 3, true},
      {2, 2, SheetUse::kPrint, 4, 3, false},   {2, 2, SheetUse::kPreview, 4, 3, false},
      {2, 3, SheetUse::kPrint, 5, 3, true},    {4, 1, SheetUse::kPrint, 7, 3, true},
      {4, 1, SheetUse::kPreview, 8, 3, true},  {4, 2, SheetUse::kPrint, 4, 3, false},
      {4, 3, SheetUse::kPrint, 7, 2, false},   {4, 3, SheetUse::kPreview, 8, 2, false},
      {4, 4, SheetUse::kPreview, 4, 2, false}, {4, 5, SheetUse::kPrint, 7, 3, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.perSheet << " per sheet, page " << c.sequence
                                      << (c.use == SheetUse::kPreview ? " preview" : " print"));
    SetSheetOffset(c.perSheet, c.sequence, c.use);
    EXPECT_EQ(g_pageRender.sheetOffsetX, c.x);
    EXPECT_EQ(g_pageRender.sheetOffsetY, c.y);
    EXPECT_EQ(StartsSheetWithFrame(c.perSheet, c.sequence), c.frame);
  }
}

TEST_F(PageStateTest, ReleaseForgetsEveryFontAndResetClearsTheBuffer) {
  std::memset(g_pageBuffer.text, 'A', sizeof g_pageBuffer.text);
  g_pageBuffer.pictureCount = 3;
  ReleasePageFonts();
  for (void* font : g_pageRender.fonts) EXPECT_EQ(font, nullptr);
  ResetPageStateForTests();
  EXPECT_EQ(g_pageBuffer.pictureCount, 0);
  EXPECT_EQ(g_pageBuffer.text[0], '\0');
}

}  // namespace
