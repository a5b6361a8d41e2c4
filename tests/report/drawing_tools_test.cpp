// The drawing tools' state at load and after a reset.
#include "report_base/drawing_tools.h"

#include <gtest/gtest.h>

namespace {

// What the shared state held before any test changed it: taken during static
// initialisation, after the library's constant-initialised state was set.
const DrawingState kDrawingStateAtLoad = g_drawingState;

TEST(DrawingState, StateAtLoad) {
  EXPECT_EQ(kDrawingStateAtLoad.renderTarget, kRenderPrinter);
  EXPECT_EQ(kDrawingStateAtLoad.pagePictureFlag, 0);
  EXPECT_EQ(kDrawingStateAtLoad.picturesBeforeText, 1);
  EXPECT_EQ(kDrawingStateAtLoad.solidPen, nullptr);
  EXPECT_EQ(kDrawingStateAtLoad.dottedPen, nullptr);
  EXPECT_EQ(kDrawingStateAtLoad.drawingFont, nullptr);
}

TEST(DrawingState, LoadTimeValues) {
  g_drawingState.renderTarget = kRenderWindow;
  g_drawingState.pagePictureFlag = 1;
  g_drawingState.picturesBeforeText = 0;
  ResetDrawingStateForTests();
  EXPECT_EQ(g_drawingState.renderTarget, kRenderPrinter);
  EXPECT_EQ(g_drawingState.pagePictureFlag, 0);
  EXPECT_EQ(g_drawingState.picturesBeforeText, 1);
  EXPECT_EQ(g_drawingState.solidPen, nullptr);
  EXPECT_EQ(g_drawingState.dottedPen, nullptr);
  EXPECT_EQ(g_drawingState.drawingFont, nullptr);
}

}  // namespace
