// The Language setting and the engine's language code.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/files/path_rules.h"
#include "files_fixture.h"

namespace {

using files_test::Field;
using files_test::FilesTest;

using LanguageTest = FilesTest;

void SetLanguage(const char* value) {
  ASSERT_TRUE(os::WriteSetting("Setting", "Language", value, "KVORSCRN.INI"));
}

// A run begins (run initialisation) with the settings file naming `value`.
void StartRunWithLanguage(const char* value) {
  SetLanguage(value);
  int64_t mode = 0, error = 0, location = 0;
  RunService(&mode, &error, nullptr, 0, nullptr, 0, nullptr, 0, &location);
}

TEST_F(LanguageTest, MissingFileSectionOrKeyIsEnglish) {
  char code[3] = {'x', 'x', 'x'};
  EXPECT_EQ(ReadLanguageSetting(code), 1);  // no settings file at all
  EXPECT_EQ(Field(code, 3), "ENG");
  ASSERT_TRUE(os::WriteSetting("Other", "Language", "GERMAN", "KVORSCRN.INI"));
  EXPECT_EQ(ReadLanguageSetting(code), 1);
  EXPECT_EQ(Field(code, 3), "ENG");
  ASSERT_TRUE(os::WriteSetting("Setting", "Other", "GERMAN", "KVORSCRN.INI"));
  EXPECT_EQ(ReadLanguageSetting(code), 1);
  EXPECT_EQ(Field(code, 3), "ENG");
}

TEST_F(LanguageTest, FirstLetterSelectsTheLanguage) {
  struct Case {
    const char* value;
    int32_t number;
    const char* code;
  } const cases[] = {
      {"Default", 1, "ENG"},
      {"ENGLISH", 1, "ENG"},
      {"FRENCH", 2, "FRE"},
      {"GERMAN", 3, "GER"},
      {"SPANISH", 4, "SPA"},
      {"ITALIAN", 5, "ITA"},
      {"CHINESE", 6, "CHI"},
      {"german", 3, "GER"},
      {"Spanish", 4, "SPA"},
      {"chinese", 6, "CHI"},
      {"f", 2, "FRE"},
      {"Gxx", 3, "GER"},
      // No language's letter: number 1, the value's own characters, padded.
      {"default", 1, "def"},
      {"DEFAULT", 1, "DEF"},
      {"JAPANESE", 1, "JAP"},
      {"Defaults", 1, "Def"},  // "Default" only when it is the whole value
      {"xy", 1, "xy "},
      {"", 1, "   "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    SetLanguage(c.value);
    char code[4] = {'?', '?', '?', '!'};
    EXPECT_EQ(ReadLanguageSetting(code), c.number);
    EXPECT_EQ(Field(code, 3), c.code);
    EXPECT_EQ(code[3], '!');  // exactly three bytes
  }
}

TEST_F(LanguageTest, CodeTextIsCutOrPadded) {
  SetLanguage("GERMAN");
  char text[6];
  std::memset(text, 'x', sizeof text);
  ReadLanguageCode(text, 5);
  EXPECT_EQ(Field(text, 6), "GER  x");
  std::memset(text, 'x', sizeof text);
  ReadLanguageCode(text, 2);
  EXPECT_EQ(Field(text, 6), "GExxxx");
}

TEST_F(LanguageTest, InitialisationAndRefreshFollowTheSettingsFile) {
  UsePaths();
  StartRunWithLanguage("FRENCH");
  EXPECT_EQ(Field(g_runPaths.languageCode, 3), "FRE");
  SetLanguage("ITALIAN");
  EXPECT_EQ(Field(g_runPaths.languageCode, 3), "FRE");  // read only when asked
  RefreshLanguageCode();
  EXPECT_EQ(Field(g_runPaths.languageCode, 3), "ITA");
  SetLanguage("Default");
  RefreshLanguageCode();
  EXPECT_EQ(Field(g_runPaths.languageCode, 3), "ENG");
}

// An empty Language value gives a blank code, which the opening of a language
// file then takes as English.
TEST_F(LanguageTest, AnEmptyValueLeadsLanguageFilesToEnglish) {
  UsePaths();
  StartRunWithLanguage("");
  EXPECT_EQ(Field(g_runPaths.languageCode, 3), "   ");
  Write(prog + "DAT\\LAN\\SCREEN.ENG", "eng");
  int64_t mode = 1, unit = 60, location = 1, recordLength = 80, spare = 0, error = 5;
  OpenDataFile(&mode, &unit, "SCREEN", 6, "LAN", 3, &location, &recordLength, &spare, "DFSEORZZ", 8,
               &error);
  EXPECT_EQ(error, 0);
  EXPECT_EQ(Field(g_runPaths.languageCode, 3), "ENG");
  EXPECT_STREQ(units::ConnectedPath(60), (prog + "DAT\\LAN\\SCREEN.ENG").c_str());
}

}  // namespace
