// Screen input: clicks to keys and field entries, the scans over the input
// cells, gathering and placing field values.
#include "report/input/screen_input.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "report/compose/page_composer.h"
#include "report/screen/screen_drawing.h"
#include "report/screen/screen_model.h"
#include "report_input/screen_dc.h"

namespace {

constexpr char kAllKeys[] = "YYYYYYYYYYYYY";
constexpr char kNoKeys[] = "NNNNNNNNNNNNN";

class ScreenInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetScreenForTests();
    ResetPageComposerForTests();
    dc_ = MakeTestScreenDc();
    SetScreenDcForTests(dc_);
    templ_.assign(2000, ' ');
    screen_.assign(2000, ' ');
    attributes_.assign(2000, 0);
  }
  void TearDown() override {
    SetScreenDcForTests(nullptr);
    FreeTestScreenDc(dc_);
    ResetScreenForTests();
    ResetPageComposerForTests();
  }
  void Screen(int cell, const std::string& text) { screen_.replace(cell, text.size(), text); }
  void Template(int cell, const std::string& text) { templ_.replace(cell, text.size(), text); }
  int32_t Click(int cell, const char* mask = kNoKeys, const char* command = "XXX") {
    return ClickToKey(command, mask, templ_.data(), screen_.data(), attributes_.data(), cell);
  }
  static std::string Mask(int position, char letter, char others = 'N') {
    std::string m(13, others);
    m[position - 1] = letter;
    return m;
  }

  void* dc_ = nullptr;
  std::string templ_, screen_;
  std::vector<uint8_t> attributes_;
};

TEST_F(ScreenInputTest, FunctionKeyLabels) {
  const struct {
    const char* name;
    int at;  // where the row's text is put
    std::string text;
    int click;  // offset of the click from `at`
    int key;
  } cases[] = {
      {"click on the '='", 1760, "F3=Save", 2, 3},
      {"click on the word after it", 1760, "F3=Save", 5, 3},
      {"one blank before '='", 1760, "F3 =Save", 6, 3},
      {"three-character label", 1760, "F11=Help", 5, 11},
      {"F10 with a blank", 1760, "F10 =More", 6, 10},
      // Only a blank may stand between a label and its '='.
      {"another character before '='", 1760, "F3x=Save", 3, 0},
      {"F1", 1760, "F1=Exit", 4, 1},
      {"nearer label on the left", 1760, "F2=ab F5=", 4, 2},
      {"a tie goes right", 1760, "F2=ab F5=", 5, 5},
      // The nearer label lies behind a pair of blanks: the other side wins.
      {"pair of blanks on the right only", 1760, "F2=abcdef  F5=", 8, 2},
      {"pair of blanks on the left only", 1760, "F2=  abcdef F5=", 5, 5},
      {"no label", 1760, "F0=x G3=y", 2, 0},
      // "F3" at the end of the row above does not make a label of the '='
      // that starts the next row.
      {"label text on the row above", 1678, "F3=Save", 4, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    screen_.assign(2000, ' ');
    Screen(c.at, c.text);
    EXPECT_EQ(FindFunctionKeyLabel(templ_.data(), screen_.data(), c.at + c.click), c.key);
  }
  // An '=' on an input cell of the template is no label.
  screen_.assign(2000, ' ');
  Screen(1760, "F4=x");
  EXPECT_EQ(FindFunctionKeyLabel(templ_.data(), screen_.data(), 1763), 4);
  Template(1762, "@");
  EXPECT_EQ(FindFunctionKeyLabel(templ_.data(), screen_.data(), 1763), 0);
}

TEST_F(ScreenInputTest, MatchLabelComparesTheGivenLength) {
  const char* const labels[] = {"F1", "F2", "F10"};
  EXPECT_EQ(MatchLabel("F2", labels, 3, 2), 2);
  EXPECT_EQ(MatchLabel("F1", labels, 3, 2), 1);
  EXPECT_EQ(MatchLabel("F10", labels, 3, 3), 3);
  EXPECT_EQ(MatchLabel("F3", labels, 3, 2), 0);
}

TEST_F(ScreenInputTest, ClickRules) {
  const struct {
    const char* name;
    std::string mask;
    const char* command;
    std::vector<std::pair<int, std::string>> screen;
    std::vector<std::pair<int, std::string>> templ;
    int cell;
    int key;
  } cases[] = {
      {"cell before the screen", kAllKeys, "XXX", {}, {}, -1, 0},
      {"cell after the screen", kAllKeys, "XXX", {}, {}, 2000, 0},
      {"input cell", kAllKeys, "XXX", {}, {{500, "@@@"}}, 501, 0},
      {"label enabled", kAllKeys, "XXX", {{1760, "F3=Save"}}, {}, 1762, 3},
      {"label disabled falls through", Mask(13, 'Y'), "XXX", {{1760, "F3=Save"}}, {}, 1762, 13},
      {"lone point", Mask(6, 'H'), "XXX", {{500, "a . b"}}, {}, 502, 6},
      {"point between digits", Mask(6, 'H'), "XXX", {{500, "1.5"}}, {}, 501, 0},
      {"lone point on cell 1918", Mask(6, 'H'), "XXX", {{1917, " . "}}, {}, 1918, 6},
      {"lone point on cell 1919", Mask(6, 'H'), "XXX", {{1918, " . "}}, {}, 1919, 0},
      {"lone point on cell 0", Mask(6, 'H'), "XXX", {{0, ". "}}, {}, 0, 0},
      {"lone point without H or F falls through",
       Mask(13, 'Y'),
       "XXX",
       {{500, " . "}},
       {},
       501,
       13},
      {"command C", kNoKeys, "XXC", {}, {}, 700, 13},
      {"key 13", Mask(13, 'Y'), "XXX", {}, {}, 700, 13},
      {"first F key above the key rows", Mask(4, 'F'), "XXX", {}, {}, 700, 4},
      {"no F key in the key rows", Mask(4, 'F'), "XXX", {}, {}, 1850, 0},
      {"before the first field", Mask(7, 'Y'), "XXX", {}, {{500, "###"}}, 300, 7},
      {"after the first field", Mask(7, 'Y'), "XXX", {}, {{500, "###"}}, 600, 0},
      {"after the last field", Mask(8, 'Y'), "XXX", {}, {{500, "###"}}, 600, 8},
      {"after the last field but in the key rows",
       Mask(8, 'Y'),
       "XXX",
       {},
       {{500, "###"}},
       1850,
       0},
      {"nothing", kNoKeys, "XXX", {}, {}, 700, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    templ_.assign(2000, ' ');
    screen_.assign(2000, ' ');
    for (const auto& [cell, text] : c.screen) Screen(cell, text);
    for (const auto& [cell, text] : c.templ) Template(cell, text);
    EXPECT_EQ(Click(c.cell, c.mask.c_str(), c.command), c.key);
  }
}

// A click in the screen's margins lands on no cell, so it gives no key: on a
// 1000 x 750 client (cells of 12 x 30 after a margin of 6, the 80th column
// ending at x 966) the label F3 at the start of row 1 answers only a click
// on its own cells, never one right of row 0's last column or left of row
// 1's first.
TEST_F(ScreenInputTest, ClicksInTheMarginsGiveNoKey) {
  ScreenMetricsRecord metrics = {nullptr, nullptr, 1000, 750};
  SetScreenMetrics(&metrics);
  Screen(80, "F3=Save");
  const struct {
    int32_t x, y;
    int key;
  } cases[] = {
      {6, 30, 3},    // column 0 of row 1: the label's own cell
      {41, 59, 3},   // column 2 of row 1: its '='
      {966, 0, 0},   // right of row 0's 80th column
      {999, 29, 0},  // the client's last pixel of row 0
      {5, 30, 0},    // left of row 1's first column
      {0, 59, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "pixel " << c.x << ", " << c.y);
    EXPECT_EQ(Click(PixelToCell(c.x, c.y), kAllKeys), c.key);
  }
}

TEST_F(ScreenInputTest, AReferenceFillsItsFieldCutToItsLength) {
  Template(100, "@@@@@");  // field 1
  Template(200, "@@@");    // field 2
  Template(400, "[[BLONGNAME]]");
  Screen(203, "x");
  EXPECT_EQ(Click(405), -1);
  EXPECT_EQ(screen_.substr(200, 4), "LONx");
  EXPECT_EQ(screen_.substr(100, 5), "     ");
  EXPECT_EQ(std::string(g_screenModel.screenText + 200, 3), "LON");
}

TEST_F(ScreenInputTest, AClickedWordFillsTheFieldBeforeIt) {
  const struct {
    const char* name;
    const char* field;
    std::string word;
    int click;                // offset of the click from the word's start
    std::string field_after;  // the field's cells and the cell after it
    int key;
  } cases[] = {
      {"number into a number field", "####", "12.5", 1, "12.5x", -1},
      {"exponent", "######", "-1.5E3", 0, "-1.5E3x", -1},
      {"word into a number field", "####", "abc", 1, "    x", 0},
      {"word cut to the field", "@@@", "LONGWORD", 2, "LONx", -1},
      {"word up to '='", "@@@@@", "ab=cd", 0, "ab   x", -1},
      {"short word fills with blanks", "@@@@@@", "ok", 1, "ok    x", -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    templ_.assign(2000, ' ');
    screen_.assign(2000, ' ');
    const int length = static_cast<int>(std::strlen(c.field));
    Template(81, c.field);
    Screen(81 + length, "x");
    Screen(81 + length + 3, c.word);
    EXPECT_EQ(Click(81 + length + 3 + c.click), c.key);
    EXPECT_EQ(screen_.substr(81, length + 1), c.field_after);
    if (c.key == -1) {
      // Each cell of the field is drawn, so the screen's shadow holds it.
      EXPECT_EQ(std::string(g_screenModel.screenText + 81, length),
                c.field_after.substr(0, length));
    }
  }
}

TEST_F(ScreenInputTest, WordEntryGivesUp) {
  // The input cell right before the click.
  Template(81, "@@@");
  Screen(84, "ab");
  EXPECT_EQ(Click(84), 0);
  EXPECT_EQ(screen_.substr(81, 3), "   ");
  // A whole blank row between the field and the click.
  templ_.assign(2000, ' ');
  screen_.assign(2000, ' ');
  Template(1, "@@@");
  Screen(170, "word");
  EXPECT_EQ(Click(171), 0);
  EXPECT_EQ(screen_.substr(1, 3), "   ");
  // Below row 19 no word is entered.
  templ_.assign(2000, ' ');
  screen_.assign(2000, ' ');
  Template(1601, "@@@");
  Screen(1610, "word");
  EXPECT_EQ(Click(1611), 0);
}

TEST_F(ScreenInputTest, AClickRightOfAFilledFieldNeverCopiesItsLabel) {
  // "Name: abcd" with the field's text "abcd" at cells 10 to 13: the scan for
  // a word starts on the field's last cell when that is the nearest text,
  // and must then give up rather than copy the label into the field.
  const struct {
    const char* name;
    std::string mask;
    std::string right;  // text from cell 17 on
    int click;
    int key;
    std::string field;  // cells 10 to 13 afterwards
  } cases[] = {
      {"nothing right of the click", kNoKeys, "", 16, 0, "abcd"},
      {"the click goes on to key 13", Mask(13, 'Y'), "", 16, 13, "abcd"},
      {"a tie between the field and a word goes left", kNoKeys, "  xy", 16, 0, "abcd"},
      {"a word nearer than the field is copied", kNoKeys, "xy", 16, -1, "xy  "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    templ_.assign(2000, ' ');
    screen_.assign(2000, ' ');
    Template(10, "@@@@");
    Screen(4, "Name: abcd");
    Screen(17, c.right);
    EXPECT_EQ(Click(c.click, c.mask.c_str()), c.key);
    EXPECT_EQ(screen_.substr(10, 4), c.field);
    EXPECT_EQ(screen_.substr(4, 6), "Name: ");
  }
}

TEST_F(ScreenInputTest, FieldScans) {
  Template(100, "@@@@@");
  Template(300, "###");
  int32_t start = -1;
  EXPECT_EQ(FindInputField(2, templ_.data(), &start), 3);
  EXPECT_EQ(start, 300);
  EXPECT_EQ(FindInputField(1, templ_.data(), &start), 5);
  EXPECT_EQ(start, 100);
  EXPECT_EQ(FindInputField(3, templ_.data(), &start), 0);
  EXPECT_EQ(FindInputField(0, templ_.data(), &start), 0);

  EXPECT_EQ(NextFieldEdge(0, templ_.data()), 100);
  EXPECT_EQ(NextFieldEdge(102, templ_.data()), 105);
  EXPECT_EQ(NextFieldEdge(400, templ_.data()), 100);   // round the ring
  EXPECT_EQ(NextFieldEdge(1679, templ_.data()), 100);  // past the ring: from cell 0
  EXPECT_EQ(NextFieldEdge(1999, templ_.data()), 100);
  EXPECT_EQ(NextFieldEdge(-1, templ_.data()), -1);
  EXPECT_EQ(PreviousFieldStart(200, templ_.data()), 100);
  EXPECT_EQ(PreviousFieldStart(350, templ_.data()), 300);
  EXPECT_EQ(PreviousFieldStart(50, templ_.data()), 300);  // round the ring

  const std::string none(2000, ' ');
  EXPECT_EQ(NextFieldEdge(10, none.data()), -1);
  EXPECT_EQ(PreviousFieldStart(10, none.data()), -1);
  EXPECT_EQ(FindInputField(1, none.data(), &start), 0);

  // A field at cell 0 is the first field.
  templ_.assign(2000, ' ');
  Template(0, "@@@@");
  Template(10, "@@");
  EXPECT_EQ(FindInputField(1, templ_.data(), &start), 4);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(FindInputField(2, templ_.data(), &start), 2);
  EXPECT_EQ(start, 10);
}

TEST_F(ScreenInputTest, GatheringFields) {
  Template(100, "@@");
  Template(300, "@@");
  Screen(100, "ab");
  Screen(300, "c");
  screen_[301] = '\0';
  std::vector<char> out(kGatheredSize, '?');
  EXPECT_EQ(GatherInputFields("XXX", templ_.data(), screen_.data(), out.data()), 6);
  EXPECT_EQ(std::string(out.data(), 7), std::string("ab\3c \3\31"));
  EXPECT_EQ(GatherInputFields("XXU", templ_.data(), screen_.data(), out.data()), 6);
  EXPECT_EQ(std::string(out.data(), 7), std::string("AB\3C \3\31"));
  std::vector<char> untouched(kGatheredSize, '?');
  EXPECT_EQ(GatherInputFields("XNX", templ_.data(), screen_.data(), untouched.data()), 0);
  EXPECT_EQ(GatherInputFields("XFX", templ_.data(), screen_.data(), untouched.data()), 0);
  EXPECT_EQ(untouched[0], '?');

  // A field still open at the last cell read is closed.
  templ_.assign(2000, ' ');
  Template(1913, "@@@@");
  Screen(1913, "xyzw");
  EXPECT_EQ(GatherInputFields("XXX", templ_.data(), screen_.data(), out.data()), 3);
  EXPECT_EQ(std::string(out.data(), 4), std::string("xy\3\31"));

  // The largest output fits the size the caller gives.
  templ_.assign(2000, '@');
  std::vector<char> full(kGatheredSize);
  EXPECT_EQ(GatherInputFields("XXX", templ_.data(), screen_.data(), full.data()), 1916);
  EXPECT_EQ(full[1915], '\3');
  EXPECT_EQ(full[1916], '\31');
  for (int i = 0; i < 2000; i += 2) templ_[i + 1] = ' ';
  EXPECT_EQ(GatherInputFields("XXX", templ_.data(), screen_.data(), full.data()), 1916);
}

TEST_F(ScreenInputTest, PlacingValues) {
  // Fields one cell apart each get their own value.
  Template(10, "@@@");
  Template(14, "@@@");
  Template(30, "@@");
  Screen(13, "|");
  const std::string values = std::string("abc\3") + "defgh\3" + "ij\3" + "kl\3";
  EXPECT_EQ(PlaceFieldValues(templ_.data(), screen_.data(), values.c_str()), 32);
  EXPECT_EQ(screen_.substr(10, 7), "abc|def");
  EXPECT_EQ(screen_.substr(17, 1), " ");
  EXPECT_EQ(screen_.substr(30, 2), "ij");
  // Values run out: the rest of the fields keep their text.
  screen_.assign(2000, ' ');
  EXPECT_EQ(PlaceFieldValues(templ_.data(), screen_.data(), "x\3y"), 13);
  EXPECT_EQ(screen_.substr(10, 7), "x      ");
  // A field at cell 0 takes the first value.
  templ_.assign(2000, ' ');
  screen_.assign(2000, ' ');
  Template(0, "@@");
  Template(5, "@@");
  PlaceFieldValues(templ_.data(), screen_.data(), "AB\3CD\3");
  EXPECT_EQ(screen_.substr(0, 7), "AB   CD");
}

TEST_F(ScreenInputTest, ValuesAreReadOnlyUpToTheListsEnd) {
  // Three fields, each holding "zzz" before the values are placed. Each list
  // sits in a heap block of exactly its own size, without a NUL after it, so
  // a read past its end is caught where the build checks memory.
  const std::string d1996(1996, 'd');
  const struct {
    const char* name;
    std::string list;
    std::string fields;  // cells 10-12, 20-22 and 30-32 afterwards, joined
    int stop;
  } cases[] = {
      {"fewer values than fields, ended by 25", std::string("abc\3\31"), "abczzzzzz", 13},
      {"text past 25 is no value", std::string("abc\3\31junk\3more\3"), "abczzzzzz", 13},
      {"25 inside a value ends the list", std::string("abc\3d\31e\3"), "abczzzzzz", 13},
      {"a NUL ends the list", std::string("abc\3\0de\3", 8), "abczzzzzz", 13},
      {"a value ending on the 2000th character",
       std::string("abc\3") + std::string(1995, 'd') + "\3", "abcdddzzz", 23},
      {"a value ending on the 2001st character", std::string("abc\3") + d1996 + "\3", "abczzzzzz",
       13},
      {"a value for every field", std::string("abc\3def\3ghi\3\31"), "abcdefghi", 33},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    templ_.assign(2000, ' ');
    screen_.assign(2000, ' ');
    Template(10, "@@@");
    Template(20, "@@@");
    Template(30, "@@@");
    Screen(10, "zzz");
    Screen(20, "zzz");
    Screen(30, "zzz");
    const std::vector<char> list(c.list.begin(), c.list.end());
    EXPECT_EQ(PlaceFieldValues(templ_.data(), screen_.data(), list.data()), c.stop);
    EXPECT_EQ(screen_.substr(10, 3) + screen_.substr(20, 3) + screen_.substr(30, 3), c.fields);
  }
}

TEST_F(ScreenInputTest, ATextLineIsReadUpToItsNulOrEightyCharacters) {
  const char text[] = "HELLO\nWORLD\0IGNORED";
  ShowTextLine(text, 3);
  EXPECT_EQ(std::string(g_screenModel.screenText + 240, 80), "HELLO WORLD" + std::string(69, ' '));
  EXPECT_EQ(g_screenModel.screenAttributes[240], kTextLineAttribute);
  EXPECT_EQ(g_screenModel.screenAttributes[318], kTextLineAttribute);
  EXPECT_STREQ(text, "HELLO\nWORLD");  // the caller's text is unchanged
  // Exactly 80 characters without a NUL are read and no further.
  const std::vector<char> full(80, 'Z');
  ShowTextLine(full.data(), 24);
  EXPECT_EQ(std::string(g_screenModel.screenText + 1920, 80), std::string(80, 'Z'));
}

TEST(TextHelpers, TrimRemoveUpperBlank) {
  char text[] = "  x y ";
  TrimBlanks(text);
  EXPECT_STREQ(text, "x y");
  EXPECT_EQ(RemoveBlanks(text), 2);
  EXPECT_STREQ(text, "xy");
  char blanks[] = "   ";
  TrimBlanks(blanks);
  EXPECT_STREQ(blanks, "");
  EXPECT_EQ(UpperCaseLetter('q'), 'Q');
  EXPECT_EQ(UpperCaseLetter('{'), '{');
  char nuls[4] = {'a', '\0', '\0', 'b'};
  EXPECT_EQ(BlankNuls(nuls, 4), 4);
  EXPECT_EQ(std::string(nuls, 4), "a  b");
}

}  // namespace
