// The Language setting of the settings file and the engine's language code.
#include "engine/files/language_setting.h"

#include <cstring>

#include "engine/files/run_paths.h"
#include "os/os.h"
#include "run/languages.h"
#include "run/text.h"

int32_t ReadLanguageSetting(char* code3) {
  char value[80];
  std::memset(value, 0, sizeof value);
  os::ReadSetting(languages::kSettingsSection, languages::kSettingsKey, "Default", value,
                  sizeof value, languages::kSettingsFile);
  value[sizeof value - 1] = '\0';
  if (std::strcmp(value, "Default") == 0) std::strcpy(value, "ENGLISH");

  // Only the first letter counts; a letter of no language is English by number
  // and keeps its own three characters, blank-padded, as the code.
  int32_t number = 1;
  const char first = ascii::Upper(value[0]);
  if (const languages::Language* language = languages::FindByLetter(first)) {
    std::strcpy(value, language->name);
    number = language->number;
  }
  if (code3) fixed::CopyPadded(code3, 3, value, std::strlen(value));
  return number;
}

void ReadLanguageCode(char* code, int64_t codeLength) {
  char code3[3];
  ReadLanguageSetting(code3);
  fixed::CopyToArgument(code, codeLength, code3, 3);
}

void RefreshLanguageCode() { ReadLanguageCode(g_runPaths.languageCode, kLanguageCodeWidth); }
