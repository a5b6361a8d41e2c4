// What the screen's drawing routines draw, read back from the records of an
// enhanced metafile: texts with their position, font and colours, lines and
// frames. Routines that fetch the host window's device context draw into the
// metafile through the test hook.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "report/screen/screen_drawing.h"
#include "report/screen/screen_lines.h"
#include "report/screen/screen_refresh.h"
#include "report/screen/screen_text.h"
#include "screen_fixture.h"
#include "support/emf_records_win32.h"

namespace {

using gdi_test::Ansi;
using gdi_test::EmfRecord;
using gdi_test::EmfRecorder;
using gdi_test::EmfRecording;
using gdi_test::FindText;
using gdi_test::Lines;
using gdi_test::Rectangles;
using gdi_test::Texts;
using gdi_test::TextWidth;

// Fonts of their own heights (no window is needed here), so that the records
// tell which font each text used.
class ScreenRecords : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    normal_ =
        ::CreateFontA(kNormal, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    field_ =
        ::CreateFontA(kField, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Courier New");
    SetClient(800, 500, field_, normal_);
  }
  void TearDown() override {
    ScreenTest::TearDown();
    ::DeleteObject(normal_);
    ::DeleteObject(field_);
  }

  // Draws `count` cells of the shadows from `start` with PaintScreenText.
  EmfRecording Paint(int32_t start, int32_t count) {
    EmfRecorder m;
    PaintScreenText(m.dc(), g_screenModel.screenText + start,
                    g_screenModel.screenAttributes + start, count, start);
    return m.Finish();
  }

  // Width of a text in a font, as GDI measures it on the screen.
  static int32_t Width(HFONT font, const std::string& text) {
    HDC dc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, font);
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    return size.cx;
  }

  static constexpr int32_t kNormal = -16;
  static constexpr int32_t kField = -18;
  HFONT normal_ = nullptr;
  HFONT field_ = nullptr;
};

TEST_F(ScreenRecords, RowIsOneRunInItsColoursOpaque) {
  // Attribute 2 in 79 columns and 0 in the 80th: one run of attribute 2.
  PutText(3, 0, "Row text");
  PutRowAttribute(3, 2);
  g_screenModel.screenAttributes[3 * 80 + 79] = 0;
  const std::vector<EmfRecord> texts = Texts(Paint(240, 80));
  ASSERT_EQ(texts.size(), 1u);
  const EmfRecord& t = texts[0];
  EXPECT_EQ(t.text, L"Row text ");
  EXPECT_EQ(t.point.x, 5);
  EXPECT_EQ(t.point.y, 60);
  EXPECT_EQ(t.state.font.height, kNormal);
  EXPECT_EQ(t.state.textColour, RGB(0, 127, 63));
  EXPECT_EQ(t.state.backColour, RGB(255, 255, 255));
  EXPECT_EQ(t.state.backMode, OPAQUE);
}

TEST_F(ScreenRecords, AttributeColoursTable) {
  struct Case {
    uint8_t attribute;
    COLORREF text, back;
  } const cases[] = {
      {0, RGB(0, 0, 127), RGB(255, 255, 255)},   {1, RGB(0, 0, 0), RGB(255, 255, 255)},
      {2, RGB(0, 127, 63), RGB(255, 255, 255)},  {3, RGB(127, 63, 0), RGB(255, 255, 255)},
      {4, RGB(255, 0, 0), RGB(255, 255, 255)},   {7, RGB(127, 63, 0), RGB(192, 192, 192)},
      {8, RGB(127, 63, 0), RGB(127, 127, 127)},  {9, RGB(0, 0, 127), RGB(255, 255, 255)},
      {'u', RGB(0, 0, 127), RGB(255, 255, 255)}, {'v', RGB(0, 0, 127), RGB(255, 255, 255)},
      {255, RGB(0, 0, 127), RGB(255, 255, 255)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "attribute " << int(c.attribute));
    PutText(5, 0, "word");
    PutRowAttribute(5, c.attribute);
    const EmfRecording r = Paint(400, 80);
    const EmfRecord* t = FindText(r, L"word ");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->state.textColour, c.text);
    EXPECT_EQ(t->state.backColour, c.back);
  }
}

TEST_F(ScreenRecords, InputFieldInFieldFontBetweenTwoLines) {
  PutText(6, 0, "Tube count  ");
  PutText(6, 12, "123 ");
  PutRowAttribute(6, 1);
  std::memset(g_screenModel.screenAttributes + 6 * 80 + 12, kAttrInputField, 4);
  const EmfRecording r = Paint(480, 80);
  const EmfRecord* field = FindText(r, L"123 ");
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->point.x, 125);
  EXPECT_EQ(field->point.y, 120);
  EXPECT_EQ(field->state.font.height, kField);
  EXPECT_EQ(field->state.textColour, RGB(0, 0, 0));
  EXPECT_EQ(field->state.backColour, RGB(0, 255, 255));
  // Along the top and bottom edges of columns 12 to 15: x 125 to 165.
  const std::vector<EmfRecord> lines = Lines(r);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].from.x, 125);
  EXPECT_EQ(lines[0].from.y, 120);
  EXPECT_EQ(lines[0].point.x, 165);
  EXPECT_EQ(lines[0].point.y, 120);
  EXPECT_EQ(lines[1].from.y, 140);
  EXPECT_EQ(lines[1].point.y, 140);
  // The text after the field is back in the normal font.
  ASSERT_NE(FindText(r, L"Tube count "), nullptr);
  EXPECT_EQ(FindText(r, L"Tube count ")->state.font.height, kNormal);
}

TEST_F(ScreenRecords, CaptionBandAndItsTwoParts) {
  std::string caption(79, ' ');
  for (int k = 0; k < 79; ++k) caption[k] = static_cast<char>('A' + k % 26);
  caption[3] = static_cast<char>(0x82);  // drawn as it is, not converted
  PutText(24, 0, caption);
  PutRowAttribute(24, kAttrCaption);
  const std::vector<EmfRecord> texts = Texts(Paint(1920, 80));
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].text, std::wstring(81, L' '));  // the band, from half a cell left
  EXPECT_EQ(texts[0].point.x, 0);
  EXPECT_EQ(texts[0].point.y, 480);
  EXPECT_EQ(texts[0].state.font.height, kField);
  EXPECT_EQ(texts[0].state.backColour, RGB(0, 0, 125));
  EXPECT_EQ(texts[0].state.textColour, RGB(255, 255, 255));
  EXPECT_EQ(texts[1].text, Ansi(caption.substr(0, 64)));
  EXPECT_EQ(texts[1].point.x, 5);
  EXPECT_EQ(texts[1].state.font.height, kNormal);
  EXPECT_EQ(texts[2].text, Ansi(caption.substr(64, 15)));
  EXPECT_EQ(texts[2].point.x, 645);  // cell 1984: column 64
  EXPECT_EQ(texts[2].point.y, 480);
}

TEST_F(ScreenRecords, CaptionReadsBlanksPastTheScreen) {
  // A caption run starting at column 70 reads 79 characters: those past cell
  // 1999 are blanks.
  PutText(24, 70, "Caption!!");
  std::memset(g_screenModel.screenAttributes + 1990, kAttrCaption, 10);
  const std::vector<EmfRecord> texts = Texts(Paint(1990, 10));
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[1].text, L"Caption!! " + std::wstring(54, L' '));
  EXPECT_EQ(texts[2].text, std::wstring(15, L' '));
}

TEST_F(ScreenRecords, BandRowThenItsText) {
  PutText(21, 3, "F1=Help");
  PutRowAttribute(21, kAttrBandRow);
  const std::vector<EmfRecord> texts = Texts(Paint(1680, 80));
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, std::wstring(81, L' '));
  EXPECT_EQ(texts[0].point.x, 0);  // half a cell left of the row's first cell
  EXPECT_EQ(texts[0].state.font.height, kField);
  EXPECT_EQ(texts[0].state.backColour, RGB(192, 192, 192));
  EXPECT_EQ(texts[1].text, L"F1=Help ");
  EXPECT_EQ(texts[1].point.x, 35);
  EXPECT_EQ(texts[1].state.font.height, kNormal);
}

TEST_F(ScreenRecords, TextIsConvertedUnlessChinese) {
  // OEM 0x82 is e acute (0xE9 in ANSI); 0xB3 is a box character, blanked.
  PutText(1, 0, "Caf\x82 \xB3x");
  const EmfRecording western = Paint(80, 80);
  ASSERT_NE(FindText(western, Ansi("Caf\xE9 ")), nullptr);
  SetLanguageNumber("CHI");
  const EmfRecording chinese = Paint(80, 80);
  ASSERT_NE(FindText(chinese, Ansi("Caf\x82 \xB3x ")), nullptr);
}

TEST_F(ScreenRecords, BlanksPaintTheirBackgroundWhateverTheModeWas) {
  EmfRecorder m;
  ::SetBkMode(m.dc(), TRANSPARENT);
  PutText(2, 0, "x");
  PaintScreenText(m.dc(), g_screenModel.screenText + 160, g_screenModel.screenAttributes + 160, 80,
                  160);
  const std::vector<EmfRecord> texts = Texts(m.Finish());
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].state.backMode, OPAQUE);
}

TEST_F(ScreenRecords, RightAlignedValueEndsAtItsCellsRightEdge) {
  PutText(4, 9, "WM");
  PutField(330, '}', 0, "WM");
  const EmfRecording r = Paint(320, 80);
  const EmfRecord* t = FindText(r, L"WM");
  ASSERT_NE(t, nullptr);
  ASSERT_GT(TextWidth(*t), 0);
  EXPECT_EQ(t->point.x + TextWidth(*t), 115);  // column 10 ends at 105 + 10
  EXPECT_EQ(TextWidth(*t), Width(normal_, "WM"));
}

TEST_F(ScreenRecords, CentredValueIsCentredOnItsCell) {
  PutText(4, 8, "ABCDE");
  PutField(330, '~', 0, "ABCDE");
  const EmfRecording r = Paint(320, 80);
  const EmfRecord* t = FindText(r, L"ABCDE");
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->point.x, 105 - (Width(normal_, "ABCDE") - 10) / 2);
}

TEST_F(ScreenRecords, DotLeadersReachTheCellAfterTheDots) {
  // "Total" and five dots from column 2, then two blanks and a number: the
  // dots are stretched to the x of column 12 as far as whole dots fit.
  PutText(7, 2, "Total.....  12.5");
  const EmfRecording r = Paint(560, 80);
  const int32_t dot = Width(normal_, "....") / 4;
  ASSERT_GT(dot, 0);
  // The span from column 2 to column 12 is 100 pixels.
  const int32_t extra = (10 * 10 - Width(normal_, "Total.....")) / dot;
  ASSERT_GT(extra, 0);
  const std::string expected = "Total....." + std::string(extra, '.') + " ";
  const EmfRecord* t = FindText(r, Ansi(expected));
  ASSERT_NE(t, nullptr) << "dots added: " << extra;
  EXPECT_EQ(t->point.x, 25);
}

TEST_F(ScreenRecords, DotLeadersCapTheirText) {
  EmfRecorder m;
  ::SelectObject(m.dc(), ::GetStockObject(ANSI_FIXED_FONT));
  // A text longer than 599 characters is cut there.
  const std::string text = "a" + std::string(700, '.');
  DrawDotLeaders(m.dc(), text.c_str(), 0, static_cast<int32_t>(text.size()));
  const std::vector<EmfRecord> texts = Texts(m.Finish());
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text.size(), 599u);
}

TEST_F(ScreenRecords, LinesFramesAndFontThroughTheHook) {
  PutText(2, 10, "|--------|");
  std::memset(g_screenModel.screenAttributes + 8 * 80 + 10, kAttrInputField, 5);
  g_screenModel.fontState = kFontNormal;
  EmfRecorder m;
  SetScreenDcForTests(m.dc());
  DrawScreenBoxLines(0, 25);
  SetScreenDcForTests(nullptr);
  const EmfRecording r = m.Finish();
  // The horizontal line, the row-22 rule, the two one-cell verticals.
  const std::vector<EmfRecord> lines = Lines(r);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].from.x, 110);
  EXPECT_EQ(lines[0].point.x, 200);
  EXPECT_EQ(lines[0].from.y, 50);
  EXPECT_EQ(lines[1].from.y, 459);
  // The field's frame is an outline: drawn with the hollow brush selected.
  const std::vector<EmfRecord> rects = Rectangles(r);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].state.brush.handle, 0x80000000u | NULL_BRUSH);
  EXPECT_EQ(rects[0].box.left, 103);
  EXPECT_EQ(rects[0].box.top, 160);
  EXPECT_EQ(rects[0].box.right, 154);  // recorded inclusive
  EXPECT_EQ(rects[0].box.bottom, 179);
  // In the black pen; the font FontState names is selected at the end.
  const std::vector<EmfRecord> selects = gdi_test::RecordsOf(r, {EMR_SELECTOBJECT});
  ASSERT_FALSE(selects.empty());
  EXPECT_EQ(selects.front().object.handle, 0x80000000u | BLACK_PEN);
  EXPECT_EQ(r.end.font.height, kNormal);
}

TEST_F(ScreenRecords, FieldFontSelectedAgainWhenNoneWasNoted) {
  EmfRecorder m;
  SetScreenDcForTests(m.dc());
  DrawScreenBoxLines(0, 1);
  SetScreenDcForTests(nullptr);
  EXPECT_EQ(m.Finish().end.font.height, kField);
}

TEST_F(ScreenRecords, SingleCellThroughTheHook) {
  EmfRecorder m;
  SetScreenDcForTests(m.dc());
  DrawScreenCell('\x82', 5, 85);
  DrawScreenCell('z', 1, -1);
  DrawScreenCell('z', 1, 2000);
  SetScreenDcForTests(nullptr);
  const EmfRecording r = m.Finish();
  const std::vector<EmfRecord> texts = Texts(r);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, Ansi("\xE9"));
  EXPECT_EQ(texts[0].point.x, 55);
  EXPECT_EQ(texts[0].point.y, 20);
  EXPECT_EQ(texts[0].state.font.height, kField);
  EXPECT_EQ(texts[0].state.backColour, RGB(0, 255, 255));
  EXPECT_EQ(texts[0].state.backMode, OPAQUE);
  const std::vector<EmfRecord> lines = Lines(r);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].from.x, 55);
  EXPECT_EQ(lines[0].point.x, 65);
  EXPECT_EQ(lines[0].from.y, 20);
  EXPECT_EQ(lines[1].from.y, 40);
  EXPECT_EQ(g_screenModel.screenText[85], '\x82');
  EXPECT_EQ(g_screenModel.screenAttributes[85], 5);
  EXPECT_EQ(g_screenModel.screenAttributes[0], 0);  // nothing stored past the text shadow
}

TEST_F(ScreenRecords, TextAtPixelThroughTheHook) {
  EmfRecorder m;
  SetScreenDcForTests(m.dc());
  DrawTextAtPixel(33, 44, "Na\x82ve");
  SetScreenDcForTests(nullptr);
  const std::vector<EmfRecord> texts = Texts(m.Finish());
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, Ansi("Na\x82ve"));  // not converted
  EXPECT_EQ(texts[0].point.x, 33);
  EXPECT_EQ(texts[0].point.y, 44);
  EXPECT_EQ(texts[0].state.font.height, kNormal);
}

TEST_F(ScreenRecords, ScreenRunThroughTheHookIsStored) {
  EmfRecorder m;
  SetScreenDcForTests(m.dc());
  std::string text = "Hello  ";
  std::vector<uint8_t> attributes(text.size(), 4);
  DrawScreenRun(text.data(), attributes.data(), static_cast<int32_t>(text.size()), 100);
  SetScreenDcForTests(nullptr);
  const EmfRecording r = m.Finish();
  ASSERT_NE(FindText(r, L"Hello "), nullptr);
  EXPECT_EQ(FindText(r, L"Hello ")->state.textColour, RGB(255, 0, 0));
  EXPECT_EQ(std::string(g_screenModel.screenText + 100, 7), "Hello  ");
}

// Screen dot leaders measured as they are drawn, after the OEM to ANSI
// conversion: OEM 0x82 is drawn as e acute (ANSI 0xE9), wider than the low
// quote that byte 0x82 is in the ANSI code page, so a leader measured before
// the conversion gains dots that run past its column. Read back from the
// records of an enhanced metafile, whose text records carry each
// character's advance: the reference x plus the advances is the text's exact
// right edge.

// The text drawn at (x, y), or null.
const EmfRecord* TextAt(const EmfRecording& r, int32_t x, int32_t y) {
  for (const EmfRecord& t : r.records) {
    if ((t.type == EMR_EXTTEXTOUTW || t.type == EMR_EXTTEXTOUTA) && t.point.x == x &&
        t.point.y == y)
      return &t;
  }
  return nullptr;
}

// A word with OEM 0x82 in it and five dots from column 2 (x 25), a '|' right
// after the dots: the leader is stretched toward the '|' cell as far as
// whole dots fit, measured on the text as drawn, and so never passes it.
TEST_F(ScreenRecords, LeaderIsMeasuredAfterConversion) {
  struct Case {
    const char* what;
    std::string oem;   // the word as the screen holds it
    std::string ansi;  // as it is drawn
    bool mustDiffer;   // measuring the unconverted bytes gives more dots
  } const cases[] = {
      {"D, 0x82, bit",
       "D\x82"
       "bit",
       "D\xE9"
       "bit",
       false},
      // Three of them: the difference of three characters' widths is more
      // than a dot in any proportional font.
      {"D, three 0x82, bit",
       "D\x82\x82\x82"
       "bit",
       "D\xE9\xE9\xE9"
       "bit",
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetAll();
    SetClient(800, 500, field_, normal_);
    const std::string dots(5, '.');
    PutText(7, 2, c.oem + dots + "|");
    const int32_t length = static_cast<int32_t>((c.oem + dots).size());
    const int32_t bar = 25 + 10 * length;  // x of the '|' cell
    const int32_t dot = Width(normal_, "....") / 4;
    ASSERT_GT(dot, 0);
    const int32_t drawnWidth = Width(normal_, c.ansi + dots);
    const int32_t extra = (bar - 25 - drawnWidth) / dot;
    ASSERT_GT(extra, 0);
    if (c.mustDiffer) {
      ASSERT_GT((bar - 25 - Width(normal_, c.oem + dots)) / dot, extra)
          << "the case does not tell a measurement before the conversion from one after it";
    }

    const EmfRecording r = Paint(560, 80);
    const EmfRecord* t = TextAt(r, 25, 140);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->text, Ansi(c.ansi + dots + std::string(extra, '.')));
    // The leader ends at or before the '|' cell, and one dot more would pass
    // it.
    ASSERT_GT(TextWidth(*t), 0);
    EXPECT_LE(t->point.x + TextWidth(*t), bar);
    EXPECT_GT(t->point.x + TextWidth(*t) + dot, bar);
  }
}

// DrawDotLeaders on its own measures the same way.
TEST_F(ScreenRecords, DrawDotLeadersMeasuresAfterConversion) {
  const std::string text =
      "D\x82\x82\x82"
      "bit.....";
  const int32_t dot = Width(normal_, "....") / 4;
  ASSERT_GT(dot, 0);
  // From cell 0 (x 5) to the cell after the dots, cell 12 (x 125).
  const int32_t extra = (120 - Width(normal_,
                                     "D\xE9\xE9\xE9"
                                     "bit.....")) /
                        dot;
  EmfRecorder m;
  ::SelectObject(m.dc(), normal_);
  DrawDotLeaders(m.dc(), text.c_str(), 0, static_cast<int32_t>(text.size()));
  const std::vector<EmfRecord> texts = Texts(m.Finish());
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, Ansi("D\xE9\xE9\xE9"
                                "bit....." +
                                std::string(extra, '.')));
  EXPECT_LE(texts[0].point.x + TextWidth(texts[0]), 125);
}

}  // namespace
