// Where the screen's text goes: the cells a draw covers, the attribute rule of
// column 79, runs, and the pieces of a run (segments and values placed by
// their markers), worked out by hand from the rules of the text algorithm.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "report/screen/screen_lines.h"
#include "report/screen/screen_refresh.h"
#include "report/screen/screen_text.h"
#include "screen_fixture.h"

namespace {

class RunPlacement : public ScreenTest {};

struct Piece {
  int32_t kind;
  int32_t cell;
  std::string text;
  bool operator==(const Piece& o) const {
    return kind == o.kind && cell == o.cell && text == o.text;
  }
};

std::ostream& operator<<(std::ostream& os, const Piece& p) {
  const char* kinds[] = {"segment", "right", "centred"};
  return os << "{" << kinds[p.kind] << ", " << p.cell << ", \"" << p.text << "\"}";
}

// The pieces of every run that `count` cells of `text` from `start` give,
// with the attributes of the shadows. The text is copied into a buffer of
// exactly its length, so that any read past it is caught by the sanitizer.
std::vector<Piece> PiecesOf(const std::string& text, int32_t start) {
  std::vector<char> exact(text.begin(), text.end());
  std::vector<uint8_t> attributes(g_screenModel.screenAttributes + start,
                                  g_screenModel.screenAttributes + start + text.size());
  ScreenSpan span;
  EXPECT_TRUE(ClampScreenSpan(start, static_cast<int32_t>(text.size()), &span));
  static ScreenTextCopy copy;
  MakeScreenTextCopy(exact.data(), span, &copy);
  static ScreenRun runs[kScreenCells];
  const int32_t runCount = CutScreenRuns(attributes.data(), span, runs);
  std::vector<Piece> pieces;
  static RunTextPlan plan;
  for (int32_t r = 0; r < runCount; ++r) {
    PlanRunText(copy, runs[r], &plan);
    for (int32_t k = 0; k < plan.count; ++k) {
      const TextPlacement& p = plan.item[k];
      EXPECT_EQ(static_cast<size_t>(p.length), std::strlen(p.text));
      pieces.push_back({p.kind, p.cell, p.text});
    }
  }
  return pieces;
}

// One screen row of text: `content` from column 0, blanks to column 79.
std::string Row(const std::string& content) {
  std::string row = content;
  row.resize(kScreenColumns, ' ');
  return row;
}

TEST_F(RunPlacement, SpanChecks) {
  struct Case {
    int32_t start, count;
    bool covers;
    int32_t coveredCount;
  } const cases[] = {
      {0, 2000, true, 2000}, {1995, 10, true, 5}, {1999, 1, true, 1}, {-1, 5, false, 0},
      {2000, 1, false, 0},   {5, 0, false, 0},    {5, -3, false, 0},  {0, 0x7FFFFFFF, true, 2000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "start " << c.start << " count " << c.count);
    ScreenSpan span = {-7, -7};
    EXPECT_EQ(ClampScreenSpan(c.start, c.count, &span), c.covers);
    if (c.covers) {
      EXPECT_EQ(span.start, c.start);
      EXPECT_EQ(span.count, c.coveredCount);
    }
  }
}

TEST_F(RunPlacement, DrawsOutsideTheScreenStoreNothing) {
  const std::string before(g_screenModel.screenText, kScreenCells);
  std::vector<char> text(5, 'x');
  std::vector<uint8_t> attributes(5, 3);
  for (int32_t start : {-1, -100, 2000, 2001}) {
    PaintScreenText(nullptr, text.data(), attributes.data(), 5, start);
    DrawScreenRun(text.data(), attributes.data(), 5, start);
  }
  PaintScreenText(nullptr, text.data(), attributes.data(), 0, 10);
  PaintScreenText(nullptr, text.data(), attributes.data(), -4, 10);
  EXPECT_EQ(std::string(g_screenModel.screenText, kScreenCells), before);
  for (int32_t cell = 0; cell < kScreenCells; ++cell) {
    ASSERT_EQ(g_screenModel.screenAttributes[cell], 0) << "cell " << cell;
  }
  EXPECT_EQ(attributes, std::vector<uint8_t>(5, 3));
}

TEST_F(RunPlacement, CountIsCutAtTheLastCell) {
  // Buffers of the five cells that fit: the other five are never read.
  std::vector<char> text = {'a', 'b', 'c', 'd', 'e'};
  std::vector<uint8_t> attributes = {1, 2, 3, 4, 8};
  PaintScreenText(nullptr, text.data(), attributes.data(), 10, 1995);
  EXPECT_EQ(std::string(g_screenModel.screenText + 1995, 5), "abcde");
  EXPECT_EQ(g_screenModel.screenAttributes[1999], 4);  // column 79 took column 78's attribute
  EXPECT_EQ(attributes[4], 4);
}

TEST_F(RunPlacement, WholeScreenDrawIsNotStored) {
  // 2000 cells are the shadows themselves when drawn again; another text of
  // 2000 cells is drawn but not kept.
  std::string text(kScreenCells, 'q');
  std::vector<uint8_t> attributes(kScreenCells, 2);
  PaintScreenText(nullptr, text.data(), attributes.data(), kScreenCells, 0);
  EXPECT_EQ(g_screenModel.screenText[0], ' ');
  EXPECT_EQ(g_screenModel.screenAttributes[0], 0);
  PaintScreenText(nullptr, text.data(), attributes.data(), 1999, 0);
  EXPECT_EQ(g_screenModel.screenText[0], 'q');
  EXPECT_EQ(g_screenModel.screenAttributes[1998], 2);
}

TEST_F(RunPlacement, ShadowsCanBeTheirOwnSource) {
  // Row 24 is drawn again from ScreenText and ScreenAttributes themselves.
  PutText(24, 0, "Caption text");
  PutRowAttribute(24, kAttrCaption);
  ShowActiveCaption();
  ShowInactiveCaption();
  EXPECT_EQ(std::string(g_screenModel.screenText + 1920, 12), "Caption text");
  EXPECT_EQ(g_screenModel.screenAttributes[1999], kAttrCaption);
  // A source that overlaps its destination is copied as it was (the sanitizer
  // rejects an overlapping memcpy).
  PutText(0, 0, "0123456789AB");
  for (uint8_t k = 0; k < 12; ++k) g_screenModel.screenAttributes[k] = k % 5;
  DrawScreenRun(g_screenModel.screenText + 1, g_screenModel.screenAttributes + 1, 10, 0);
  EXPECT_EQ(std::string(g_screenModel.screenText, 12), "123456789AAB");
  EXPECT_EQ(g_screenModel.screenAttributes[0], 1);
  EXPECT_EQ(g_screenModel.screenAttributes[9], 0);  // 10 % 5
}

TEST_F(RunPlacement, Column79TakesItsLeftNeighboursAttribute) {
  // A row of attribute 2 whose 80th column has attribute 0 is one run of 2.
  std::vector<uint8_t> attributes(kScreenColumns, 2);
  attributes[79] = 0;
  const std::string text = Row("Row text");
  PaintScreenText(nullptr, text.data(), attributes.data(), kScreenColumns, 240);
  EXPECT_EQ(attributes[79], 2);  // the caller's array is written
  EXPECT_EQ(g_screenModel.screenAttributes[319], 2);
  ScreenRun runs[kScreenCells];
  const int32_t n = CutScreenRuns(attributes.data(), ScreenSpan{240, 80}, runs);
  ASSERT_EQ(n, 1);
  EXPECT_EQ(runs[0].first, 240);
  EXPECT_EQ(runs[0].count, 80);
  EXPECT_EQ(runs[0].attribute, 2);
  EXPECT_EQ(ColoursOfAttribute(runs[0].attribute).text, ScreenRgb(0, 127, 63));
}

TEST_F(RunPlacement, Column79RuleOnlyWithItsLeftNeighbourInRange) {
  // A draw that starts in column 79 has no left neighbour to read.
  std::vector<uint8_t> attributes = {9, 1};
  std::vector<char> text = {'x', 'y'};
  PaintScreenText(nullptr, text.data(), attributes.data(), 2, 79);
  EXPECT_EQ(attributes[0], 9);
  EXPECT_EQ(g_screenModel.screenAttributes[79], 9);
  EXPECT_EQ(g_screenModel.screenAttributes[80], 1);
}

TEST_F(RunPlacement, UnderlineMarkSurvivesOnlyWhenTheRowCarriesIt) {
  // The underline test reads column 79 after a whole-screen draw has applied
  // the rule: a row of 'u' keeps its mark, a lone 'u' in column 79 loses it.
  PutRowAttribute(3, kAttrUnderline);
  g_screenModel.screenAttributes[5 * 80 + 79] = kAttrUnderline;
  DrawWholeScreen();
  EXPECT_EQ(g_screenModel.screenAttributes[3 * 80 + 79], kAttrUnderline);
  EXPECT_EQ(g_screenModel.screenAttributes[5 * 80 + 79], 0);
  static ScreenLinePlan plan;
  PlanScreenBoxLines(3, 3, &plan);
  ASSERT_EQ(plan.count, 1);
  EXPECT_EQ(plan.item[0].y1, 3 * 20 + 20);
}

TEST_F(RunPlacement, RunsTable) {
  struct Case {
    const char* name;
    int32_t start;
    std::vector<uint8_t> attributes;
    std::vector<std::vector<int32_t>> runs;  // first, count, attribute
  } const cases[] = {
      {"one attribute in one row", 10, std::vector<uint8_t>(5, 1), {{10, 5, 1}}},
      {"attribute changes", 0, {1, 1, 5, 5, 5, 1}, {{0, 2, 1}, {2, 3, 5}, {5, 1, 1}}},
      {"row end", 78, {2, 2, 2, 2}, {{78, 2, 2}, {80, 2, 2}}},
      {"single cells", 0, {1, 2, 1}, {{0, 1, 1}, {1, 1, 2}, {2, 1, 1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScreenRun runs[kScreenCells];
    const int32_t n = CutScreenRuns(
        c.attributes.data(), ScreenSpan{c.start, static_cast<int32_t>(c.attributes.size())}, runs);
    ASSERT_EQ(static_cast<size_t>(n), c.runs.size());
    for (int32_t k = 0; k < n; ++k) {
      EXPECT_EQ(runs[k].first, c.runs[k][0]) << "run " << k;
      EXPECT_EQ(runs[k].count, c.runs[k][1]) << "run " << k;
      EXPECT_EQ(runs[k].attribute, c.runs[k][2]) << "run " << k;
    }
  }
}

TEST_F(RunPlacement, SegmentsEndAtDoubleBlanksAndLines) {
  using P = std::vector<Piece>;
  // The last cell of a run (the control column of a row) is never drawn.
  EXPECT_EQ(PiecesOf(Row("Total  value"), 0),
            (P{{kPlaceSegment, 0, "Total "}, {kPlaceSegment, 7, "value "}}));
  EXPECT_EQ(PiecesOf(Row(std::string(76, ' ') + "endX"), 0), (P{{kPlaceSegment, 76, "end"}}));
  // A line character is blanked and ends the segment before it.
  EXPECT_EQ(PiecesOf(Row("ab|cd"), 80), (P{{kPlaceSegment, 80, "ab"}, {kPlaceSegment, 83, "cd "}}));
  // A run of one cell draws nothing; a run of two draws its first cell.
  g_screenModel.screenAttributes[161] = 3;
  g_screenModel.screenAttributes[162] = 3;
  EXPECT_EQ(PiecesOf("abcd", 160), (P{{kPlaceSegment, 161, "b"}}));
}

TEST_F(RunPlacement, LeftAlignedValue) {
  using P = std::vector<Piece>;
  PutField(86, '{', 0, "Carbon steel");
  EXPECT_EQ(PiecesOf(Row("Name: Carbon steel  rest"), 80), (P{{kPlaceSegment, 80, "Name: "},
                                                              {kPlaceSegment, 86, "Carbon steel"},
                                                              {kPlaceSegment, 100, "rest "}}));
}

TEST_F(RunPlacement, LeftAlignedValueStaysInItsRun) {
  using P = std::vector<Piece>;
  // Columns 0 to 9 of attribute 1, an input field from column 10: the value
  // at column 6 is cut at its run's end.
  PutField(86, '{', 0, "Carbon steel");
  std::memset(g_screenModel.screenAttributes + 80, 1, 10);
  std::memset(g_screenModel.screenAttributes + 90, kAttrInputField, 70);
  const P pieces = PiecesOf(Row("Name: Carbon steel"), 80);
  ASSERT_GE(pieces.size(), 2u);
  EXPECT_EQ(pieces[1], (Piece{kPlaceSegment, 86, "Carb"}));
}

TEST_F(RunPlacement, RightAlignedValue) {
  using P = std::vector<Piece>;
  PutField(179, '}', 0, "1234.5");
  EXPECT_EQ(PiecesOf(Row("Weight        1234.5  kg"), 160), (P{{kPlaceSegment, 160, "Weight "},
                                                               {kPlaceRight, 179, "1234.5"},
                                                               {kPlaceSegment, 182, "kg "}}));
  // A segment running into the value is drawn up to the cell before it.
  PutField(252, '}', 7, "1234.5");
  EXPECT_EQ(PiecesOf(Row("Weight 1234.5"), 240),
            (P{{kPlaceSegment, 240, "Weight "}, {kPlaceRight, 252, "1234.5"}}));
}

TEST_F(RunPlacement, EqualsColumnsAlignOnEveryRowMarkersOnlyAbove20) {
  using P = std::vector<Piece>;
  // Two rows with '=' in column 10: each right-aligns the words before it.
  EXPECT_EQ(PiecesOf(Row("Flow rate =") + Row("Heat duty ="), 320),
            (P{{kPlaceSegment, 320, "Flow "},
               {kPlaceRight, 330, "rate ="},
               {kPlaceSegment, 400, "Heat "},
               {kPlaceRight, 410, "duty ="}}));
  // The same '}' marker right-aligns its value in row 1 and counts for
  // nothing in row 21, where the '=' column still aligns.
  PutField(87, '}', 0, "12");
  EXPECT_EQ(PiecesOf(Row("Total 12"), 80),
            (P{{kPlaceSegment, 80, "Total "}, {kPlaceRight, 87, "12"}}));
  PutField(1687, '}', 0, "12");
  EXPECT_EQ(PiecesOf(Row("Total 12  Key =") + Row("Other     Key ="), 1680),
            (P{{kPlaceSegment, 1680, "Total 12 "},
               {kPlaceRight, 1694, "Key ="},
               {kPlaceSegment, 1760, "Other "},
               {kPlaceRight, 1774, "Key ="}}));
}

TEST_F(RunPlacement, CentredValue) {
  using P = std::vector<Piece>;
  // Five characters centred on column 10 stand at columns 8 to 12.
  PutField(250, '~', 0, "ABCDE");
  EXPECT_EQ(PiecesOf(Row("Lbl     ABCDE"), 240),
            (P{{kPlaceSegment, 240, "Lbl "}, {kPlaceCentred, 250, "ABCDE"}}));
  // Found one cell further left than half its length: the segment before it
  // stops short of it, and the text goes on after it.
  PutField(330, '~', 6, "WXYZ");
  EXPECT_EQ(PiecesOf(Row("Label: WXYZ q"), 320), (P{{kPlaceSegment, 320, "Label: "},
                                                    {kPlaceCentred, 330, "WXYZ"},
                                                    {kPlaceSegment, 332, "q "}}));
}

TEST_F(RunPlacement, CentredValueFoundLeftOfItsCellIsPlacedOnce) {
  using P = std::vector<Piece>;
  // A one-character value found one cell left of its marker: going on "after"
  // it would step back onto the marker, again and again.
  PutField(410, '~', 0, "Q");
  EXPECT_EQ(PiecesOf(Row("         QR"), 400), (P{{kPlaceCentred, 410, "Q"}}));
}

TEST_F(RunPlacement, CellsBeforeAndAfterThePassedTextReadAsBlanks) {
  using P = std::vector<Piece>;
  // A draw that starts mid-row at a centred marker: the value's usual place
  // starts before the text passed, which reads as blanks.
  PutField(250, '~', 0, "ABCDE");
  EXPECT_EQ(PiecesOf("ABCDE", 250), (P{{kPlaceCentred, 250, "ABCDE"}}));
  // An '=' whose column neighbours lie outside the text passed aligns nothing.
  EXPECT_EQ(PiecesOf("Heat duty = 5", 410), (P{{kPlaceSegment, 410, "Heat duty = "}}));
  // A left value longer than the rest of its run is cut at the run's end
  // (the text passed), the line character there drawn as a blank.
  PutField(1590, '{', 10, "abcdefghXYZ");
  EXPECT_EQ(PiecesOf(" abcdefgh|", 1589), (P{{kPlaceSegment, 1590, "abcdefgh "}}));
}

}  // namespace
