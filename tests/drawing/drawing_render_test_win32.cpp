// What RenderDrawing records into an enhanced-metafile device context, read
// back by meaning: moves and lines with the pen in use, arcs and ellipses with
// the hollow brush, arrows, texts with their fonts, and the device context's
// own pen, brush and font selected again at the end.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drawing/drawing_render.h"
#include "drawing_test_support.h"
#include "report_base/drawing_tools.h"
#include "support/emf_records_win32.h"

namespace drawing_test {
namespace {

using gdi_test::EmfObject;
using gdi_test::EmfRecord;
using gdi_test::EmfRecording;

// What a drawing recorded, as short event texts, in order:
//   "move X,Y"  "line X,Y PEN"  "arc L,T,R,B X1,Y1 X2,Y2 BRUSH"
//   "ellipse L,T,R,B BRUSH"  "text X,Y 'TEXT' FONT"
// PEN is "solid10", "dot1" or "stockN"; BRUSH "hollow" or "stockN" or
// "brush"; FONT "font(H,ESC,ORIENT,WEIGHT,FACE)" or "stockN". Boxes are as
// recorded (Wine records them normalised, right and bottom less one).
struct Rendering {
  std::vector<std::string> events;
  std::string penAtEnd;
  std::string fontAtEnd;
  std::string brushAtEnd;
  int fontsMade = 0;
  int fontsDeleted = 0;
  std::vector<std::string> fonts;  // every font made, in order
};

std::string Pt(const POINTL& p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

std::string Box(const RECTL& r) { return Pt({r.left, r.top}) + "," + Pt({r.right, r.bottom}); }

std::string StockName(const EmfObject& o) {
  return "stock" + std::to_string(o.handle & ~gdi_test::kStockFlag);
}

std::string PenName(const EmfObject& pen) {
  if (pen.IsStock()) return StockName(pen);
  const std::string style = pen.penStyle == PS_SOLID ? "solid"
                            : pen.penStyle == PS_DOT ? "dot"
                                                     : "style" + std::to_string(pen.penStyle);
  return style + std::to_string(pen.penWidth);
}

std::string BrushName(const EmfObject& brush) {
  if (brush.handle == gdi_test::Stock(NULL_BRUSH)) return "hollow";
  return brush.IsStock() ? StockName(brush) : "brush";
}

std::string FontName(const EmfObject& font) {
  if (font.IsStock()) return StockName(font);
  return "font(" + std::to_string(font.height) + "," + std::to_string(font.escapement) + "," +
         std::to_string(font.orientation) + "," + std::to_string(font.weight) + "," +
         gdi_test::Narrow(font.face) + ")";
}

// Characters past ASCII as "U+" and their decimal number.
std::string Shown(const std::wstring& text) {
  std::string s;
  for (wchar_t c : text) {
    s += c < 128 ? std::string(1, static_cast<char>(c)) : "U+" + std::to_string(int{c});
  }
  return s;
}

Rendering Events(const EmfRecording& recording) {
  Rendering out;
  for (const EmfRecord& r : recording.records) {
    switch (r.type) {
      case EMR_EXTCREATEFONTINDIRECTW:
        out.fonts.push_back(FontName(r.object));
        ++out.fontsMade;
        break;
      case EMR_DELETEOBJECT:
        if (r.object.kind == EmfObject::kFont) ++out.fontsDeleted;
        break;
      case EMR_MOVETOEX:
        out.events.push_back("move " + Pt(r.point));
        break;
      case EMR_LINETO:
        out.events.push_back("line " + Pt(r.point) + " " + PenName(r.state.pen));
        break;
      case EMR_ARC:
        out.events.push_back("arc " + Box(r.box) + " " + Pt(r.start) + " " + Pt(r.end) + " " +
                             BrushName(r.state.brush));
        break;
      case EMR_ELLIPSE:
        out.events.push_back("ellipse " + Box(r.box) + " " + BrushName(r.state.brush));
        break;
      case EMR_EXTTEXTOUTW:
        out.events.push_back("text " + Pt(r.point) + " '" + Shown(r.text) + "' " +
                             FontName(r.state.font));
        break;
      default:
        break;
    }
  }
  out.penAtEnd = PenName(recording.end.pen);
  out.fontAtEnd = FontName(recording.end.font);
  out.brushAtEnd = BrushName(recording.end.brush);
  return out;
}

// Renders the records at scale 10 into a 1000-unit-high frame at the origin.
Rendering Render(const std::string& records, const std::string& strings = "") {
  return Events(gdi_test::RecordEmf([&](HDC dc) {
    RenderDrawing(dc, reinterpret_cast<const unsigned char*>(records.data()),
                  static_cast<int32_t>(records.size() / 25), strings.data(),
                  static_cast<int32_t>(strings.size()), 0, 1000, 0, 0, 10.0f);
  }));
}

void ExpectEvents(const Rendering& got, const std::vector<std::string>& want) {
  EXPECT_EQ(got.events.size(), want.size());
  for (size_t i = 0; i < want.size() || i < got.events.size(); ++i) {
    EXPECT_EQ(i < got.events.size() ? got.events[i] : "(none)",
              i < want.size() ? want[i] : "(none)")
        << "event " << i;
  }
}

class RenderTest : public DrawingTest {};

TEST_F(RenderTest, EveryRecordKindIsDrawnInOrderUpToTheEndRecord) {
  const std::string records = RecordBytes('M', 10, 20) + RecordBytes('D', 30, 20) +
                              RecordBytes('L', 0, 0) + RecordBytes('D', 30, 40) +  // dotted
                              RecordBytes('L', 1.9f, 0) +                          // solid again
                              RecordBytes('C', 50, 50, 10, 0, 90) +                // quarter circle
                              RecordBytes('E', 50, 50, 20, 10, 0, 360) +           // whole ellipse
                              RecordBytes('E', 50, 50, 10, 10, 0, -90) +  // clockwise quarter
                              RecordBytes('A', 10, 10, 20, 10, 1) +  // tail (10, 10), tip (20, 10)
                              RecordBytes('S', 10, 30, 2, 0, 3, 0) +
                              RecordBytes('X', 99, 99) +  // no such record: passed over
                              RecordBytes('T', 0, 0) + RecordBytes('M', 0, 0) +
                              RecordBytes('D', 5, 5);
  const Rendering r = Render(records, "AB\x82");
  ExpectEvents(r, {
                      "move 100,800",
                      "line 300,800 solid10",
                      "line 300,600 dot1",
                      "arc 400,400,599,599 600,500 499,401 hollow",
                      "move 499,401",
                      "ellipse 300,400,699,599 hollow",
                      "move 700,500",
                      // A clockwise arc is drawn from its end radial to its start radial.
                      "arc 400,400,599,599 499,600 600,500 hollow",
                      "move 499,600",
                      "move 100,900",
                      "line 200,900 solid10",
                      "line 198,901 solid10",
                      "line 198,900 solid10",
                      "line 200,900 solid10",
                      "move 200,910",
                      "line 200,890 solid10",
                      // OEM 0x82 is shown as its ANSI letter, e acute.
                      "text 100,676 'ABU+233' font(20,0,0,400,Arial)",
                      "move 100,700",
                  });
  // The device context's own pen, brush and font are selected again, and
  // every drawing font made is deleted.
  EXPECT_EQ(r.penAtEnd, "stock7");
  EXPECT_EQ(r.brushAtEnd, "stock0");
  EXPECT_EQ(r.fontAtEnd, "stock13");
  EXPECT_EQ(r.fontsMade, 2);
  EXPECT_EQ(r.fontsDeleted, 2);
  EXPECT_EQ(g_drawingState.drawingFont, nullptr);
  EXPECT_NE(g_drawingState.solidPen, nullptr);  // the pens stay made
}

TEST_F(RenderTest, LineStyleOneIsSolidAndAnyOtherWholeValueDotted) {
  const Rendering r =
      Render(RecordBytes('D', 1, 0) +                               // the first pen: solid
             RecordBytes('L', 2.0f, 0) + RecordBytes('D', 2, 0) +   // dotted
             RecordBytes('L', 1.0f, 0) + RecordBytes('D', 3, 0) +   // solid
             RecordBytes('L', -1.0f, 0) + RecordBytes('D', 4, 0) +  // dotted
             RecordBytes('L', 1.9f, 0) + RecordBytes('D', 5, 0) +   // truncated to 1: solid
             RecordBytes('L', 0.9f, 0) + RecordBytes('D', 6, 0));   // truncated to 0: dotted
  ExpectEvents(r, {"line 10,1000 solid10", "line 20,1000 dot1", "line 30,1000 solid10",
                   "line 40,1000 dot1", "line 50,1000 solid10", "line 60,1000 dot1"});
  EXPECT_EQ(r.penAtEnd, "stock7");
}

TEST_F(RenderTest, FontsAreMadeOnlyForANewHeightOrAngle) {
  const std::string records = RecordBytes('S', 10, 30, 2, 0, 2, 0) +      // "ab"
                              RecordBytes('S', 10, 50, 2, 0, 2, 2) +      // "cd": same font
                              RecordBytes('S', 10, 30, 2, 90, 2, 4) +     // "ef": turned
                              RecordBytes('S', 10, 30, 2, 45.9f, 1, 6) +  // "g": 45 degrees
                              RecordBytes('S', 10, 30, 3, 45, 1, 7);      // "h": higher
  const Rendering r = Render(records, "abcdefgh");
  ASSERT_EQ(r.fonts.size(), 5u);
  EXPECT_EQ(r.fonts[0], "font(100,0,0,400,Arial)");  // the first font of every drawing
  EXPECT_EQ(r.fonts[1], "font(20,0,0,400,Arial)");
  EXPECT_EQ(r.fonts[2], "font(20,900,900,400,Arial)");
  EXPECT_EQ(r.fonts[3], "font(20,450,450,400,Arial)");
  EXPECT_EQ(r.fonts[4], "font(30,450,450,400,Arial)");
  ASSERT_GE(r.events.size(), 3u);
  EXPECT_EQ(r.events[2], "text 100,476 'cd' font(20,0,0,400,Arial)");
  // At 90 degrees the text's corner stands 1.2 heights to the left.
  EXPECT_EQ(r.events[4], "text 76,701 'ef' font(20,900,900,400,Arial)");
  EXPECT_EQ(r.fontsDeleted, 5);
  EXPECT_EQ(r.fontAtEnd, "stock13");
}

TEST_F(RenderTest, TextsOutsideTheStringAreaAreEmptyButStillMove) {
  const std::string records =
      RecordBytes('S', 10, 30, 2, 0, 3, 3) +        // runs one past the area
      RecordBytes('S', 20, 30, 3, 0, 2.9f, 1.9f) +  // fractions truncate: "bc"
      RecordBytes('S', 30, 30, 3, 0, -1, 0) +       // negative length: empty
      RecordBytes('D', 40, 30);
  const Rendering r = Render(records, "abcde");
  ExpectEvents(r, {
                      "move 100,700",
                      "text 200,664 'bc' font(30,0,0,400,Arial)",
                      "move 200,700",
                      "move 300,700",
                      "line 400,700 solid10",
                  });
  // The empty text still makes its font: 100, then 20, then 30.
  EXPECT_EQ(r.fontsMade, 3);
}

TEST_F(RenderTest, ALongTextIsCutTo99Characters) {
  const std::string text(150, 'x');
  const Rendering r = Render(RecordBytes('S', 10, 30, 2, 0, 150, 0), text);
  ASSERT_EQ(r.events.size(), 2u);
  EXPECT_EQ(r.events[0], "text 100,676 '" + std::string(99, 'x') + "' font(20,0,0,400,Arial)");
}

TEST_F(RenderTest, ShortArcsWhoseEndsMeetDrawNothing) {
  const Rendering r =
      Render(RecordBytes('M', 0, 0) + RecordBytes('C', 50, 50, 10, 0, 0.1f) +  // ends snap together
             RecordBytes('C', 50, 50, 10, 30, -0.1f) +
             RecordBytes('C', 50, 50, 0.05f, 0, 180) +   // half a turn: drawn
             RecordBytes('C', 50, 50, 10, 0, 359.99f) +  // not a whole turn: an arc
             RecordBytes('C', 50, 50, 10, 0, -360));     // a whole turn
  ExpectEvents(r, {
                      "move 0,1000",
                      "move 600,500",
                      "move 586,450",
                      "arc 499,500,499,500 500,500 500,500 hollow",
                      "move 500,500",
                      "arc 400,400,599,599 600,500 600,500 hollow",
                      "move 600,500",
                      "ellipse 400,400,599,599 hollow",
                      "move 600,500",
                  });
}

}  // namespace
}  // namespace drawing_test
