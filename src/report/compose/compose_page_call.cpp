// ComposePage for engine code: every argument by address, each text followed
// by its length; each text goes into a buffer of this routine's own.
#include <cstring>

#include "report/compose/page_composer.h"
#include "report/rich_text.h"
#include "report_base/engine_interface.h"

namespace {

char g_command[3 + 1];
char g_screenName[kTemplateNameLength + 1];
// The values, cut to 2000 characters; the end mark keeps the list apart from
// whatever follows the caller's text.
char g_fieldValues[kFieldValueListLimit + 1];
engine_call::TextBuffer<kComposePictureTextLimit> g_pictureText;
char g_result[5 + 1];

void TakeFieldValues(const char* values, int64_t length) {
  const int64_t n = values == nullptr || length <= 0 ? 0
                    : length < kFieldValueListLimit  ? length
                                                     : kFieldValueListLimit;
  std::memset(g_fieldValues, 0, sizeof g_fieldValues);
  if (n > 0) std::memcpy(g_fieldValues, values, static_cast<size_t>(n));
  // Without its end mark among the characters given, the list is empty.
  if (std::memchr(g_fieldValues, kFieldValueEnd, static_cast<size_t>(n)) == nullptr) {
    g_fieldValues[0] = static_cast<char>(kFieldValueEnd);
  }
}

}  // namespace

int32_t ComposePageCall(const char* command, int64_t commandLength, const char* screenName,
                        int64_t screenNameLength, const char* fieldValues,
                        int64_t fieldValuesLength, const char* pictureText,
                        int64_t pictureTextLength, char* result, int64_t resultLength) {
  engine_call::TakePaddedText(g_command, 3, command, commandLength);
  engine_call::TakePaddedText(g_screenName, kTemplateNameLength, screenName, screenNameLength);
  TakeFieldValues(fieldValues, fieldValuesLength);
  engine_call::TakeText(&g_pictureText, pictureText, pictureTextLength);
  std::memcpy(g_result, "     ", 6);
  const int32_t status =
      ComposePage(g_command, g_screenName, g_fieldValues, g_pictureText.text, g_result);
  engine_call::GiveText(result, resultLength, g_result, 5);
  return status;
}
