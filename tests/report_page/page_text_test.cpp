// Text placement of a report page with fixed character widths: cells of 10 by
// 20 logical units and a font whose characters are 6 wide, so that the
// expected positions can be worked out by hand.
#include "report/page/page_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "entry/library_reset.h"
#include "report/page/page_state.h"
#include "report_base/language_number.h"

namespace {

struct Drawn {
  int32_t x, y;
  std::string text;
  PageFont font;
  bool operator==(const Drawn& o) const {
    return x == o.x && y == o.y && text == o.text && font == o.font;
  }
};
struct Line {
  int32_t x1, y1, x2, y2;
  bool operator==(const Line& o) const {
    return x1 == o.x1 && y1 == o.y1 && x2 == o.x2 && y2 == o.y2;
  }
};
std::ostream& operator<<(std::ostream& os, const Drawn& d) {
  return os << "{" << d.x << "," << d.y << ",\"" << d.text << "\",font " << d.font << "}";
}
std::ostream& operator<<(std::ostream& os, const Line& l) {
  return os << "{" << l.x1 << "," << l.y1 << " to " << l.x2 << "," << l.y2 << "}";
}

// Records what is drawn; measures 6 units a character (or as `widthOf`
// says), or not at all.
struct Recorder {
  bool canMeasure = true;
  int32_t (*widthOf)(unsigned char c) = nullptr;
  PageFont font = kNormalFont;
  std::vector<Drawn> texts;
  std::vector<Line> lines;
  std::vector<std::string> measured;

  PageCanvas Canvas() { return PageCanvas{this, &Measure, &Select, &Text, &DrawLine}; }
  static bool Measure(void* c, const char* text, int32_t n, int32_t* width) {
    auto* r = static_cast<Recorder*>(c);
    r->measured.emplace_back(text, n);
    if (!r->canMeasure) return false;
    *width = 0;
    for (int32_t i = 0; i < n; ++i) {
      *width += r->widthOf ? r->widthOf(static_cast<unsigned char>(text[i])) : 6;
    }
    return true;
  }
  static void Select(void* c, PageFont f) { static_cast<Recorder*>(c)->font = f; }
  static void Text(void* c, int32_t x, int32_t y, const char* text, int32_t n) {
    auto* r = static_cast<Recorder*>(c);
    r->texts.push_back({x, y, std::string(text, n), r->font});
  }
  static void DrawLine(void* c, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    static_cast<Recorder*>(c)->lines.push_back({x1, y1, x2, y2});
  }
};

constexpr CellSize kCell{10, 20};

class PageText : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetLibraryForTests();
    std::memset(g_pageBuffer.text, ' ', sizeof g_pageBuffer.text);
    std::memset(g_pageBuffer.markers, ' ', sizeof g_pageBuffer.markers);
  }
  void TearDown() override { ResetLibraryForTests(); }
  // Row r (from 0): its text from column 0 and its control character.
  static void Row(int r, const std::string& text, char control = ' ') {
    for (size_t i = 0; i < text.size(); ++i) g_pageBuffer.text[r * 80 + i] = text[i];
    g_pageBuffer.text[r * 80 + 79] = control;
    g_pageBuffer.markers[r * 80 + 79] = control;
  }
  static void Marker(int r, int column, char m) { g_pageBuffer.markers[r * 80 + column] = m; }

  std::vector<Drawn> Texts(int lines) {
    DrawPageText(rec_.Canvas(), lines, kCell);
    return rec_.texts;
  }
  std::vector<Line> Lines(int lines) {
    DrawPageLines(rec_.Canvas(), lines, kCell);
    return rec_.lines;
  }
  Recorder rec_;
};

using TextList = std::vector<Drawn>;
using LineList = std::vector<Line>;

// The word and its dots are one run whose leader reaches the run's last cell;
// the number stands right-aligned on its marker cell.
TEST_F(PageText, LeaderStretchedAndNumberRightAligned) {
  Row(0, "Length......  123");
  Marker(0, 16, '}');
  // Run "Length...... " (13 cells): leader ends at e = 12; the first 12
  // characters are 72 wide, cell 12 is at 120, a dot is 6: 8 more dots.
  // "123" is 18 wide and ends at the right edge of cell 16 (170): x = 152.
  EXPECT_EQ(Texts(1), (TextList{{0, 0, "Length" + std::string(14, '.') + " ", kNormalFont},
                                {152, 0, "123", kNormalFont}}));
}

// Without any measurement a character counts one cell and a dot half a cell.
TEST_F(PageText, WithoutMeasurementCharactersCountOneCell) {
  rec_.canMeasure = false;
  Row(0, "Length......  123");
  Marker(0, 16, '}');
  EXPECT_EQ(Texts(1),
            (TextList{{0, 0, "Length...... ", kNormalFont}, {140, 0, "123", kNormalFont}}));
}

TEST_F(PageText, LeftFieldStartsAtABlankOrAtColumnZeroOnly) {
  Row(0, "ABC DEF");
  Marker(0, 0, '{');
  Row(1, "AB CD");
  Marker(1, 3, '{');
  Row(2, "ABCD");
  Marker(2, 2, '{');  // follows a letter: not a field start
  EXPECT_EQ(Texts(3), (TextList{{0, 0, "ABC DEF", kNormalFont},
                                {0, 20, "AB ", kNormalFont},
                                {30, 20, "CD", kNormalFont},
                                {0, 40, "ABCD ", kNormalFont}}));
}

// '=' with '=' two rows below is a right-aligned field; beside the '=' column
// an operator stops the field, blanks do not; '=' only beyond the page's last
// line is text.
TEST_F(PageText, EqualsColumnFields) {
  Row(0, "A+B=");
  Row(1, "AA  BB CC=");
  Row(2, "   =");
  Row(3, "         =");
  EXPECT_EQ(Texts(4), (TextList{{0, 0, "A+B", kNormalFont},
                                {34, 0, "=", kNormalFont},
                                {0, 20, "AA ", kNormalFont},
                                {64, 20, "BB CC=", kNormalFont},
                                {34, 40, "=", kNormalFont},
                                {94, 60, "=", kNormalFont}}));
}

TEST_F(PageText, EqualsBelowThePagesLastLineIsText) {
  Row(0, "A=");
  Row(1, " =");
  EXPECT_EQ(Texts(1), (TextList{{0, 0, "A= ", kNormalFont}}));
}

// "ABCDE" centred on cell 10 occupies cells 8 to 12; it is 30 wide, so it
// starts 10 left of cell 10.
TEST_F(PageText, CentredField) {
  Row(0, "        ABCDE   Z");
  Marker(0, 10, '~');
  EXPECT_EQ(Texts(1), (TextList{{90, 0, "ABCDE", kNormalFont}, {160, 0, "Z ", kNormalFont}}));
}

// A centred value at the page's first cell: the candidates before cell 0 never
// match and are never read.
TEST_F(PageText, CentredFieldAtTheFirstCell) {
  Row(0, "AB");
  Marker(0, 0, '~');
  EXPECT_EQ(Texts(1), (TextList{{-1, 0, "AB", kNormalFont}}));
}

TEST_F(PageText, FontsByControlCharacter) {
  const char controls[] = {'1', 'u', 'v', 'W', '0', ' ', '-', '/', ':', ';', 'b', 'X'};
  const PageFont fonts[] = {kTitleFont,  kNormalFont, kNormalFont, kBoldFont,
                            kBoldFont,   kNormalFont, kNormalFont, kNormalFont,
                            kNormalFont, kNormalFont, kNormalFont, kBoldFont};
  for (int r = 0; r < 12; ++r) Row(r, "T", controls[r]);
  const TextList drawn = Texts(12);
  ASSERT_EQ(drawn.size(), 12u);
  for (int r = 0; r < 12; ++r) {
    SCOPED_TRACE(::testing::Message() << "control '" << controls[r] << "' on row " << r);
    EXPECT_EQ(drawn[r].font, fonts[r]);
  }
}

TEST_F(PageText, FirstRowWithBlankControlIsNotATitle) {
  Row(0, "T");
  EXPECT_EQ(Texts(1)[0].font, kNormalFont);
}

// Dashes are lines, not text: a run of three draws no text; a single '-'
// between blanks is text.
TEST_F(PageText, DashRunsAreLinesAndASingleDashIsText) {
  Row(0, "x ---  y - z");
  EXPECT_EQ(Texts(1), (TextList{{0, 0, "x ", kNormalFont}, {70, 0, "y - z ", kNormalFont}}));
  EXPECT_EQ(Lines(1), (LineList{{25, 10, 45, 10}}));
}

// A NUL draws nothing and ends a text segment like a line character.
TEST_F(PageText, NulEndsASegment) {
  Row(0, std::string("AB\0CD", 5));
  EXPECT_EQ(Texts(1), (TextList{{0, 0, "AB", kNormalFont}, {30, 0, "CD ", kNormalFont}}));
}

// OEM text is drawn in the ANSI code page (0x82 is e acute, 0xE9 in ANSI); a
// Chinese report draws its bytes as they are, box characters included.
TEST_F(PageText, CodePageAndBoxCharactersByLanguage) {
  Row(0, "caf\x82 \xC4\xC4\xC4 x");
  EXPECT_EQ(Texts(1), (TextList{{0, 0, "caf\xE9 ", kNormalFont}, {90, 0, "x ", kNormalFont}}));
  rec_ = Recorder();
  SetLanguageNumber("CHI");
  EXPECT_EQ(Texts(1), (TextList{{0, 0, "caf\x82 \xC4\xC4\xC4 x ", kNormalFont}}));
  EXPECT_TRUE(Lines(1).empty());
}

// Values are measured as they are drawn: whatever the width of a character in
// the OEM code page, the value ends at its cell's right edge.
TEST_F(PageText, RightAlignedValueMeasuredAsDrawn) {
  rec_.widthOf = [](unsigned char c) { return c == 0x82 ? 40 : c == 0xE9 ? 7 : 6; };
  Row(0, "     \x82\x82");
  Marker(0, 6, '}');
  const TextList drawn = Texts(1);
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_EQ(drawn[0].text, "\xE9\xE9");
  EXPECT_EQ(drawn[0].x + 14, 70);
}

// A run's width before its leader is measured as drawn too: 0x82 is drawn as
// 0xE9, 6 wide, so "caf" and it take 24 of the 60 units to the leader's end
// at cell 6 ... (dots at 4 and 5 are 12): (60 - 36) / 6 = 4 more dots.
TEST_F(PageText, RunWidthMeasuredAsDrawn) {
  rec_.widthOf = [](unsigned char c) { return c == 0x82 ? 40 : 6; };
  const std::string text = "caf\x82..x";
  DrawPageRun(rec_.Canvas(), text.data(), 0, 7, ' ', kCell);
  ASSERT_EQ(rec_.texts.size(), 1u);
  EXPECT_EQ(rec_.texts[0].text, "caf\xE9......x");
}

// A leader never makes a run longer than 599 characters.
TEST_F(PageText, LeaderStopsAt599Characters) {
  rec_.widthOf = [](unsigned char) { return 0; };
  const std::string text = "A..B";
  DrawPageRun(rec_.Canvas(), text.data(), 0, 4, ' ', CellSize{100000, 20});
  ASSERT_EQ(rec_.texts.size(), 1u);
  // The measured dot width is 0: no dots are inserted at all.
  EXPECT_EQ(rec_.texts[0].text, "A..B");
  rec_ = Recorder();
  rec_.widthOf = [](unsigned char c) { return c == '.' ? 1 : 0; };
  DrawPageRun(rec_.Canvas(), text.data(), 0, 4, ' ', CellSize{100000, 20});
  ASSERT_EQ(rec_.texts.size(), 1u);
  EXPECT_EQ(rec_.texts[0].text.size(), 599u);
  EXPECT_EQ(rec_.texts[0].text.substr(0, 3), "A..");
  EXPECT_EQ(rec_.texts[0].text.back(), 'B');
}

TEST_F(PageText, SheetOffsetMovesEveryCell) {
  SetSheetOffset(2, 1, SheetUse::kPrint);  // 5 cells in, 3 down
  Row(0, "T");
  EXPECT_EQ(Texts(1), (TextList{{50, 60, "T ", kNormalFont}}));
}

// Every 32-bit cell and cell size has a corner: worked out exactly, and
// clamped to the 32-bit range where it does not fit (UBSan checks the
// arithmetic natively). A picture reference at row 20000000 on a page of
// 110-unit rows lies at 19999999 x 110, past the range.
TEST_F(PageText, CellCornersTakeAny32BitInput) {
  struct Case {
    int32_t perSheet, sequence;  // the preview's sheet offset of this page
    CellSize size;
    int32_t cell;
    int32_t x, y;
  } const cases[] = {
      {1, 1, {110, 110}, 1599999920, 0, INT32_MAX},
      {1, 1, {10, 20}, INT32_MAX, 47 * 10, 26843545 * 20},
      {1, 1, {10, 20}, INT32_MIN, -48 * 10, -26843545 * 20},
      {1, 1, {INT32_MAX, INT32_MAX}, 1, INT32_MAX, 0},
      {1, 1, {INT32_MAX, INT32_MAX}, 2, INT32_MAX, 0},  // 2 x INT32_MAX does not fit
      {1, 1, {INT32_MIN, INT32_MIN}, 81, INT32_MIN, INT32_MIN},
      {1, 1, {INT32_MIN, INT32_MIN}, INT32_MIN, INT32_MAX, INT32_MAX},
      // The preview's first page of four: 8 cells in, 3 down.
      {4, 1, {10, 20}, 0, 80, 60},
      {4, 1, {INT32_MIN, INT32_MIN}, 0, INT32_MIN, INT32_MIN},
      {4, 1, {INT32_MAX, 1}, INT32_MAX, INT32_MAX, 26843548},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "cell " << c.cell << ", cells of " << c.size.w << " x "
                                      << c.size.h << ", " << c.perSheet << " a sheet");
    SetSheetOffset(c.perSheet, c.sequence, SheetUse::kPreview);
    const PagePoint p = PageCellToDevice(c.cell, c.size);
    EXPECT_EQ(p.x, c.x);
    EXPECT_EQ(p.y, c.y);
  }
}

TEST_F(PageText, PlainTextRowsAsTheyStand) {
  SelectPrintTextMode(1);
  Row(0, "A..B {x}  \x82 ---", '7');
  Marker(0, 5, '{');
  std::string row0(g_pageBuffer.text, 80);
  row0.replace(12, 3, "  -");  // a run of dashes is blank but for its last
  EXPECT_EQ(Texts(1), (TextList{{0, 0, row0, kNormalFont}}));
  EXPECT_EQ(Lines(1), (LineList{{125, 10, 145, 10}}));
}

TEST_F(PageText, NoLinesNoText) {
  Row(0, "Hidden");
  EXPECT_TRUE(Texts(0).empty());
  EXPECT_TRUE(Texts(-3).empty());
}

// Line counts beyond the page mapping are taken as 62 rows.
TEST_F(PageText, LineCountClampedTo62) {
  Row(61, "Last");
  const TextList drawn = Texts(1000);
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(drawn.back(), (Drawn{0, 61 * 20, "Last ", kNormalFont}));
  Lines(1000);  // blanks the spare row only
  EXPECT_EQ(std::string(g_pageBuffer.text + 62 * 80, 80), std::string(80, ' '));
}

TEST_F(PageText, Underlines) {
  Row(0, "Under", 'u');
  Row(1, "Part", 'v');
  EXPECT_EQ(Lines(2), (LineList{{0, 20, 785, 20}, {0, 40, 595, 40}}));
}

// A box corner: '|' down rows 3 to 6 with two dashes to the right of the top.
TEST_F(PageText, BoxLinesFromTheMiddleOfTheirEndCells) {
  for (int r = 3; r <= 6; ++r) Row(r, "     |");
  Row(3, "     |--");
  EXPECT_EQ(Lines(7), (LineList{{55, 70, 75, 70}, {55, 70, 55, 140}}));
}

// Vertical lines end at the page's last line: the row after it is blank.
TEST_F(PageText, VerticalLineEndsAtTheLastLine) {
  Row(0, "|");
  Row(1, "|");
  Row(2, "|");
  EXPECT_EQ(Lines(2), (LineList{{5, 0, 5, 40}}));
}

// Column 80 (the control character) takes part in the horizontal roles: a rule
// up to column 79 on a row whose control is '-' stays open and is not drawn.
TEST_F(PageText, ColumnEightyJoinsHorizontalLines) {
  Row(0, std::string(75, ' ') + "----", ' ');
  Row(1, std::string(75, ' ') + "----", '-');
  EXPECT_EQ(Lines(2), (LineList{{755, 10, 785, 10}}));
}

TEST_F(PageText, ChineseReportDrawsNoOemLines) {
  Row(0, "\xDA\xC4\xBF");
  Row(1, "\xB3 \xB3");
  Row(2, "\xC0\xC4\xD9");
  EXPECT_FALSE(Lines(3).empty());
  rec_ = Recorder();
  SetLanguageNumber("CHI");
  EXPECT_TRUE(Lines(3).empty());
}

}  // namespace
