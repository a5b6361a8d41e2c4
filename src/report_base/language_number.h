// The report library's LanguageNumber: it decides the Chinese exceptions of
// the character tests and of drawing. Only engine code outside this library
// sets it (SetLanguageNumber); selecting a language never changes it.
#pragma once

#include <cstdint>

#include "run/languages.h"

constexpr int32_t kLanguageChinese = languages::kChinese;

// Sets LanguageNumber from the first character of `code` (upper-case letters
// only: C E F G I S); any other character leaves it as it is.
void SetLanguageNumber(const char* code);
// 0 at load.
int32_t GetLanguageNumber();

void ResetLanguageNumberForTests();
