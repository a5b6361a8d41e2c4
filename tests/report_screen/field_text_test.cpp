// The value a marker cell shows: FieldTextForCell over hand-made field data.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "report/screen/screen_model.h"
#include "screen_fixture.h"

namespace {

class FieldText : public ScreenTest {};

std::string TextOf(int32_t cell) {
  char out[kFieldValueShownLimit + 1];
  std::memset(out, 'Z', sizeof out);
  const int32_t length = FieldTextForCell(out, cell);
  EXPECT_EQ(static_cast<size_t>(length), std::strlen(out)) << "cell " << cell;
  return out;
}

TEST_F(FieldText, ValuesByMarkerAndIndex) {
  // "abc", "a  b" and "x" back to back, each followed by character 3.
  PutField(100, '}', 0, "abc");
  PutField(200, '{', 4, "a  b");
  PutField(201, '~', 4, "a  b");
  PutField(300, ' ', 9, "x");
  EXPECT_EQ(TextOf(100), "abc");
  EXPECT_EQ(TextOf(200), "a");     // a value that starts at its marker ends at a double blank
  EXPECT_EQ(TextOf(201), "a  b");  // other markers keep the whole value
  EXPECT_EQ(TextOf(300), "x");     // no marker at all: the index decides
  EXPECT_EQ(TextOf(101), "");      // index -1
}

TEST_F(FieldText, ValueWithoutEndReadsAsOneBlank) {
  std::memcpy(g_screenModel.fieldValueText, "abc", 3);  // no character 3 before the NUL
  g_screenModel.fieldIndex[10] = 0;
  EXPECT_EQ(TextOf(10), " ");
  // A value text of 2000 characters without NUL or character 3: the search
  // ends at its end.
  std::memset(g_screenModel.fieldValueText, 'q', kFieldValueCapacity);
  EXPECT_EQ(TextOf(10), " ");
}

TEST_F(FieldText, CellsAndIndexesOutsideTheModelGiveNothing) {
  g_screenModel.fieldIndex[0] = 0;
  g_screenModel.fieldIndex[1999] = 0;
  PutField(5, '}', 0, "v");
  struct Case {
    int32_t cell;
    int32_t index;
    const char* expected;
  } const cases[] = {
      {-1, 0, ""},    {2000, 0, ""}, {1999, 0, "v"},
      {7, 2000, " "},  // the last offset: the NUL ends the search at once
      {7, 2001, ""},  {7, -5, ""},   {7, 0x7FFFFFFF, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "cell " << c.cell << " index " << c.index);
    if (c.cell >= 0 && c.cell < kScreenCells) g_screenModel.fieldIndex[c.cell] = c.index;
    EXPECT_EQ(TextOf(c.cell), c.expected);
  }
}

TEST_F(FieldText, LongValueIsCutTo160) {
  const std::string value(200, 'w');
  PutField(40, '}', 0, value);
  EXPECT_EQ(TextOf(40), std::string(160, 'w'));
}

}  // namespace
