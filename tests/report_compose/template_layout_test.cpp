#include <string>
#include <vector>

#include "compose_fixture.h"

namespace {

class Layout : public ComposeTest {};

TEST_F(Layout, HeaderFieldsKeyMaskAndCursor) {
  std::string h1 = std::string(20, ' ') + "H1F1xxxx  H1F2yyyy";
  std::string h2 = "YYNNNNNNNNNNH" + std::string(7, ' ') + "H2F1zzzz";
  std::string record = Record(h1, h2, {TemplateRow("Go _F here"), TemplateRow("x_P")});
  record.resize(kTemplateRecordSize, '\0');  // the buffer a record is read into
  struct Case {
    const char* command;
    const char* mask;
    int32_t cursor;
  };
  const Case cases[] = {{"EX ", "YYNNNNNNNNNNH", 3},
                        {"DX ", "YYNNNNNNNNNNH", -1},
                        {"EN ", "NNNNNNNNNNNNN", 3},
                        {"_PD", "NNNNNNNNNNNNN", 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    char page[1920];
    char mask[13];
    char fields[100];
    int32_t cursor = -1;
    LayOutTemplate(c.command, record.data(), page, mask, fields, &cursor);
    EXPECT_EQ(std::string(mask, 13), c.mask);
    EXPECT_EQ(cursor, c.cursor);
    EXPECT_EQ(std::string(page, 10), "Go  F here");  // the mark's underscore is a blank
    EXPECT_EQ(std::string(page + 80, 3), "x_P");     // not preceded by a blank: kept
    EXPECT_EQ(std::string(fields, 16), "H1F1xxxxH1F2yyyy");
    EXPECT_EQ(std::string(fields + 16, 32), std::string(32, ' '));
    EXPECT_EQ(std::string(fields + 48, 8), "H2F1zzzz");
  }
}

TEST_F(Layout, ReferenceParsing) {
  struct Case {
    const char* label;
    std::string row;
    int32_t cell;
    int32_t length;
    int32_t code;
    const char* name;
  };
  const Case cases[] = {
      {"at the opening", "x [[Bword]] y", 2, 9, 2, "word"},
      {"at the second '['", "x [[Bword]] y", 3, 9, 2, "word"},
      {"inside", "x [[Bword]] y", 6, 9, 2, "word"},
      {"at the closing", "x [[Bword]] y", 9, 9, 2, "word"},
      {"at the second ']'", "x [[Bword]] y", 10, 9, 2, "word"},
      {"a blank after the letter", "[[B word]]", 0, 10, 2, ""},
      {"blanks before the letter", "[[  Cab]]", 0, 9, 3, "ab"},
      {"no closing", "x [[Bword y", 2, 0, 0, ""},
      {"a closing before the cell ends the search left", "[[A]] x ]] ", 6, 0, 0, ""},
      {"not in the next row", std::string(78, ' ') + "[[", 78, 0, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    std::string text = c.row + std::string(160 - c.row.size(), ' ');
    if (std::string(c.label) == "not in the next row") text.replace(80, 5, "Bx]] ");
    int32_t code = 0;
    char name[kReferenceNameSize];
    EXPECT_EQ(ParseReference(c.cell, text.c_str(), &code, name), c.length);
    if (c.length > 0) {
      EXPECT_EQ(code, c.code);
      EXPECT_STREQ(name, c.name);
    }
  }
}

// Values are clipped to the page, and markers at its ends read blanks beside
// them (the buffers are exactly one page long).
TEST_F(Layout, ValuesAtThePagesEnds) {
  std::vector<char> templatePage(1920, ' ');
  std::vector<char> composed(1920, '?');
  templatePage[0] = '}';
  templatePage[1919] = '{';
  templatePage[1000] = '~';
  std::string values = std::string("XYZ\3LMNOP\3QRSTU\3") + '\x19';
  FillTemplateFields(composed.data(), templatePage.data(), values.data());
  EXPECT_EQ(composed[0], 'Z');  // only the last character of the value ending at cell 0
  EXPECT_EQ(composed[1919], 'Q');
  EXPECT_EQ(std::string(composed.data() + 998, 5), "LMNOP");
  EXPECT_EQ(templatePage[0], ' ');
  EXPECT_EQ(g_screenModel.fieldIndex[0], 0);
  EXPECT_EQ(g_screenModel.fieldIndex[1000], 4);
  EXPECT_EQ(g_screenModel.fieldIndex[1919], 10);
}

TEST_F(Layout, TemplateCharactersOnBothPages) {
  std::vector<char> templatePage(1920, ' ');
  std::vector<char> composed(1920, '?');
  const std::string row = std::string("#@`x{y}z~w") + '\0' + "[[Aname]]";
  std::copy(row.begin(), row.end(), templatePage.begin());
  templatePage[79] = 'Q';
  std::string values = std::string("\3\3\3\3") + '\x19';  // four empty values
  FillTemplateFields(composed.data(), templatePage.data(), values.data());
  EXPECT_EQ(std::string(composed.data(), 20), "   x y z w          ");
  EXPECT_EQ(std::string(templatePage.data(), 11), "#@#xyyyz w ");
  EXPECT_EQ(composed[79], 'Q');
  EXPECT_EQ(templatePage[79], 'Q');
  EXPECT_EQ(g_screenModel.fieldIndex[2], -1);  // an empty value leaves no index
}

TEST_F(Layout, ScreenAttributes) {
  std::vector<char> templateRows(1920, ' ');
  std::vector<char> screen(2000, 'T');
  std::vector<uint8_t> attributes(1920, 99);
  const char controls[] = {'"', 'B', 'W', '1', 'G', '\'', 'R', '2', 'Y', '9', 'u', 'v', 'X', 'q'};
  const uint8_t expected[] = {0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 'u', 'v', 3, 0};
  for (int r = 0; r < 14; ++r) templateRows[r * 80 + 79] = controls[r];
  templateRows[2 * 80 + 5] = '#';
  templateRows[12 * 80 + 5] = '@';  // on an 'X' row
  templateRows[20 * 80 + 79] = 'X';
  ScreenAttributesFromTemplate(screen.data(), templateRows.data(), attributes.data());
  for (int r = 0; r < 14; ++r) {
    SCOPED_TRACE(::testing::Message() << "control '" << controls[r] << "'");
    EXPECT_EQ(attributes[r * 80], expected[r]);
    EXPECT_EQ(attributes[r * 80 + 79], expected[r]);
    EXPECT_EQ(screen[r * 80 + 79], ' ');
  }
  EXPECT_EQ(attributes[2 * 80 + 5], 5);
  EXPECT_EQ(attributes[12 * 80 + 5], 3);
  EXPECT_EQ(templateRows[12 * 80 + 5], ' ');
  EXPECT_EQ(templateRows[2 * 80 + 5], '#');
  // An 'X' on row 20: rows 20 to 22 get 7.
  EXPECT_EQ(attributes[20 * 80], 7);
  EXPECT_EQ(attributes[21 * 80], 7);
  EXPECT_EQ(attributes[22 * 80], 7);
  EXPECT_EQ(attributes[23 * 80], 0);
}

TEST_F(Layout, RowsTwentyOneAndTwentyTwoWithRGetSeven) {
  std::vector<char> templateRows(1920, ' ');
  std::vector<char> screen(2000, ' ');
  std::vector<uint8_t> attributes(1920, 0);
  templateRows[21 * 80 + 79] = 'R';
  templateRows[22 * 80 + 79] = 'R';
  ScreenAttributesFromTemplate(screen.data(), templateRows.data(), attributes.data());
  EXPECT_EQ(attributes[21 * 80], 7);
  EXPECT_EQ(attributes[22 * 80], 7);
  templateRows[22 * 80 + 79] = 'r';
  ScreenAttributesFromTemplate(screen.data(), templateRows.data(), attributes.data());
  EXPECT_EQ(attributes[21 * 80], 3);
  EXPECT_EQ(attributes[22 * 80], 3);
}

}  // namespace
