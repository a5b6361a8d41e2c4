// The exact bytes of every line kind of the results file.
#include <cmath>
#include <functional>

#include "entry_fixture.h"

namespace {

using entry_test::EntryTest;
using testing_support::Crlf;
using testing_support::MakeTempFolder;
using testing_support::ReadFileOrEmpty;

class ResultsWriterTest : public EntryTest {
 protected:
  void SetUp() override {
    EntryTest::SetUp();
    path_ = MakeTempFolder("writer") + "RUN.KOU";
    ASSERT_TRUE(OpenResultsFile(path_.c_str()));
  }
  // What the writers wrote so far.
  std::string Written() {
    FlushResultsFile();
    return ReadFileOrEmpty(path_);
  }
  std::string path_;
};

TEST_F(ResultsWriterTest, ScalarRealsInFixedNotationWithSixDecimals) {
  const struct {
    float value;
    const char* line;
  } cases[] = {
      {0.3f, "PoissonRat,0.300000,0\n"},
      {-2.5f, "PoissonRat,-2.500000,0\n"},
      {0.1234567f, "PoissonRat,0.123457,0\n"},
      // All integer digits, never an exponent (the float nearest 1.0E35).
      {1.0E35f, "PoissonRat,100000004091847875962975319375216640.000000,0\n"},
  };
  std::string expected;
  for (const auto& c : cases) {
    WriteResultReal("PoissonRat", 10, &c.value);
    expected += c.line;
  }
  EXPECT_EQ(Written(), Crlf(expected));
}

TEST_F(ResultsWriterTest, ZeroRealsAreOmittedUnlessAlways) {
  const float zero = 0.0f, minusZero = -0.0f;
  WriteResultReal("A", 1, &zero);
  WriteResultReal("A", 1, &minusZero);
  WriteResultRealAlways("B", 1, &zero);
  WriteResultRealAlways("C", 1, &minusZero);
  EXPECT_EQ(Written(), Crlf("B,0.000000,0\nC,-0.000000,0\n"));
}

TEST_F(ResultsWriterTest, IntegersAreTheFirstFourBytesAtTheirAddress) {
  const int64_t wide = 0x100000005LL;  // low 32 bits: 5
  const int32_t minusSeven = -7, zero = 0;
  const int64_t wideZero = 0x700000000LL;  // low 32 bits: 0
  WriteResultInt("N", 1, &wide);
  WriteResultInt("M", 1, &minusSeven);
  WriteResultInt("Z", 1, &zero);
  WriteResultInt("W", 1, &wideZero);
  WriteResultIntAlways("Z", 1, &zero);
  EXPECT_EQ(Written(), Crlf("N,5,0\nM,-7,0\nZ,0,0\n"));
}

TEST_F(ResultsWriterTest, KeyEndsAtItsLengthOrAnEarlierNul) {
  const float v = 1.0f;
  WriteResultReal("DensityXYZ", 7, &v);
  WriteResultReal("Gr\0oup", 6, &v);
  EXPECT_EQ(Written(), Crlf("Density,1.000000,0\nGr,1.000000,0\n"));
}

TEST_F(ResultsWriterTest, KeysAreCutToTheirCapacity) {
  const std::string key(300, 'K');
  const float v = 1.0f;
  WriteResultReal(key.data(), 300, &v);
  WriteResultText(key.data(), 300, "T", 1);
  EXPECT_EQ(Written(),
            Crlf(std::string(255, 'K') + ",1.000000,0\n" + std::string(127, 'K') + ",\"T\",0\n"));
}

TEST_F(ResultsWriterTest, TextKeepsTrailingBlanksAndSkipsALeadingBlank) {
  std::string name = "CARBON STEEL";
  name.resize(80, ' ');
  WriteResultText("MatName", 7, name.data(), 80);
  WriteResultText("Skipped", 7, " LEADING BLANK", 14);
  WriteResultText("Blank", 5, " ", 1);
  WriteResultText("Empty", 5, "\0REST", 5);
  WriteResultText("Cut", 3, "AB\0CD", 5);
  EXPECT_EQ(Written(), Crlf("MatName,\"" + name + "\",0\nEmpty,\"\",0\nCut,\"AB\",0\n"));
}

TEST_F(ResultsWriterTest, QuotesBecomeInchAndOemBecomesAnsiOnACopy) {
  // 0x82 is e-acute in code page 437 and 0xE9 in 1252; 0xF8 (degree) is 0xB0.
  char text[] = "1/2\" PIPE \x82\xF8";
  const std::string before = text;
  WriteResultText("Size", 4, text, static_cast<int64_t>(std::strlen(text)));
  EXPECT_EQ(Written(), Crlf("Size,\"1/2in PIPE \xE9\xB0\",0\n"));
  EXPECT_EQ(std::string(text), before);  // the caller's text is untouched
}

TEST_F(ResultsWriterTest, TextValueHoldsAtMost127CharactersAfterQuoteReplacement) {
  std::string text(126, 'x');
  text += "\"\"";  // 126 + 4 letters after replacement: cut to 127
  WriteResultText("T", 1, text.data(), static_cast<int64_t>(text.size()));
  EXPECT_EQ(Written(), Crlf("T,\"" + std::string(126, 'x') + "i\",0\n"));
}

TEST_F(ResultsWriterTest, RealArrayEndsAtItsLastNonZeroElement) {
  const float values[] = {0.0f, 2.5f, 0.0f, 0.0f};
  const int32_t four = 4;
  WriteResultRealArray("arK", 3, values, &four);
  EXPECT_EQ(Written(), Crlf("arK,0,2\n , \n2.500000, \n"));
}

TEST_F(ResultsWriterTest, RealArrayWhoseOnlyNonZeroElementIsTheFirst) {
  const float values[] = {3.0f, 0.0f, 0.0f};
  const int32_t three = 3;
  WriteResultRealArray("arE", 3, values, &three);
  EXPECT_EQ(Written(), Crlf("arE,0,1\n3.000000, \n"));
}

TEST_F(ResultsWriterTest, ArraysOfOnlyZerosOrNoElementsWriteNothing) {
  const float zeros[] = {0.0f, -0.0f, 0.0f};
  const int64_t ints[] = {0, 0};
  const int32_t three = 3, zero = 0, minusOne = -1, two = 2;
  WriteResultRealArray("A", 1, zeros, &three);
  WriteResultRealArray("A", 1, zeros, &zero);
  WriteResultRealArray("A", 1, zeros, &minusOne);
  WriteResultRealArrayFlagged("A", 1, zeros, "XYZ", 3, &three);
  WriteResultInt8Array("A", 1, ints, &two);
  WriteResultTextArray("A", 1, "  \0\0", 2, &two);
  WriteResultRealList("A", 1, zeros, &zero);
  WriteResultRealListFlagged("A", 1, zeros, "X", 1, &zero);
  WriteResultIntList("A", 1, nullptr, &zero);
  EXPECT_EQ(Written(), "");
}

TEST_F(ResultsWriterTest, NanCountsAsNotZero) {
  const float values[] = {1.0f, std::nanf(""), 0.0f};
  const int32_t three = 3;
  WriteResultRealArray("A", 1, values, &three);
  EXPECT_EQ(Written(), Crlf("A,0,2\n1.000000, \nnan, \n"));
}

TEST_F(ResultsWriterTest, FlaggedArrayTakesMissingFlagsAsBlanks) {
  const float values[] = {1.5f, 0.0f, 2.0f, 0.0f};
  const int32_t four = 4;
  WriteResultRealArrayFlagged("arF", 3, values, "AB", 2, &four);
  EXPECT_EQ(Written(), Crlf("arF,0,3\n1.500000,A\n , \n2.000000, \n"));
}

TEST_F(ResultsWriterTest, Int8ArrayWritesLowThirtyTwoBits) {
  const int64_t values[] = {0, 7, -3, 0x100000005LL, 0};
  const int32_t five = 5;
  WriteResultInt8Array("arI", 3, values, &five);
  EXPECT_EQ(Written(), Crlf("arI,0,4\n , \n7, \n-3, \n5, \n"));
}

TEST_F(ResultsWriterTest, ListsWriteEveryElementZerosIncluded) {
  const float reals[] = {0.0f, 1.0f};
  const int32_t ints[] = {0, -4};
  const int32_t two = 2;
  WriteResultRealList("arTemp", 6, reals, &two);
  WriteResultRealListFlagged("arF", 3, reals, "X", 1, &two);
  WriteResultIntList("arN", 3, ints, &two);
  EXPECT_EQ(Written(), Crlf("arTemp,0,2\n0.000000, \n1.000000, \n"
                            "arF,0,2\n0.000000,X\n1.000000, \n"
                            "arN,0,2\n0, \n-4, \n"));
}

TEST_F(ResultsWriterTest, TextArrayEndsAtItsLastNonBlankElement) {
  const char elements[] =
      "A   "
      "    "
      "B\"  "
      "    "
      "\0   ";
  const int32_t five = 5;
  WriteResultTextArray("arNames", 7, elements, 4, &five);
  EXPECT_EQ(Written(), Crlf("arNames,0,3\n\"A   \", \n\"    \", \n\"Bin  \", \n"));
}

TEST_F(ResultsWriterTest, TextElementsHold255CharactersAndEndAtANul) {
  // Two elements of 200 characters: one full, one "AB" and a NUL.
  std::string elements(400, ' ');
  elements.replace(0, 200, std::string(200, 'E'));
  elements.replace(200, 3, std::string("AB\0", 3));
  const int32_t two = 2;
  WriteResultTextArray("arLong", 6, elements.data(), 200, &two);
  EXPECT_EQ(Written(), Crlf("arLong,0,2\n\"" + std::string(200, 'E') + "\", \n\"AB\", \n"));
}

TEST_F(ResultsWriterTest, MessageLinesOfTheFiveKinds) {
  const float one5 = 1.5f, zero = 0.0f;
  const int32_t twelve = 12, two = 2, three = 3, one = 1;
  const char* const words[] = {"Warning", "Limit", "Error", "Suggestion", "Note"};
  std::string expected;
  for (int32_t kind = 1; kind <= 5; ++kind) {
    WriteResultMessage(&twelve, &kind, &one5, &two, &zero, &three, &one);
    expected += std::string("Message,") + words[kind - 1] + ";  12; 1;1.500000; 2;0.000000; 3,0\n";
  }
  for (int32_t kind : {0, 6, -1})
    WriteResultMessage(&twelve, &kind, &one5, &two, &zero, &three, &one);
  const int32_t big = 12345, minusOne = -1, note = 5;
  WriteResultMessage(&big, &note, &one5, &minusOne, &one5, &big, &minusOne);
  expected += "Message,Note;12345;-1;1.500000;-1;1.500000;12345,0\n";
  EXPECT_EQ(Written(), Crlf(expected));
}

TEST_F(ResultsWriterTest, FormatResultMessageHonoursTheOutputLength) {
  CloseResultsFile();  // it formats whether or not the file is open
  const float one5 = 1.5f, zero = 0.0f;
  const int32_t twelve = 12, two = 2, three = 3, one = 1, error = 3, six = 6;
  char out[80];
  std::memset(out, '#', sizeof out);
  FormatResultMessage(out, sizeof out, &twelve, &error, &one5, &two, &zero, &three, &one);
  EXPECT_STREQ(out, "Message,Error;  12; 1;1.500000; 2;0.000000; 3,0\n");

  std::memset(out, '#', sizeof out);
  FormatResultMessage(out, 10, &twelve, &error, &one5, &two, &zero, &three, &one);
  EXPECT_EQ(std::string(out, 11), std::string("Message,E\0#", 11));

  std::memset(out, '#', sizeof out);
  FormatResultMessage(out, 0, &twelve, &error, &one5, &two, &zero, &three, &one);
  FormatResultMessage(out, sizeof out, &twelve, &six, &one5, &two, &zero, &three, &one);
  EXPECT_EQ(std::string(out, sizeof out), std::string(sizeof out, '#'));
}

TEST_F(ResultsWriterTest, RawTextStandsAsItIs) {
  WriteResultRaw("abc\0def", 7);
  WriteResultRaw("x\ny", 3);
  EXPECT_EQ(Written(), "abcx\r\ny");
}

TEST_F(ResultsWriterTest, NothingIsWrittenOnceTheFileIsClosed) {
  CloseResultsFile();
  EXPECT_FALSE(ResultsFileIsOpen());
  const float v = 1.0f;
  const int32_t one = 1, kind = 3;
  const int64_t i8 = 1;
  WriteResultReal("A", 1, &v);
  WriteResultRealAlways("A", 1, &v);
  WriteResultInt("A", 1, &one);
  WriteResultIntAlways("A", 1, &one);
  WriteResultText("A", 1, "T", 1);
  WriteResultRealArray("A", 1, &v, &one);
  WriteResultRealArrayFlagged("A", 1, &v, "F", 1, &one);
  WriteResultInt8Array("A", 1, &i8, &one);
  WriteResultRealList("A", 1, &v, &one);
  WriteResultRealListFlagged("A", 1, &v, "F", 1, &one);
  WriteResultIntList("A", 1, &one, &one);
  WriteResultTextArray("A", 1, "T", 1, &one);
  WriteResultMessage(&one, &kind, &v, &one, &v, &one, &one);
  WriteResultRaw("raw", 3);
  EXPECT_EQ(ReadFileOrEmpty(path_), "");
}

TEST_F(ResultsWriterTest, OpenAppendsAndClosesAFileLeftOpen) {
  const float v = 1.0f;
  WriteResultReal("First", 5, &v);
  // A second open (a run after one the host abandoned) closes the first file.
  const std::string second = path_ + "2";
  ASSERT_TRUE(OpenResultsFile(second.c_str()));
  EXPECT_EQ(ReadFileOrEmpty(path_), Crlf("First,1.000000,0\n"));
  ASSERT_TRUE(OpenResultsFile(path_.c_str()));
  WriteResultReal("Again", 5, &v);
  EXPECT_EQ(Written(), Crlf("First,1.000000,0\nAgain,1.000000,0\n"));
}

TEST_F(ResultsWriterTest, AFailedOpenLeavesNoFileOpen) {
  const std::string missing = MakeTempFolder("writer") + "NO\\SUCH\\RUN.KOU";
  EXPECT_FALSE(OpenResultsFile(missing.c_str()));
  EXPECT_FALSE(ResultsFileIsOpen());
  const float v = 1.0f;
  WriteResultReal("A", 1, &v);
  EXPECT_EQ(ReadFileOrEmpty(path_), "");
}

TEST(ReplaceQuotesWithInch, GrowsByOnePerQuoteWithinCapacity) {
  char text[8] = "A\"B\"";
  EXPECT_EQ(ReplaceQuotesWithInch(text, 4, 8), 6u);
  EXPECT_EQ(std::string(text, 6), "AinBin");
  char tight[4] = {'"', 'X', 'Y', '"'};
  EXPECT_EQ(ReplaceQuotesWithInch(tight, 4, 4), 4u);
  EXPECT_EQ(std::string(tight, 4), "inXY");
}

TEST(CopyUpToDoubleBlank, StopsAtTwoBlanksOrCopiesTheCount) {
  const struct {
    const char* source;
    int64_t sourceLength;
    int32_t count;
    int64_t destinationLength;
    const char* expected;
  } cases[] = {
      {"AB  CD", 6, 6, 6, "ABxxxx"},    // up to the double blank
      {"A B C", 5, 3, 6, "A Bxxx"},     // none: the count
      {"  AB", 4, 4, 6, "xxxxxx"},      // a double blank first: nothing
      {"ABCD", 4, 9, 6, "ABCDxx"},      // the count cut to the source
      {"ABCDEFGH", 8, 8, 3, "ABCxxx"},  // and to the destination
      // The search ends at the NUL, so the blanks after it are not seen and
      // the count copies the NUL and what follows it.
      {"AB\0  ", 5, 5, 6, "AB\0  x"},
      {"AB\0CD", 5, 9, 6, "AB\0CDx"},  // the count cut to the source's length
      {"AB  ", 0, 4, 6, "xxxxxx"},     // an empty source copies nothing
  };
  for (const auto& c : cases) {
    char destination[7] = "xxxxxx";
    CopyUpToDoubleBlank(destination, c.destinationLength, c.source, c.sourceLength, &c.count);
    EXPECT_EQ(std::string(destination, 6), std::string(c.expected, 6)) << c.source;
  }
}

}  // namespace
