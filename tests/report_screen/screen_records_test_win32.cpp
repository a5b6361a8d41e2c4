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
#include "screen_window_win32.h"

namespace {

using screen_test::Ansi;
using screen_test::DrawnText;
using screen_test::Metafile;
using screen_test::MetafileRecords;

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
  MetafileRecords Paint(int32_t start, int32_t count) {
    Metafile m;
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

const DrawnText* FindText(const MetafileRecords& r, const std::wstring& text) {
  for (const DrawnText& t : r.texts) {
    if (t.text == text) return &t;
  }
  return nullptr;
}

TEST_F(ScreenRecords, RowIsOneRunInItsColoursOpaque) {
  // Attribute 2 in 79 columns and 0 in the 80th: one run of attribute 2.
  PutText(3, 0, "Row text");
  PutRowAttribute(3, 2);
  g_screenModel.screenAttributes[3 * 80 + 79] = 0;
  const MetafileRecords r = Paint(240, 80);
  ASSERT_EQ(r.texts.size(), 1u);
  const DrawnText& t = r.texts[0];
  EXPECT_EQ(t.text, L"Row text ");
  EXPECT_EQ(t.x, 5);
  EXPECT_EQ(t.y, 60);
  EXPECT_EQ(t.fontHeight, kNormal);
  EXPECT_EQ(t.textColour, RGB(0, 127, 63));
  EXPECT_EQ(t.backColour, RGB(255, 255, 255));
  EXPECT_EQ(t.backMode, OPAQUE);
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
    const MetafileRecords r = Paint(400, 80);
    const DrawnText* t = FindText(r, L"word ");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->textColour, c.text);
    EXPECT_EQ(t->backColour, c.back);
  }
}

TEST_F(ScreenRecords, InputFieldInFieldFontBetweenTwoLines) {
  PutText(6, 0, "Tube count  ");
  PutText(6, 12, "123 ");
  PutRowAttribute(6, 1);
  std::memset(g_screenModel.screenAttributes + 6 * 80 + 12, kAttrInputField, 4);
  const MetafileRecords r = Paint(480, 80);
  const DrawnText* field = FindText(r, L"123 ");
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->x, 125);
  EXPECT_EQ(field->y, 120);
  EXPECT_EQ(field->fontHeight, kField);
  EXPECT_EQ(field->textColour, RGB(0, 0, 0));
  EXPECT_EQ(field->backColour, RGB(0, 255, 255));
  // Along the top and bottom edges of columns 12 to 15: x 125 to 165.
  ASSERT_EQ(r.lines.size(), 2u);
  EXPECT_EQ(r.lines[0].x1, 125);
  EXPECT_EQ(r.lines[0].y1, 120);
  EXPECT_EQ(r.lines[0].x2, 165);
  EXPECT_EQ(r.lines[0].y2, 120);
  EXPECT_EQ(r.lines[1].y1, 140);
  EXPECT_EQ(r.lines[1].y2, 140);
  // The text after the field is back in the normal font.
  ASSERT_NE(FindText(r, L"Tube count "), nullptr);
  EXPECT_EQ(FindText(r, L"Tube count ")->fontHeight, kNormal);
}

TEST_F(ScreenRecords, CaptionBandAndItsTwoParts) {
  std::string caption(79, ' ');
  for (int k = 0; k < 79; ++k) caption[k] = static_cast<char>('A' + k % 26);
  caption[3] = static_cast<char>(0x82);  // drawn as it is, not converted
  PutText(24, 0, caption);
  PutRowAttribute(24, kAttrCaption);
  const MetafileRecords r = Paint(1920, 80);
  ASSERT_EQ(r.texts.size(), 3u);
  EXPECT_EQ(r.texts[0].text, std::wstring(81, L' '));  // the band, from half a cell left
  EXPECT_EQ(r.texts[0].x, 0);
  EXPECT_EQ(r.texts[0].y, 480);
  EXPECT_EQ(r.texts[0].fontHeight, kField);
  EXPECT_EQ(r.texts[0].backColour, RGB(0, 0, 125));
  EXPECT_EQ(r.texts[0].textColour, RGB(255, 255, 255));
  EXPECT_EQ(r.texts[1].text, Ansi(caption.substr(0, 64)));
  EXPECT_EQ(r.texts[1].x, 5);
  EXPECT_EQ(r.texts[1].fontHeight, kNormal);
  EXPECT_EQ(r.texts[2].text, Ansi(caption.substr(64, 15)));
  EXPECT_EQ(r.texts[2].x, 645);  // cell 1984: column 64
  EXPECT_EQ(r.texts[2].y, 480);
}

TEST_F(ScreenRecords, CaptionReadsBlanksPastTheScreen) {
  // A caption run starting at column 70 reads 79 characters: those past cell
  // 1999 are blanks.
  PutText(24, 70, "Caption!!");
  std::memset(g_screenModel.screenAttributes + 1990, kAttrCaption, 10);
  const MetafileRecords r = Paint(1990, 10);
  ASSERT_EQ(r.texts.size(), 3u);
  EXPECT_EQ(r.texts[1].text, L"Caption!! " + std::wstring(54, L' '));
  EXPECT_EQ(r.texts[2].text, std::wstring(15, L' '));
}

TEST_F(ScreenRecords, BandRowThenItsText) {
  PutText(21, 3, "F1=Help");
  PutRowAttribute(21, kAttrBandRow);
  const MetafileRecords r = Paint(1680, 80);
  ASSERT_EQ(r.texts.size(), 2u);
  EXPECT_EQ(r.texts[0].text, std::wstring(81, L' '));
  EXPECT_EQ(r.texts[0].x, 0);  // half a cell left of the row's first cell
  EXPECT_EQ(r.texts[0].fontHeight, kField);
  EXPECT_EQ(r.texts[0].backColour, RGB(192, 192, 192));
  EXPECT_EQ(r.texts[1].text, L"F1=Help ");
  EXPECT_EQ(r.texts[1].x, 35);
  EXPECT_EQ(r.texts[1].fontHeight, kNormal);
}

TEST_F(ScreenRecords, TextIsConvertedUnlessChinese) {
  // OEM 0x82 is e acute (0xE9 in ANSI); 0xB3 is a box character, blanked.
  PutText(1, 0, "Caf\x82 \xB3x");
  const MetafileRecords western = Paint(80, 80);
  ASSERT_NE(FindText(western, Ansi("Caf\xE9 ")), nullptr);
  SetLanguageNumber("CHI");
  const MetafileRecords chinese = Paint(80, 80);
  ASSERT_NE(FindText(chinese, Ansi("Caf\x82 \xB3x ")), nullptr);
}

TEST_F(ScreenRecords, BlanksPaintTheirBackgroundWhateverTheModeWas) {
  Metafile m;
  ::SetBkMode(m.dc(), TRANSPARENT);
  PutText(2, 0, "x");
  PaintScreenText(m.dc(), g_screenModel.screenText + 160, g_screenModel.screenAttributes + 160, 80,
                  160);
  const MetafileRecords r = m.Finish();
  ASSERT_EQ(r.texts.size(), 1u);
  EXPECT_EQ(r.texts[0].backMode, OPAQUE);
}

TEST_F(ScreenRecords, RightAlignedValueEndsAtItsCellsRightEdge) {
  PutText(4, 9, "WM");
  PutField(330, '}', 0, "WM");
  const MetafileRecords r = Paint(320, 80);
  const DrawnText* t = FindText(r, L"WM");
  ASSERT_NE(t, nullptr);
  ASSERT_GT(t->width, 0);
  EXPECT_EQ(t->x + t->width, 115);  // column 10 ends at 105 + 10
  EXPECT_EQ(t->width, Width(normal_, "WM"));
}

TEST_F(ScreenRecords, CentredValueIsCentredOnItsCell) {
  PutText(4, 8, "ABCDE");
  PutField(330, '~', 0, "ABCDE");
  const MetafileRecords r = Paint(320, 80);
  const DrawnText* t = FindText(r, L"ABCDE");
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->x, 105 - (Width(normal_, "ABCDE") - 10) / 2);
}

TEST_F(ScreenRecords, DotLeadersReachTheCellAfterTheDots) {
  // "Total" and five dots from column 2, then two blanks and a number: the
  // dots are stretched to the x of column 12 as far as whole dots fit.
  PutText(7, 2, "Total.....  12.5");
  const MetafileRecords r = Paint(560, 80);
  const int32_t dot = Width(normal_, "....") / 4;
  ASSERT_GT(dot, 0);
  // The span from column 2 to column 12 is 100 pixels.
  const int32_t extra = (10 * 10 - Width(normal_, "Total.....")) / dot;
  ASSERT_GT(extra, 0);
  const std::string expected = "Total....." + std::string(extra, '.') + " ";
  const DrawnText* t = FindText(r, Ansi(expected));
  ASSERT_NE(t, nullptr) << "dots added: " << extra;
  EXPECT_EQ(t->x, 25);
}

TEST_F(ScreenRecords, DotLeadersCapTheirText) {
  Metafile m;
  ::SelectObject(m.dc(), ::GetStockObject(ANSI_FIXED_FONT));
  // A text longer than 599 characters is cut there.
  const std::string text = "a" + std::string(700, '.');
  DrawDotLeaders(m.dc(), text.c_str(), 0, static_cast<int32_t>(text.size()));
  const MetafileRecords r = m.Finish();
  ASSERT_EQ(r.texts.size(), 1u);
  EXPECT_EQ(r.texts[0].text.size(), 599u);
}

TEST_F(ScreenRecords, LinesFramesAndFontThroughTheHook) {
  PutText(2, 10, "|--------|");
  std::memset(g_screenModel.screenAttributes + 8 * 80 + 10, kAttrInputField, 5);
  g_screenModel.fontState = kFontNormal;
  Metafile m;
  SetScreenDcForTests(m.dc());
  DrawScreenBoxLines(0, 25);
  SetScreenDcForTests(nullptr);
  const MetafileRecords r = m.Finish();
  // The horizontal line, the row-22 rule, the two one-cell verticals.
  ASSERT_EQ(r.lines.size(), 4u);
  EXPECT_EQ(r.lines[0].x1, 110);
  EXPECT_EQ(r.lines[0].x2, 200);
  EXPECT_EQ(r.lines[0].y1, 50);
  EXPECT_EQ(r.lines[1].y1, 459);
  // The field's frame is an outline: drawn with the hollow brush selected.
  ASSERT_EQ(r.rects.size(), 1u);
  EXPECT_EQ(r.rects[0].brush, 0x80000000u | NULL_BRUSH);
  EXPECT_EQ(r.rects[0].left, 103);
  EXPECT_EQ(r.rects[0].top, 160);
  EXPECT_EQ(r.rects[0].right, 154);  // recorded inclusive
  EXPECT_EQ(r.rects[0].bottom, 179);
  // In the black pen; the font FontState names is selected at the end.
  EXPECT_EQ(r.selected.front(), 0x80000000u | BLACK_PEN);
  EXPECT_EQ(r.fontHeightAtEnd, kNormal);
}

TEST_F(ScreenRecords, FieldFontSelectedAgainWhenNoneWasNoted) {
  Metafile m;
  SetScreenDcForTests(m.dc());
  DrawScreenBoxLines(0, 1);
  SetScreenDcForTests(nullptr);
  EXPECT_EQ(m.Finish().fontHeightAtEnd, kField);
}

TEST_F(ScreenRecords, SingleCellThroughTheHook) {
  Metafile m;
  SetScreenDcForTests(m.dc());
  DrawScreenCell('\x82', 5, 85);
  DrawScreenCell('z', 1, -1);
  DrawScreenCell('z', 1, 2000);
  SetScreenDcForTests(nullptr);
  const MetafileRecords r = m.Finish();
  ASSERT_EQ(r.texts.size(), 1u);
  EXPECT_EQ(r.texts[0].text, Ansi("\xE9"));
  EXPECT_EQ(r.texts[0].x, 55);
  EXPECT_EQ(r.texts[0].y, 20);
  EXPECT_EQ(r.texts[0].fontHeight, kField);
  EXPECT_EQ(r.texts[0].backColour, RGB(0, 255, 255));
  EXPECT_EQ(r.texts[0].backMode, OPAQUE);
  ASSERT_EQ(r.lines.size(), 2u);
  EXPECT_EQ(r.lines[0].x1, 55);
  EXPECT_EQ(r.lines[0].x2, 65);
  EXPECT_EQ(r.lines[0].y1, 20);
  EXPECT_EQ(r.lines[1].y1, 40);
  EXPECT_EQ(g_screenModel.screenText[85], '\x82');
  EXPECT_EQ(g_screenModel.screenAttributes[85], 5);
  EXPECT_EQ(g_screenModel.screenAttributes[0], 0);  // nothing stored past the text shadow
}

TEST_F(ScreenRecords, TextAtPixelThroughTheHook) {
  Metafile m;
  SetScreenDcForTests(m.dc());
  DrawTextAtPixel(33, 44, "Na\x82ve");
  SetScreenDcForTests(nullptr);
  const MetafileRecords r = m.Finish();
  ASSERT_EQ(r.texts.size(), 1u);
  EXPECT_EQ(r.texts[0].text, Ansi("Na\x82ve"));  // not converted
  EXPECT_EQ(r.texts[0].x, 33);
  EXPECT_EQ(r.texts[0].y, 44);
  EXPECT_EQ(r.texts[0].fontHeight, kNormal);
}

TEST_F(ScreenRecords, ScreenRunThroughTheHookIsStored) {
  Metafile m;
  SetScreenDcForTests(m.dc());
  std::string text = "Hello  ";
  std::vector<uint8_t> attributes(text.size(), 4);
  DrawScreenRun(text.data(), attributes.data(), static_cast<int32_t>(text.size()), 100);
  SetScreenDcForTests(nullptr);
  const MetafileRecords r = m.Finish();
  ASSERT_NE(FindText(r, L"Hello "), nullptr);
  EXPECT_EQ(FindText(r, L"Hello ")->textColour, RGB(255, 0, 0));
  EXPECT_EQ(std::string(g_screenModel.screenText + 100, 7), "Hello  ");
}

}  // namespace
