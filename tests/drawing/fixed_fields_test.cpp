#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "drawing/fixed_fields.h"

namespace {

struct RealCase {
  const char* line;
  const char* descriptor;
  float expected;  // what the address holds afterwards; it starts at 7.0
};

// Every value below is exact in single precision except 1 / 10000, which is
// written as the division the reader makes.
TEST(ReadFixedFields, RealFields) {
  const RealCase cases[] = {
      {"   12500", "F84", 1.25f},            // last four digits are decimals
      {"    1.25", "F84", 1.0f / 10000.0f},  // the point ends the number: 1
      {"   -5000", "F84", -0.5f},
      {"   +2000", "F84", 0.2f},
      {"  -9000", "F73", -9.0f},
      {"12345678", "F80", 12345678.0f},
      {"     123", "F84", 0.0123f},
      {"        ", "F84", 7.0f},                   // no digits: unchanged
      {"   -    ", "F84", 7.0f},                   // a sign alone is no number
      {"", "F84", 7.0f},                           // past the end of the line
      {"  12\n999", "F84", 0.0012f},               // the line ends at its line end
      {"  1 2   ", "F84", 0.0001f},                // a blank ends the digits
      {"99999999", "X04F44", 9999.0f / 10000.0f},  // skipped columns
      {"  4", "Q12F31", 0.4f},                     // an unknown item takes nothing
  };
  for (const RealCase& c : cases) {
    float value = 7.0f;
    ReadFixedFields(c.line, c.descriptor, &value);
    EXPECT_EQ(value, c.expected) << "line \"" << c.line << "\" with " << c.descriptor;
  }
}

TEST(ReadFixedFields, WholeNumbersAndTexts) {
  int32_t a = -1;
  int32_t b = -1;
  int32_t c = -1;
  ReadFixedFields("  -12+3 x", "I05I02I02", &a, &b, &c);
  EXPECT_EQ(a, -12);
  EXPECT_EQ(b, 3);
  EXPECT_EQ(c, -1);  // " x": no digits

  char text[4] = "zzz";
  int32_t n = 0;
  ReadFixedFields("abc42", "A03I02", text, &n);
  EXPECT_STREQ(text, "abc");
  EXPECT_EQ(n, 42);

  char shortText[6];
  std::memset(shortText, 'z', sizeof shortText);
  ReadFixedFields("ab\n", "A05", shortText);
  EXPECT_STREQ(shortText, "ab");  // stops at the line end

  int32_t huge = 0;
  ReadFixedFields("99999999999", "I11", &huge);
  EXPECT_EQ(huge, INT32_MAX);
}

TEST(ReadFixedFields, CommandLineColumns) {
  // Columns 1, 2-9, 10-17, 18-19.
  char letter[2] = {0, 0};
  float x = 0;
  float y = 0;
  int32_t n = 0;
  ReadFixedFields("M   10000  -25000 7", "A01F84F84I02", letter, &x, &y, &n);
  EXPECT_EQ(letter[0], 'M');
  EXPECT_EQ(x, 1.0f);
  EXPECT_EQ(y, -2.5f);
  EXPECT_EQ(n, 7);
}

TEST(ReadFixedFields, FieldsWiderThan84ColumnsAreCut) {
  // I99 takes 84 columns; the next field starts at column 85.
  std::string line(84, ' ');
  line += "5";
  int32_t first = -1;
  int32_t second = -1;
  ReadFixedFields(line.c_str(), "I99I01", &first, &second);
  EXPECT_EQ(first, -1);
  EXPECT_EQ(second, 5);
}

TEST(ReadFixedFields, MoreItemsThanAddresses) {
  float x = 0;
  void* const addresses[] = {&x};
  ReadFixedFieldsInto("   10000   20000", "F84F84", addresses, 1);
  EXPECT_EQ(x, 1.0f);
}

}  // namespace
