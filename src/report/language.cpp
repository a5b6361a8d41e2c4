#include "report/language.h"

#include <cstring>

ReportLanguage g_reportLanguage = {{' ', ' ', ' '}, {' ', ' ', ' '}, 0};
TemplateIndex g_templateIndex = {{}, 0, {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '}};

void SetLanguageNumber(const char* code) {
  if (code == nullptr) return;
  switch (code[0]) {
    case 'C': g_reportLanguage.languageNumber = 6; break;
    case 'E': g_reportLanguage.languageNumber = 1; break;
    case 'F': g_reportLanguage.languageNumber = 2; break;
    case 'G': g_reportLanguage.languageNumber = 3; break;
    case 'I': g_reportLanguage.languageNumber = 5; break;
    case 'S': g_reportLanguage.languageNumber = 4; break;
    default: break;
  }
}

int32_t GetLanguageNumber() { return g_reportLanguage.languageNumber; }

void ResetReportLanguageForTests() {
  std::memset(g_reportLanguage.reportLanguageCode, ' ', kLanguageCodeLength);
  std::memset(g_reportLanguage.selectedLanguageCode, ' ', kLanguageCodeLength);
  g_reportLanguage.languageNumber = 0;
  g_templateIndex = TemplateIndex{};
  std::memset(g_templateIndex.name, ' ', kTemplateNameLength);
}
