// The shared drawing pens and font are real GDI objects on Windows.
#include <windows.h>

#include <gtest/gtest.h>

#include "report_base/drawing_tools.h"

namespace {

TEST(DrawingTools, PensAreMadeTogetherOnceAndDeleted) {
  ResetDrawingStateForTests();
  MakeDrawingPens();
  HGDIOBJ solid = static_cast<HGDIOBJ>(g_drawingState.solidPen);
  HGDIOBJ dotted = static_cast<HGDIOBJ>(g_drawingState.dottedPen);
  ASSERT_NE(solid, nullptr);
  ASSERT_NE(dotted, nullptr);
  EXPECT_EQ(GetObjectType(solid), static_cast<DWORD>(OBJ_PEN));
  LOGPEN pen = {};
  ASSERT_EQ(GetObject(solid, sizeof pen, &pen), static_cast<int>(sizeof pen));
  EXPECT_EQ(pen.lopnStyle, static_cast<UINT>(PS_SOLID));
  EXPECT_EQ(pen.lopnWidth.x, 10);
  EXPECT_EQ(pen.lopnColor, RGB(0, 0, 0));
  ASSERT_EQ(GetObject(dotted, sizeof pen, &pen), static_cast<int>(sizeof pen));
  EXPECT_EQ(pen.lopnStyle, static_cast<UINT>(PS_DOT));
  EXPECT_EQ(pen.lopnWidth.x, 1);

  MakeDrawingPens();  // the solid pen exists: nothing new is made
  EXPECT_EQ(g_drawingState.solidPen, solid);
  EXPECT_EQ(g_drawingState.dottedPen, dotted);

  DeleteDrawingPens();
  EXPECT_EQ(g_drawingState.solidPen, nullptr);
  EXPECT_EQ(g_drawingState.dottedPen, nullptr);
  EXPECT_EQ(GetObjectType(solid), 0u);
  EXPECT_EQ(GetObjectType(dotted), 0u);
}

TEST(DrawingTools, FontIsDeletedAndForgotten) {
  ResetDrawingStateForTests();
  HFONT font = CreateFontA(20, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
  ASSERT_NE(font, nullptr);
  g_drawingState.drawingFont = font;
  DeleteDrawingFont();
  EXPECT_EQ(g_drawingState.drawingFont, nullptr);
  EXPECT_EQ(GetObjectType(font), 0u);
  DeleteDrawingFont();  // nothing left to delete
}

}  // namespace
