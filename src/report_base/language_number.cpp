#include "report_base/language_number.h"

namespace {
int32_t g_languageNumber = 0;
}  // namespace

void SetLanguageNumber(const char* code) {
  if (code == nullptr) return;
  if (const languages::Language* language = languages::FindByLetter(code[0])) {
    g_languageNumber = language->number;
  }
}

int32_t GetLanguageNumber() { return g_languageNumber; }

void ResetLanguageNumberForTests() { g_languageNumber = 0; }
