#include "report_base/engine_interface.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(EngineCall, TakeTextCutsToTheLimitAndEndsWithNul) {
  const std::string hundred(100, 'a');
  struct Case {
    const char* text;
    int64_t length;
    std::string expected;
  } const cases[] = {
      {hundred.c_str(), 100, std::string(80, 'a')},
      {hundred.c_str(), 80, std::string(80, 'a')},
      {"SHELL     ", 5, "SHELL"},
      {"SHELL     ", 10, "SHELL     "},  // trailing blanks within the length stay
      {"SHELL", 0, ""},
      {"SHELL", -3, ""},
      {nullptr, 7, ""},
  };
  for (const Case& c : cases) {
    engine_call::TextBuffer<engine_call::kNameLimit> buffer;
    std::memset(buffer.text, 'X', sizeof buffer.text);
    const char* got = engine_call::TakeText(&buffer, c.text, c.length);
    EXPECT_EQ(got, buffer.text);
    EXPECT_EQ(std::string(got), c.expected) << c.length;
  }
}

TEST(EngineCall, TakeTextNeverReadsPastTheLength) {
  // The text is an engine field of exactly five bytes with no NUL after it.
  char* field = new char[5];
  std::memcpy(field, "ABCDE", 5);
  char out[9];
  EXPECT_EQ(engine_call::TakeText(out, 8, field, 5), 5);
  EXPECT_STREQ(out, "ABCDE");
  delete[] field;
}

TEST(EngineCall, TakePaddedTextGivesExactlyTheWidth) {
  char command[4];
  engine_call::TakePaddedText(command, 3, "D", 1);
  EXPECT_STREQ(command, "D  ");
  engine_call::TakePaddedText(command, 3, "DRAW", 4);
  EXPECT_STREQ(command, "DRA");
  engine_call::TakePaddedText(command, 3, "D", 0);
  EXPECT_STREQ(command, "   ");
  char screen[9];
  engine_call::TakePaddedText(screen, 8, "shel0012", 8);
  EXPECT_STREQ(screen, "shel0012");
}

TEST(EngineCall, GiveTextFillsTheCallersFieldWithBlanks) {
  char field[8];
  std::memset(field, 'X', sizeof field);
  engine_call::GiveText(field, 7, "OK   ", 5);
  EXPECT_EQ(std::string(field, 8), "OK     X");
  engine_call::GiveText(field, 3, "ABCDE", 5);
  EXPECT_EQ(std::string(field, 8), "ABC    X");
}

TEST(EngineCall, TakeInt32ReadsThroughTheAddress) {
  const int64_t width = 640;
  const int64_t wide = (int64_t{1} << 32) + 5;
  EXPECT_EQ(engine_call::TakeInt32(&width), 640);
  EXPECT_EQ(engine_call::TakeInt32(&wide), 5);
  EXPECT_EQ(engine_call::TakeInt32(nullptr), 0);
}

}  // namespace
