#include "report_base/character_tests.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "entry/library_reset.h"
#include "report/language.h"

namespace {

class CharacterTests : public ::testing::Test {
 protected:
  void SetUp() override { ResetLibraryForTests(); }
  void TearDown() override { ResetLibraryForTests(); }
};

// The text is held in a buffer of exactly its length, so that a read past
// its end is caught by the address sanitizer.
int32_t BoxAt(const std::string& text, int32_t cell) {
  std::vector<char> exact(text.begin(), text.end());
  return IsBoxChar(exact.data(), static_cast<int32_t>(exact.size()), cell);
}

TEST_F(CharacterTests, IsBoxCharTable) {
  struct Case {
    std::string text;
    int32_t cell;
    int32_t expected;
  } const cases[] = {
      {"a - b", 2, 0},   // a single dash between blanks
      {"a -- b", 2, 1},  // the first of two dashes
      {"a -- b", 3, 1},  // the second of two
      {"a -| b", 2, 1},
      {"a |- b", 3, 1},
      {"|", 0, 1},
      {"x|x", 1, 1},
      {"-x", 0, 0},  // no previous character at cell 0
      {"a-", 1, 0},  // the neighbour past the end is a blank
      {"-", 0, 0},
      {std::string("\xB3"), 0, 1},  // 179
      {std::string("\xD3"), 0, 1},  // 211
      {std::string("\xD4"), 0, 0},  // 212
      {std::string("\xD5"), 0, 1},  // 213
      {std::string("\xD6"), 0, 1},  // 214
      {std::string("\xD7"), 0, 0},  // 215
      {std::string("\xD8"), 0, 0},  // 216
      {std::string("\xD9"), 0, 1},  // 217
      {std::string("\xDA"), 0, 1},  // 218
      {std::string("\xDB"), 0, 0},  // 219
      {std::string("\xB2"), 0, 0},  // 178
      {std::string(1, '\0'), 0, 1},
      {"A", 0, 0},
      {"=", 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BoxAt(c.text, c.cell), c.expected)
        << "cell " << c.cell << " code "
        << static_cast<int>(static_cast<unsigned char>(c.text[c.cell]));
  }
}

TEST_F(CharacterTests, DashesAcrossRowEndsAreNeighbours) {
  std::string text(160, ' ');
  text[79] = '-';
  text[80] = '-';
  EXPECT_EQ(BoxAt(text, 79), 1);
  EXPECT_EQ(BoxAt(text, 80), 1);
}

TEST_F(CharacterTests, ChineseDrawsOemBoxCharactersAsText) {
  SetLanguageNumber("CHI");
  ASSERT_EQ(GetLanguageNumber(), kLanguageChinese);
  for (int code = 179; code <= 218; ++code) {
    EXPECT_EQ(BoxAt(std::string(1, static_cast<char>(code)), 0), 0) << code;
  }
  EXPECT_EQ(BoxAt(std::string(1, '\0'), 0), 0);
  EXPECT_EQ(BoxAt("--", 0), 1);
  EXPECT_EQ(BoxAt("-|", 0), 1);
  EXPECT_EQ(BoxAt("|", 0), 1);
  EXPECT_EQ(BoxAt("a - b", 2), 0);
}

TEST_F(CharacterTests, LeadByteOnlyInChinese) {
  EXPECT_EQ(IsLeadByte(static_cast<char>(200)), 0);
  SetLanguageNumber("CHI");
  EXPECT_EQ(IsLeadByte(static_cast<char>(160)), 1);
  EXPECT_EQ(IsLeadByte(static_cast<char>(255)), 1);
  EXPECT_EQ(IsLeadByte(static_cast<char>(159)), 0);
  EXPECT_EQ(IsLeadByte('A'), 0);
}

TEST(CharacterTestsPlain, NumericChar) {
  for (char c : std::string("0123456789.-")) EXPECT_EQ(IsNumericChar(c), 1) << c;
  for (char c : std::string("+eE ,/aZ")) EXPECT_EQ(IsNumericChar(c), 0) << c;
}

// One row (or more) of text with a marker map of the same size.
struct Screen {
  std::string text;
  std::string markers;
  explicit Screen(const std::string& row, int rows = 1)
      : text(static_cast<size_t>(rows) * 80, ' '), markers(static_cast<size_t>(rows) * 80, ' ') {
    text.replace(0, row.size(), row);
  }
  Screen& Mark(int cell, char m) {
    markers[static_cast<size_t>(cell)] = m;
    return *this;
  }
  std::string Extent(int cell, int lowest = 0) const {
    char out[kFieldTextLimit + 1];
    std::memset(out, 'X', sizeof out);
    const int32_t n = FindFieldExtent(out, text.data(), markers.data(),
                                      static_cast<int32_t>(text.size()), cell, lowest);
    EXPECT_EQ(n, static_cast<int32_t>(std::strlen(out)));
    return out;
  }
};

TEST_F(CharacterTests, OpeningMarkerRunsToADoubleBlank) {
  Screen s("Name: ABC DEF  rest");
  s.Mark(6, '{');
  EXPECT_EQ(s.Extent(6), "ABC DEF");
  EXPECT_EQ(FindFieldEnd(s.text.data(), s.markers.data(), 80, 6), 12);
}

TEST_F(CharacterTests, OpeningMarkerStopsBeforeTheNextOpeningMarker) {
  Screen s("Name: ABC DEF  rest");
  s.Mark(6, '{').Mark(10, '{');
  EXPECT_EQ(s.Extent(6), "ABC");
}

TEST_F(CharacterTests, OpeningMarkerStopsBeforeALineCharacter) {
  Screen s("x ABC|DEF");
  s.Mark(2, '{');
  EXPECT_EQ(s.Extent(2), "ABC");
  Screen t(
      std::string("x AB\xC4"
                  "CD"));  // 196, a horizontal box line
  t.Mark(2, '{');
  EXPECT_EQ(t.Extent(2), "AB");
}

TEST_F(CharacterTests, ClosingMarkerBeforeAFieldEndTakesItsWords) {
  Screen s("Name: AB CD}");
  s.Mark(6, '{').Mark(11, '}');
  // '}' at 11: the end is the last blank before it, less one.
  EXPECT_EQ(FindFieldEnd(s.text.data(), s.markers.data(), 80, 6), 7);
}

TEST_F(CharacterTests, RowsLastColumnIsNeverPartOfAField) {
  Screen s("", 2);
  for (int c = 70; c < 80; ++c) s.text[static_cast<size_t>(c)] = 'X';
  for (int c = 150; c < 160; ++c) s.text[static_cast<size_t>(c)] = 'Y';
  s.Mark(70, '{').Mark(150, '{');
  EXPECT_EQ(s.Extent(70), std::string(9, 'X'));
  EXPECT_EQ(s.Extent(150), std::string(9, 'Y'));
}

TEST_F(CharacterTests, RightAlignedValueReachesOverSingleBlanks) {
  Screen s("Value:   1 234");
  s.Mark(13, '}');
  EXPECT_EQ(FindFieldStart(s.text.data(), s.markers.data(), 80, 13), 9);
  EXPECT_EQ(s.Extent(13), "1 234");
  EXPECT_EQ(s.Extent(13, 11), "234");  // never below the lowest start
}

TEST_F(CharacterTests, FieldStartOnTheSecondRowStopsAtTheRowStart) {
  Screen s("", 2);
  s.text.replace(80, 5, "12345");
  s.Mark(84, '}');
  EXPECT_EQ(FindFieldStart(s.text.data(), s.markers.data(), 160, 84), 80);
  EXPECT_EQ(s.Extent(84), "12345");
}

TEST_F(CharacterTests, TildeMarkerReachesBothWays) {
  Screen s("  foo bar  x");
  s.Mark(3, '~');
  EXPECT_EQ(s.Extent(3), "foo bar");
  EXPECT_EQ(s.Extent(3, 6), "bar");  // never below the lowest start
}

// Where a field that ends at a closing marker begins.
TEST_F(CharacterTests, ClosingMarkerStartTable) {
  struct Case {
    std::string row;
    int openAt;  // a '{' or '~' marker to the left, or -1
    char open;
    int cell;  // the '}' marker
    std::string expected;
  } const cases[] = {
      // Another field's marker: the word after the blank noted last ...
      {"Name: ABC DEF", 6, '{', 12, "DEF"},
      {"Name: ABC DEF", 6, '~', 12, "DEF"},
      // ... or, with no blank on the way, nothing before the cell.
      {"Name: ABCDEF", 6, '{', 11, "F"},
      {"Size..12", -1, ' ', 7, "12"},  // two dots end it
      {"x=12", -1, ' ', 3, "12"},      // an '=' ends it
      {"ab 12", -1, ' ', 4, "12"},     // at the row start: after the blank noted
      {"ab12", -1, ' ', 3, "ab12"},    // at the row start, no blank: all of it
  };
  for (const Case& c : cases) {
    Screen s(c.row);
    if (c.openAt >= 0) s.Mark(c.openAt, c.open);
    s.Mark(c.cell, '}');
    EXPECT_EQ(s.Extent(c.cell), c.expected) << c.row;
  }
}

TEST_F(CharacterTests, OpeningMarkerBeforeAClosingOrTildeMarker) {
  // No blank between them: the field is the opening cell alone.
  Screen s("x ABCD}");
  s.Mark(2, '{').Mark(6, '}');
  EXPECT_EQ(s.Extent(2), "A");
  // A '~' ends it like a '}': before the last blank.
  Screen t("AB CD EF");
  t.Mark(0, '{').Mark(6, '~');
  EXPECT_EQ(t.Extent(0), "AB CD");
}

TEST_F(CharacterTests, EqualsColumnTakesAtMostTwoWords) {
  struct Case {
    std::string row;
    int cell;
    std::string expected;
  } const cases[] = {
      {"x  ab cd=", 8, "ab cd="}, {"q ab cd=", 7, "ab cd="},
      {"a+b=", 3, "="},  // an operator before it: nothing but the '='
      {"a*b=", 3, "="},           {"ab=", 2, "ab="},
      {" ab=", 3, "ab="},  // a blank at the row start
      {"a^b=", 3, "="},
  };
  for (const Case& c : cases) {
    Screen s(c.row);
    EXPECT_EQ(s.Extent(c.cell), c.expected) << c.row;
  }
}

TEST_F(CharacterTests, EndBeforeStartIsAnEmptyField) {
  // A closing marker on a blank after blanks: the start lies after the cell.
  Screen s("AB");
  s.Mark(5, '}');
  EXPECT_EQ(FindFieldStart(s.text.data(), s.markers.data(), 80, 5), 6);
  EXPECT_EQ(s.Extent(5), "");
  // An opening marker on a blank in the row's next-to-last column.
  Screen t("");
  t.Mark(78, '{');
  EXPECT_EQ(FindFieldEnd(t.text.data(), t.markers.data(), 80, 78), 77);
  EXPECT_EQ(t.Extent(78), "");
  // A lowest start beyond the cell.
  Screen u("  12}");
  u.Mark(3, '}');
  EXPECT_EQ(u.Extent(3, 10), "");
}

TEST_F(CharacterTests, NoMarkerGivesAnEmptyField) {
  Screen s("Name: ABC");
  EXPECT_EQ(s.Extent(6), "");
  // Marker characters in the text are no markers.
  Screen t("AB}{");
  EXPECT_EQ(t.Extent(2), "");
  EXPECT_EQ(t.Extent(3), "");
}

TEST_F(CharacterTests, EqualsInTheTextOutranksTheMarker) {
  Screen s("ab=cd");
  s.Mark(2, '{');
  EXPECT_EQ(s.Extent(2), "ab=");
}

}  // namespace
