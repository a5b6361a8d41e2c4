// The languages of the suite: the one table behind the Language setting of
// KVORSCRN.INI, which the engine reads and the report library writes. Only a
// name's first letter counts, so a setting may be written out in full
// ("GERMAN") or by its letter; the first three letters are the language code
// (the extension of template files).
#pragma once

#include <cstdint>

namespace languages {

struct Language {
  char letter;           // upper-case
  const char* name;      // as written to the Language setting
  const char* dataFile;  // its presence in the data folder allows the language
  int32_t number;        // 1 English, 2 French, 3 German, 4 Spanish, 5 Italian, 6 Chinese
};

constexpr int32_t kChinese = 6;

// The settings file and where the setting lies in it.
constexpr char kSettingsFile[] = "KVORSCRN.INI";
constexpr char kSettingsSection[] = "Setting";
constexpr char kSettingsKey[] = "Language";

// The language of an upper-case letter, or null (lower case finds nothing:
// callers that accept either case upper-case the letter first).
const Language* FindByLetter(char letter);
// The language of a number 1 to 6, or null.
const Language* FindByNumber(int32_t number);

}  // namespace languages
