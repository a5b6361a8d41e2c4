// Box characters as lines: the roles of a cell (worked out from the tables of
// roles) and the lines and frames a screen gives, in pixels of an 800 x 500
// client area (cells of 10 x 20 after a margin of 5, so column c starts at
// x = 10c + 5 and row r at y = 20r).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "report/screen/screen_lines.h"
#include "screen_fixture.h"

namespace {

class LineRoles : public ScreenTest {};

std::string Oem(std::initializer_list<int> codes) {
  std::string s;
  for (int c : codes) s += static_cast<char>(c);
  return s;
}

// The text in a buffer of exactly its length: a read past it is caught by the
// sanitizer.
int32_t HorizontalAt(const std::string& text, int32_t cell) {
  std::vector<char> exact(text.begin(), text.end());
  return HorizontalLineRole(exact.data(), static_cast<int32_t>(exact.size()), cell);
}
int32_t VerticalAt(const std::string& text, int32_t cell) {
  std::vector<char> exact(text.begin(), text.end());
  return VerticalLineRole(exact.data(), static_cast<int32_t>(exact.size()), cell);
}

// Three rows: above, the cell's row and below; `middle` holds the cell's
// character at column 1 with its left and right neighbours.
std::string ThreeRows(char above, const std::string& middle, char below) {
  std::string text(240, ' ');
  text[1] = above;
  text.replace(80, middle.size(), middle);
  text[161] = below;
  return text;
}

TEST_F(LineRoles, HorizontalTable) {
  struct Case {
    const char* name;
    std::string text;
    int32_t cell;
    int32_t role;
  } const cases[] = {
      {"bar before a dash", "|-", 0, kLineStart},
      {"bar after a dash", "-|", 1, kLineEnd},
      {"bar between dashes starts", "-|-", 1, kLineStart},
      {"lone bar", " | ", 1, kLineNone},
      {"dash between dashes", "---", 1, kLineThrough},
      {"dash after a bar, before a dash", "|--", 1, kLineThrough},
      {"first dash", "--", 0, kLineStart},
      {"last dash", "--", 1, kLineEnd},
      {"dash at cell 0 has no left", "--", 0, kLineStart},
      {"lone dash", "a-b", 1, kLineNone},
      {"dash at the text's end", "x-", 1, kLineNone},
      {"single dash text", "-", 0, kLineNone},
      {"OEM corner top left", Oem({218}), 0, kLineStart},
      {"OEM corner top right", Oem({191}), 0, kLineEnd},
      {"OEM horizontal", Oem({196}), 0, kLineThrough},
      {"OEM cross", Oem({197}), 0, kLineThrough},
      {"OEM tee left", Oem({195}), 0, kLineStart},
      {"OEM tee right", Oem({180}), 0, kLineEnd},
      {"OEM bottom corners", Oem({192, 217}), 0, kLineStart},
      {"OEM bottom right", Oem({192, 217}), 1, kLineEnd},
      {"OEM tees up and down", Oem({193, 194}), 1, kLineThrough},
      {"OEM vertical", Oem({179}), 0, kLineNone},
      {"letter", "a", 0, kLineNone},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(HorizontalAt(c.text, c.cell), c.role);
  }
}

TEST_F(LineRoles, VerticalTable) {
  struct Case {
    const char* name;
    std::string text;
    int32_t cell;
    int32_t role;
  } const cases[] = {
      {"bar between bars", ThreeRows('|', " | ", '|'), 81, kLineThrough},
      {"dash between bars", ThreeRows('|', " - ", '|'), 81, kLineThrough},
      {"bar under a bar, dash right", ThreeRows('|', " |-", ' '), 81, kLineEnd},
      {"bar under a bar, dash left", ThreeRows('|', "-| ", ' '), 81, kLineEnd},
      {"bar over a bar, dash right", ThreeRows(' ', " |-", '|'), 81, kLineStart},
      {"dash over a bar, dash left", ThreeRows(' ', "-- ", '|'), 81, kLineStart},
      {"lone bar", ThreeRows(' ', " | ", ' '), 81, kLineThrough},
      {"lone dash", ThreeRows(' ', " - ", ' '), 81, kLineNone},
      {"dashes without bars", ThreeRows(' ', "---", ' '), 81, kLineNone},
      {"row 0 has nothing above", "|-" + std::string(78, ' ') + "| ", 0, kLineStart},
      {"OEM vertical", Oem({179}), 0, kLineThrough},
      {"OEM tees", Oem({180, 195, 197}), 1, kLineThrough},
      {"OEM top corners", Oem({218, 191, 194}), 0, kLineStart},
      {"OEM top tee", Oem({218, 191, 194}), 2, kLineStart},
      {"OEM bottom", Oem({192, 217, 193}), 1, kLineEnd},
      {"OEM horizontal", Oem({196}), 0, kLineNone},
      {"bar at the text's end", "x|", 1, kLineThrough},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(VerticalAt(c.text, c.cell), c.role);
  }
}

TEST_F(LineRoles, ChineseDrawsOemBoxCharactersAsText) {
  SetLanguageNumber("CHI");
  for (int code : {179, 180, 191, 192, 193, 194, 195, 196, 197, 217, 218}) {
    SCOPED_TRACE(code);
    EXPECT_EQ(HorizontalAt(Oem({code, code, code}), 1), kLineNone);
    EXPECT_EQ(VerticalAt(Oem({code}), 0), kLineNone);
  }
  EXPECT_EQ(HorizontalAt("---", 1), kLineThrough);
  EXPECT_EQ(VerticalAt(ThreeRows('|', " | ", '|'), 81), kLineThrough);
}

// ---- the lines of the screen ------------------------------------------------------

struct Line {
  bool frame;
  int32_t x1, y1, x2, y2;
  bool operator==(const Line& o) const {
    return frame == o.frame && x1 == o.x1 && y1 == o.y1 && x2 == o.x2 && y2 == o.y2;
  }
};
std::ostream& operator<<(std::ostream& os, const Line& l) {
  return os << (l.frame ? "frame " : "line ") << "(" << l.x1 << ", " << l.y1 << ") - (" << l.x2
            << ", " << l.y2 << ")";
}

std::vector<Line> LinesOf(int32_t firstRow, int32_t rowCount) {
  static ScreenLinePlan plan;
  PlanScreenBoxLines(firstRow, rowCount, &plan);
  std::vector<Line> lines;
  for (int32_t k = 0; k < plan.count; ++k) {
    const ScreenLineItem& i = plan.item[k];
    lines.push_back({i.frame, i.x1, i.y1, i.x2, i.y2});
  }
  return lines;
}

using Lines = std::vector<Line>;
// The rule under row 22, across the full width: from half a cell left of
// column 0 (x 0) to half a cell right of column 79 (x 800), at 22 x 20 + 19.
const Line kRow22Rule = {false, 0, 459, 800, 459};

TEST_F(LineRoles, BoxRowGivesOneLineBetweenTheMiddlesOfItsEnds) {
  PutText(2, 10, "|--------|");
  // Middle of column 10 (110) to middle of column 19 (200), half-way down row 2.
  EXPECT_EQ(LinesOf(2, 1), (Lines{{false, 110, 50, 200, 50}}));
  // Over the whole screen each bar is also a vertical line of one cell.
  EXPECT_EQ(LinesOf(0, 25), (Lines{{false, 110, 50, 200, 50},
                                   kRow22Rule,
                                   {false, 110, 40, 110, 60},
                                   {false, 200, 40, 200, 60}}));
}

TEST_F(LineRoles, LoneDashBetweenLettersGivesNone) {
  PutText(4, 0, "a-b");
  EXPECT_EQ(LinesOf(4, 1), Lines{});
}

TEST_F(LineRoles, ColumnOfBarsFromTheMiddleOfItsTopCell) {
  // Bars in column 5 of rows 3 to 6, a dash right of the top one.
  for (int32_t r = 3; r <= 6; ++r) PutText(r, 5, "|");
  PutText(3, 6, "-");
  EXPECT_EQ(LinesOf(0, 25),
            (Lines{{false, 60, 70, 70, 70},  // the corner's short horizontal
                   kRow22Rule,
                   {false, 60, 70, 60, 140}}));  // middle of row 3 to the bottom of row 6
  // A range that ends inside the column leaves it open: not drawn.
  EXPECT_EQ(LinesOf(3, 3), (Lines{{false, 60, 70, 70, 70}}));
}

TEST_F(LineRoles, NothingReachingColumn79IsDrawn) {
  for (int32_t r = 3; r <= 6; ++r) PutText(r, 79, "|");
  PutText(8, 74, "------");
  PutText(9, 70, "---");
  PutText(9, 77, "---");
  // Only the three dashes of row 9 that end before column 79: from the middle
  // of column 70 to the middle of column 72, at row 9's middle.
  EXPECT_EQ(LinesOf(3, 7), (Lines{{false, 710, 190, 730, 190}}));
}

TEST_F(LineRoles, BandRow20HasATopRuleInsteadOfBoxLines) {
  PutText(20, 10, "|----|");
  PutText(21, 10, "|----|");
  PutRowAttribute(20, kAttrBandRow);
  EXPECT_EQ(LinesOf(20, 2), (Lines{{false, 0, 400, 800, 400}, {false, 110, 430, 160, 430}}));
  PutRowAttribute(20, 3);
  EXPECT_EQ(LinesOf(20, 1), (Lines{{false, 110, 410, 160, 410}}));
}

TEST_F(LineRoles, UnderlinesOfMarkedRows) {
  PutRowAttribute(5, kAttrUnderline);
  PutRowAttribute(6, kAttrShortUnderline);
  // From x of the row's first cell to half a cell before column 79 / 60.
  EXPECT_EQ(LinesOf(5, 2), (Lines{{false, 5, 120, 790, 120}, {false, 5, 140, 600, 140}}));
}

TEST_F(LineRoles, InputFieldsAreFramedWhenTheirRowGoesOn) {
  std::memset(g_screenModel.screenAttributes + 8 * 80 + 10, kAttrInputField, 5);
  std::memset(g_screenModel.screenAttributes + 8 * 80 + 75, kAttrInputField,
              5);  // to the row's end
  std::memset(g_screenModel.screenAttributes + 9 * 80 + 0, kAttrInputField, 1);
  EXPECT_EQ(LinesOf(8, 2), (Lines{{true, 103, 160, 155, 180}, {true, 3, 180, 15, 200}}));
}

TEST_F(LineRoles, RowsAreLimitedToTheScreen) {
  PutText(0, 0, " |--| ");
  PutText(24, 0, " |--| ");
  const Lines top = LinesOf(0, 3);
  EXPECT_EQ(LinesOf(-3, 6), top);
  EXPECT_EQ(LinesOf(-100, 103), top);
  EXPECT_EQ(LinesOf(24, 10), (Lines{{false, 20, 490, 50, 490}}));
  EXPECT_EQ(LinesOf(25, 1), Lines{});
  EXPECT_EQ(LinesOf(0, 0), Lines{});
  EXPECT_EQ(LinesOf(5, -2), Lines{});
  // A count that reaches past the last row however large it is: the rows from
  // the first to row 24, never a last row that wraps round below the first.
  EXPECT_EQ(LinesOf(24, INT32_MAX), (Lines{{false, 20, 490, 50, 490}}));
  EXPECT_EQ(LinesOf(INT32_MAX, INT32_MAX), Lines{});
  EXPECT_EQ(LinesOf(INT32_MIN, INT32_MIN), Lines{});
  EXPECT_EQ(LinesOf(-5, INT32_MIN + 2), Lines{});
}

TEST_F(LineRoles, ChineseScreenHasNoOemLines) {
  PutText(2, 0, Oem({218, 196, 196, 191}));
  PutText(3, 0, " ---");
  EXPECT_EQ(LinesOf(2, 2), (Lines{{false, 10, 50, 40, 50},
                                  {false, 20, 70, 40, 70},
                                  {false, 10, 50, 10, 60},
                                  {false, 40, 50, 40, 60}}));
  SetLanguageNumber("CHI");
  EXPECT_EQ(LinesOf(2, 2), (Lines{{false, 20, 70, 40, 70}}));
}

}  // namespace
