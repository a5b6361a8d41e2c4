#include "report/compose/page_composer.h"

#include <cstring>

#include "drawing/pictures.h"
#include "engine/files/language_setting.h"
#include "host/quire.h"
#include "report/compose/field_markers.h"
#include "report/page/report_files.h"
#include "report/rich_text.h"
#include "run/text.h"

PageComposer g_composer;

namespace {

// The picture references of the caller's text: from its first '<' (or, when
// it has none, its first '{') up to its last '>' or '}'.
void TakePictureText(const char* pictureText) {
  char text[kComposePictureTextLimit + 1];
  std::strncpy(text, pictureText, kComposePictureTextLimit);
  text[kComposePictureTextLimit] = '\0';
  const char* first = std::strchr(text, '<');
  if (first == nullptr) first = std::strchr(text, '{');
  if (first == nullptr) return;
  const char* last = nullptr;
  for (const char* p = first; *p != '\0'; ++p) {
    if (*p == '>' || *p == '}') last = p;
  }
  const size_t length =
      last != nullptr ? static_cast<size_t>(last - first + 1) : std::strlen(first);
  std::memcpy(g_composer.pictureRefText, first, length);  // at most 255 of 287
  g_composer.pictureRefText[length] = '\0';
}

// The screen number: the screen name's characters from the fifth, leading
// blanks skipped, up to the first non-digit.
int32_t ScreenNumber(const char* screenName) {
  int32_t i = 4;
  while (i < 8 && screenName[i] == ' ') ++i;
  int32_t n = 0;
  while (i < 8 && screenName[i] >= '0' && screenName[i] <= '9')
    n = n * 10 + (screenName[i++] - '0');
  return n;
}

}  // namespace

int32_t ComposePage(const char* command, char* screenName, char* fieldValues,
                    const char* pictureText, char* result) {
  g_composer.pictureRefText[0] = '\0';
  ClearFieldMarkerMap();

  if (command[0] == 'S') {
    char name[kLanguageCodeLength + 1] = {};
    std::strncpy(name, screenName, kLanguageCodeLength);
    // Selected, the code is kept as the caller wrote it.
    if (SelectLanguage(name) == 1) {
      std::memcpy(g_reportLanguage.reportLanguageCode, name, kLanguageCodeLength);
    }
    result[0] = 'S';
    return 0;
  }
  if (command[0] != 'D' || command[1] == 'N') return 0;

  FreeAllPictures();
  TakePictureText(pictureText);
  for (int32_t i = 0; i < kTemplateNameLength; ++i) screenName[i] = ascii::Upper(screenName[i]);
  if (command[1] == 'L') return 0;

  ReportLanguage& language = g_reportLanguage;
  if (language.reportLanguageCode[0] == ' ') {
    char code[kLanguageCodeLength + 1] = {};
    ReadLanguageSetting(code);
    std::memcpy(language.reportLanguageCode, code, kLanguageCodeLength);
    SelectLanguage(code);
  }
  std::memcpy(language.selectedLanguageCode, language.reportLanguageCode, kLanguageCodeLength);

  // The stem, a point and the code: "STEM.ENG"; the rich-text one "STEM.RENG".
  char templateName[kTemplateNameLength + 2] = {};
  std::memcpy(templateName, screenName, 4);
  if (IsRTFEnabled() != 0) {
    templateName[4] = '.';
    templateName[5] = 'R';
    std::memcpy(templateName + 6, language.reportLanguageCode, kLanguageCodeLength);
    return ComposeRichTextPage(templateName, screenName, fieldValues);
  }
  templateName[4] = '.';
  std::memcpy(templateName + 5, language.reportLanguageCode, kLanguageCodeLength);
  const int32_t number = ScreenNumber(screenName);
  for (;;) {
    // A short record never runs on into the bytes of the one before.
    std::memset(g_composer.templateRecord, 0, sizeof g_composer.templateRecord);
    if (LoadTemplate(templateName, g_composer.templateRecord, number) == kTemplateLoaded) break;
    if (templateName[5] == 'E') return 0;
    std::memcpy(templateName + 5, "ENG", 3);
  }

  LayOutTemplate(command, g_composer.templateRecord, g_composer.templatePage, g_composer.keyMask,
                 g_composer.headerFields, &g_composer.cursorCell);
  TakeFieldMarkers(g_composer.templatePage);
  FillTemplateFields(g_composer.composedPage, g_composer.templatePage, fieldValues);
  const int32_t appended = AppendPageToReport(g_composer.composedPage, g_composer.templatePage,
                                              g_composer.pictureRefText, FieldMarkerMap());
  FreeAllPictures();
  return appended < 0 ? -1 : 0;
}

void ResetPageComposerForTests() {
  std::memset(&g_composer, ' ', sizeof g_composer);
  std::memset(g_composer.templateRecord, 0, sizeof g_composer.templateRecord);
  g_composer.pictureRefText[0] = '\0';
  g_composer.cursorCell = -1;
}
