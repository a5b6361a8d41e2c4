// The text rules that several areas share: where a file name starts, cut
// copies, lengths within a limit, ASCII upper-casing.
#include "run/text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(FileNames, NameStartsAfterTheLastBackslashSlashOrColon) {
  struct Case {
    const char* path;
    const char* name;
  } const cases[] = {
      {"C:\\JOBS\\PUMP1.JOB", "PUMP1.JOB"},
      {"C:PUMP1.JOB", "PUMP1.JOB"},        // drive-relative: "C:" is the folder
      {"C:/JOBS/PUMP1.JOB", "PUMP1.JOB"},  // Windows takes '/' as a separator
      {"C:\\JOBS/SUB\\A.B", "A.B"},
      {"\\\\SERVER\\SHARE\\X", "X"},
      {"PUMP1.JOB", "PUMP1.JOB"},
      {"C:\\JOBS\\", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_STREQ(file_names::NameStart(c.path), c.name) << c.path;
  }
}

TEST(BoundedText, CopyCutKeepsWhatFitsAndEndsWithANul) {
  char out[6] = "#####";
  bounded::CopyCut(out, 4, "ABCDEF");
  EXPECT_STREQ(out, "ABC");
  EXPECT_EQ(out[4], '#');
  bounded::CopyCut(out, 0, "XY");  // nothing written
  EXPECT_STREQ(out, "ABC");
  bounded::CopyCut(out, 6, "XY");
  EXPECT_STREQ(out, "XY");
}

TEST(BoundedText, LengthEndsAtTheLimitOrAnEarlierNul) {
  const char text[] = {'A', 'B', '\0', 'C'};
  EXPECT_EQ(bounded::LengthWithin(text, 4), 2u);
  EXPECT_EQ(bounded::LengthWithin(text, 1), 1u);
  EXPECT_EQ(bounded::LengthWithin(text, 0), 0u);
  EXPECT_EQ(bounded::LengthWithin(text, -5), 0u);
  EXPECT_EQ(bounded::LengthWithin(nullptr, 4), 0u);
}

TEST(Ascii, OnlyLettersAToZChange) {
  char text[] = "az AZ 09 \xe4\xfc _{";
  ascii::UpperInPlace(text);
  EXPECT_STREQ(text, "AZ AZ 09 \xe4\xfc _{");
}

}  // namespace
