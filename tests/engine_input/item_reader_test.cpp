// The item reader, case by case: separators, items not given, slashes,
// enclosed texts, repeat counts, numbers, and the end-of-file and read-error
// outcomes.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "engine/input/item_reader.h"
#include "input_fixture.h"

namespace {

using input::ReadOutcome;
using input_test::Bits;
using input_test::TextLines;
using input_test::Trimmed;

constexpr const char* kSame = "=";  // the target kept its value

struct ItemCase {
  const char* name;
  const char* text;
  ReadOutcome outcome;
  // Expected contents of: text (width 8), text (width 8), integer, real (as
  // its bit pattern in hex), or kSame.
  const char* expected[4];
  // What a one-item read finds next ("" for the end of the file); nullptr: not
  // checked.
  const char* next;
};

const ItemCase kCases[] = {
    // Separators.
    {"commas", "a,b,3,1.5", ReadOutcome::Ok, {"a", "b", "3", "3FC00000"}, ""},
    {"blanks", "a  b   3 1.5", ReadOutcome::Ok, {"a", "b", "3", "3FC00000"}, ""},
    {"tabs", "a\tb\t\t3\t1.5", ReadOutcome::Ok, {"a", "b", "3", "3FC00000"}, ""},
    {"blanks around commas", " a , b ,3 ,  1.5 ", ReadOutcome::Ok, {"a", "b", "3", "3FC00000"}, ""},
    {"over two lines", "a,b\n3 1.5\nnext", ReadOutcome::Ok, {"a", "b", "3", "3FC00000"}, "next"},
    {"comma before line end", "a,b,\n3,1.5", ReadOutcome::Ok, {"a", "b", "3", "3FC00000"}, ""},
    {"comma after line end", "a,b\n,3,1.5", ReadOutcome::Ok, {"a", "b", "3", "3FC00000"}, ""},
    {"blank lines skipped",
     "\n  \n\t\na\n\nb 3\n 1.5",
     ReadOutcome::Ok,
     {"a", "b", "3", "3FC00000"},
     ""},
    {"rest of line dropped",
     "a,b,3,1.5,extra more\nnext",
     ReadOutcome::Ok,
     {"a", "b", "3", "3FC00000"},
     "next"},
    // Items not given.
    {"two commas", "a,,3,1.5", ReadOutcome::Ok, {"a", kSame, "3", "3FC00000"}, ""},
    {"commas over a line end", "a,b,\n,1.5", ReadOutcome::Ok, {"a", "b", kSame, "3FC00000"}, ""},
    {"opening comma", ",b,3,1.5", ReadOutcome::Ok, {kSame, "b", "3", "3FC00000"}, ""},
    {"opening comma after blanks",
     "   ,b,3,1.5",
     ReadOutcome::Ok,
     {kSame, "b", "3", "3FC00000"},
     ""},
    {"slash", "a,b/3,1.5\nnext", ReadOutcome::Ok, {"a", "b", kSame, kSame}, "next"},
    {"slash after the index", "a,b,3/", ReadOutcome::Ok, {"a", "b", "3", kSame}, ""},
    {"slash alone", "/\nnext", ReadOutcome::Ok, {kSame, kSame, kSame, kSame}, "next"},
    {"slash after a null", "a,,/", ReadOutcome::Ok, {"a", kSame, kSame, kSame}, ""},
    {"slash ends a text", "a/b,c", ReadOutcome::Ok, {"a", kSame, kSame, kSame}, ""},
    // Enclosed texts.
    {"apostrophes", "'a b','c,d',3,1.5", ReadOutcome::Ok, {"a b", "c,d", "3", "3FC00000"}, ""},
    {"double quotes", "\"a/b\" \"x\" 3 1.5", ReadOutcome::Ok, {"a/b", "x", "3", "3FC00000"}, ""},
    {"doubled quotes",
     "'it''s',\"say\"\"\",3,1.5",
     ReadOutcome::Ok,
     {"it's", "say\"", "3", "3FC00000"},
     ""},
    {"other quote inside",
     "'a\"b',\"c'd\",3,1.5",
     ReadOutcome::Ok,
     {"a\"b", "c'd", "3", "3FC00000"},
     ""},
    {"over a line end", "'ab\ncd',e,3,1.5", ReadOutcome::Ok, {"abcd", "e", "3", "3FC00000"}, ""},
    {"empty text", "'',b,3,1.5", ReadOutcome::Ok, {"", "b", "3", "3FC00000"}, ""},
    {"leading blank kept", "' a',b,3,1.5", ReadOutcome::Ok, {" a", "b", "3", "3FC00000"}, ""},
    {"cut to the width",
     "abcdefghij,'klmnopqrst',3,1.5",
     ReadOutcome::Ok,
     {"abcdefgh", "klmnopqr", "3", "3FC00000"},
     ""},
    {"quote inside a plain text",
     "ab'c,d,3,1.5",
     ReadOutcome::Ok,
     {"ab'c", "d", "3", "3FC00000"},
     ""},
    {"text after the closing quote",
     "'ab'c,d,3,1.5",
     ReadOutcome::Error,
     {kSame, kSame, kSame, kSame},
     nullptr},
    {"unclosed text",
     "'abc,d,3,1.5",
     ReadOutcome::EndOfFile,
     {kSame, kSame, kSame, kSame},
     nullptr},
    // Repeat counts.
    {"r*c", "2*x,3,1.5", ReadOutcome::Ok, {"x", "x", "3", "3FC00000"}, ""},
    {"r*c over types", "4*5", ReadOutcome::Ok, {"5", "5", "5", "40A00000"}, ""},
    {"r* alone", "2*,3,1.5", ReadOutcome::Ok, {kSame, kSame, "3", "3FC00000"}, ""},
    {"r* at the end", "a,b,2*\nnext", ReadOutcome::Ok, {"a", "b", kSame, kSame}, "next"},
    {"r* then blank", "2* 3 1.5", ReadOutcome::Ok, {kSame, kSame, "3", "3FC00000"}, ""},
    {"r*'text'", "2*'p q',2*7", ReadOutcome::Ok, {"p q", "p q", "7", "40E00000"}, ""},
    {"repeat beyond the read",
     "a,b,5*1\nnext",
     ReadOutcome::Ok,
     {"a", "b", "1", "3F800000"},
     "next"},
    {"huge repeat", "99999999999999999999*5", ReadOutcome::Ok, {"5", "5", "5", "40A00000"}, ""},
    {"zero repeat", "0*a,b,3,1.5", ReadOutcome::Error, {kSame, kSame, kSame, kSame}, nullptr},
    {"star alone is a text", "*,b,3,1.5", ReadOutcome::Ok, {"*", "b", "3", "3FC00000"}, ""},
    // Integers.
    {"signed integers", "a,b,-42,1", ReadOutcome::Ok, {"a", "b", "-42", "3F800000"}, ""},
    {"plus sign", "a,b,+007,1", ReadOutcome::Ok, {"a", "b", "7", "3F800000"}, ""},
    {"integer saturates high",
     "a,b,99999999999999999999,1",
     ReadOutcome::Ok,
     {"a", "b", "9223372036854775807", "3F800000"},
     ""},
    {"integer saturates low",
     "a,b,-99999999999999999999,1",
     ReadOutcome::Ok,
     {"a", "b", "-9223372036854775808", "3F800000"},
     ""},
    {"lowest integer",
     "a,b,-9223372036854775808,1",
     ReadOutcome::Ok,
     {"a", "b", "-9223372036854775808", "3F800000"},
     ""},
    {"one above the lowest",
     "a,b,-9223372036854775807,1",
     ReadOutcome::Ok,
     {"a", "b", "-9223372036854775807", "3F800000"},
     ""},
    {"one below the highest",
     "a,b,9223372036854775806,1",
     ReadOutcome::Ok,
     {"a", "b", "9223372036854775806", "3F800000"},
     ""},
    {"letters in the index", "a,b,x,1.5", ReadOutcome::Error, {"a", "b", kSame, kSame}, nullptr},
    {"decimal in the index", "a,b,3.0,1.5", ReadOutcome::Error, {"a", "b", kSame, kSame}, nullptr},
    {"sign alone", "a,b,-,1.5", ReadOutcome::Error, {"a", "b", kSame, kSame}, nullptr},
    {"enclosed index", "a,b,'3',1.5", ReadOutcome::Error, {"a", "b", kSame, kSame}, nullptr},
    // Reals.
    {"E exponent", "a,b,1,1.5E3", ReadOutcome::Ok, {"a", "b", "1", "44BB8000"}, ""},
    {"lower-case e", "a,b,1,1.5e3", ReadOutcome::Ok, {"a", "b", "1", "44BB8000"}, ""},
    {"D exponent", "a,b,1,1.5D3", ReadOutcome::Ok, {"a", "b", "1", "44BB8000"}, ""},
    {"lower-case d, negative", "a,b,1,-15d-1", ReadOutcome::Ok, {"a", "b", "1", "BFC00000"}, ""},
    {"integer as real", "a,b,1,-2", ReadOutcome::Ok, {"a", "b", "1", "C0000000"}, ""},
    {"leading point", "a,b,1,+.5", ReadOutcome::Ok, {"a", "b", "1", "3F000000"}, ""},
    {"trailing point", "a,b,1,5.", ReadOutcome::Ok, {"a", "b", "1", "40A00000"}, ""},
    {"plus exponent", "a,b,1,1E+2", ReadOutcome::Ok, {"a", "b", "1", "42C80000"}, ""},
    {"one tenth", "a,b,1,0.1", ReadOutcome::Ok, {"a", "b", "1", "3DCCCCCD"}, ""},
    {"missing value", "a,b,1,-1.0E35", ReadOutcome::Ok, {"a", "b", "1", "F99A130C"}, ""},
    {"missing value with D", "a,b,1,-1.0D+35", ReadOutcome::Ok, {"a", "b", "1", "F99A130C"}, ""},
    {"missing value in digits",
     "a,b,1,-100000000000000000000000000000000000.",
     ReadOutcome::Ok,
     {"a", "b", "1", "F99A130C"},
     ""},
    {"tie rounds to even", "a,b,1,16777217", ReadOutcome::Ok, {"a", "b", "1", "4B800000"}, ""},
    {"just above a tie", "a,b,1,16777217.000001", ReadOutcome::Ok, {"a", "b", "1", "4B800001"}, ""},
    // 1 + 2^-24 = 1.000000059604644775390625 lies halfway between 1 and the
    // next real: the digits after the ninth decide.
    {"just above the tie after 1",
     "a,b,1,1.0000000596046448",
     ReadOutcome::Ok,
     {"a", "b", "1", "3F800001"},
     ""},
    {"just below the tie after 1",
     "a,b,1,1.0000000596046447",
     ReadOutcome::Ok,
     {"a", "b", "1", "3F800000"},
     ""},
    {"largest real", "a,b,1,3.4028235e38", ReadOutcome::Ok, {"a", "b", "1", "7F7FFFFF"}, ""},
    {"just below the overflow",
     "a,b,1,3.40282356e38",
     ReadOutcome::Ok,
     {"a", "b", "1", "7F7FFFFF"},
     ""},
    {"overflow", "a,b,1,3.4028236e38", ReadOutcome::Error, {"a", "b", "1", kSame}, nullptr},
    {"far beyond the range", "a,b,1,-1e39", ReadOutcome::Error, {"a", "b", "1", kSame}, nullptr},
    {"huge exponent",
     "a,b,1,1e99999999999999999999",
     ReadOutcome::Error,
     {"a", "b", "1", kSame},
     nullptr},
    {"zero with huge exponent", "a,b,1,0e99999", ReadOutcome::Ok, {"a", "b", "1", "00000000"}, ""},
    {"smallest real", "a,b,1,1.4e-45", ReadOutcome::Ok, {"a", "b", "1", "00000001"}, ""},
    {"above half the smallest", "a,b,1,7.1e-46", ReadOutcome::Ok, {"a", "b", "1", "00000001"}, ""},
    {"below half the smallest", "a,b,1,7e-46", ReadOutcome::Ok, {"a", "b", "1", "00000000"}, ""},
    {"far below the range", "a,b,1,-1e-99999", ReadOutcome::Ok, {"a", "b", "1", "80000000"}, ""},
    {"letters in the value", "a,b,1,1.5x", ReadOutcome::Error, {"a", "b", "1", kSame}, nullptr},
    {"exponent without letter", "a,b,1,1.5+3", ReadOutcome::Error, {"a", "b", "1", kSame}, nullptr},
    {"exponent without digits", "a,b,1,1E", ReadOutcome::Error, {"a", "b", "1", kSame}, nullptr},
    {"point alone", "a,b,1,.", ReadOutcome::Error, {"a", "b", "1", kSame}, nullptr},
    {"infinity is letters", "a,b,1,inf", ReadOutcome::Error, {"a", "b", "1", kSame}, nullptr},
    {"enclosed value", "a,b,1,\"1.5\"", ReadOutcome::Error, {"a", "b", "1", kSame}, nullptr},
    // End of the file.
    {"empty file", "", ReadOutcome::EndOfFile, {kSame, kSame, kSame, kSame}, nullptr},
    {"blank lines only", "\n \n", ReadOutcome::EndOfFile, {kSame, kSame, kSame, kSame}, nullptr},
    {"fewer items than the read", "a,b", ReadOutcome::EndOfFile, {"a", "b", kSame, kSame}, nullptr},
    {"ends after a comma", "a,b,3,", ReadOutcome::EndOfFile, {"a", "b", "3", kSame}, nullptr},
};

std::string Hex(float f) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%08" PRIX32, Bits(f));
  return buffer;
}

TEST(ItemReader, Cases) {
  for (const ItemCase& c : kCases) {
    SCOPED_TRACE(c.name);
    char first[8];
    char second[8];
    std::memcpy(first, "init    ", 8);
    std::memcpy(second, "init    ", 8);
    int64_t index = 77;
    float value = 7.5f;
    const input::ItemTarget targets[4] = {input::TextItem(first, 8), input::TextItem(second, 8),
                                          input::IntegerItem(&index), input::RealItem(&value)};
    TextLines lines(c.text);
    EXPECT_EQ(input::ReadItems(&lines.source, targets, 4), c.outcome);
    EXPECT_EQ(Trimmed(first, 8), std::string(c.expected[0]) == kSame ? "init" : c.expected[0]);
    EXPECT_EQ(Trimmed(second, 8), std::string(c.expected[1]) == kSame ? "init" : c.expected[1]);
    EXPECT_EQ(std::to_string(index), std::string(c.expected[2]) == kSame ? "77" : c.expected[2]);
    EXPECT_EQ(Hex(value), std::string(c.expected[3]) == kSame ? "40F00000" : c.expected[3]);
    if (c.next != nullptr) {
      char next[8];
      std::memcpy(next, "        ", 8);
      const input::ItemTarget one = input::TextItem(next, 8);
      const ReadOutcome r = input::ReadItems(&lines.source, &one, 1);
      if (std::string(c.next).empty()) {
        EXPECT_EQ(r, ReadOutcome::EndOfFile);
      } else {
        EXPECT_EQ(r, ReadOutcome::Ok);
        EXPECT_EQ(Trimmed(next, 8), c.next);
      }
    }
  }
}

// A shorter text is padded with blanks over the whole field.
TEST(ItemReader, PadsWithBlanks) {
  char field[6];
  std::memcpy(field, "xxxxxx", 6);
  const input::ItemTarget t = input::TextItem(field, 6);
  TextLines lines("ab");
  ASSERT_EQ(input::ReadItems(&lines.source, &t, 1), ReadOutcome::Ok);
  EXPECT_EQ(std::string(field, 6), "ab    ");
}

// A failing line source is a read error, also in the middle of a read.
TEST(ItemReader, LineErrorIsReadError) {
  char a[8], b[8];
  const input::ItemTarget t[2] = {input::TextItem(a, 8), input::TextItem(b, 8)};
  TextLines first("x,y", 1);
  EXPECT_EQ(input::ReadItems(&first.source, t, 2), ReadOutcome::Error);
  TextLines second("x\ny", 2);
  EXPECT_EQ(input::ReadItems(&second.source, t, 2), ReadOutcome::Error);
  TextLines quoted("'x\ny'", 2);
  EXPECT_EQ(input::ReadItems(&quoted.source, t, 1), ReadOutcome::Error);
}

// Digits far beyond those that decide the rounding still count by being zero
// or not.
TEST(ItemReader, LongNumbersRoundCorrectly) {
  float v = 0.0f;
  const std::string zeros(300, '0');
  ASSERT_TRUE(input::ParseReal(("1." + zeros + "1").data(), zeros.size() + 3, &v));
  EXPECT_EQ(Bits(v), 0x3F800000u);
  const std::string tie = "16777217." + zeros;
  ASSERT_TRUE(input::ParseReal(tie.data(), tie.size(), &v));
  EXPECT_EQ(Bits(v), 0x4B800000u);
  const std::string above = tie + "1";
  ASSERT_TRUE(input::ParseReal(above.data(), above.size(), &v));
  EXPECT_EQ(Bits(v), 0x4B800001u);
  const std::string small = "0." + zeros + "1e300";  // 1.0E-1
  ASSERT_TRUE(input::ParseReal(small.data(), small.size(), &v));
  EXPECT_EQ(Bits(v), 0x3DCCCCCDu);
  // 2^-150, halfway between zero and the smallest real, has 105 significant
  // digits: exactly it rounds to even (zero), a trailing non-zero digit far
  // beyond them rounds up.
  const std::string halfSmallest =
      "7.0064923216240853546186479164495806564013097093825788587853414194489"
      "5541342930300743319094181060791015625e-46";
  ASSERT_TRUE(input::ParseReal(halfSmallest.data(), halfSmallest.size(), &v));
  EXPECT_EQ(Bits(v), 0x00000000u);
  const std::string aboveHalf = halfSmallest.substr(0, halfSmallest.size() - 4) + "00000001e-46";
  ASSERT_TRUE(input::ParseReal(aboveHalf.data(), aboveHalf.size(), &v));
  EXPECT_EQ(Bits(v), 0x00000001u);
}

TEST(ItemReader, TruncationSaturates) {
  EXPECT_EQ(input::TruncateToInteger(2.9f), 2);
  EXPECT_EQ(input::TruncateToInteger(-0.5f), 0);
  EXPECT_EQ(input::TruncateToInteger(-2.9f), -2);
  EXPECT_EQ(input::TruncateToInteger(1.0e30f), std::numeric_limits<int64_t>::max());
  EXPECT_EQ(input::TruncateToInteger(-1.0e30f), std::numeric_limits<int64_t>::min());
  EXPECT_EQ(input::TruncateToInteger(9.2233720e18f), std::numeric_limits<int64_t>::max());
}

}  // namespace
