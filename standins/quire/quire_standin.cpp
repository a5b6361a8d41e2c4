// Quire.dll stand-in: records calls and answers IsRTFEnabled as scripted.
#include "quire/quire_standin.h"

#include <cstring>

#include "host/quire.h"

namespace {

constexpr int kMaxCalls = 256;

int32_t g_enabled = 0;
int32_t g_sectionCopyLength = 0;
standin::CallLog<QuireCall, kMaxCalls> g_log;

QuireCall* NewCall(int32_t function) {
  QuireCall* c = g_log.Add();
  c->function = function;
  return c;
}

void CopyText(QuireCall* c, int slot, const char* text) {
  c->address[slot] = text;
  if (text) c->textLength[slot] = standin::CopyTextField(c->text[slot], kQuireTextSize, text);
}

}  // namespace

STANDIN_API int32_t IsRTFEnabled(void) {
  NewCall(kQuireIsRTFEnabled);
  return g_enabled;
}

STANDIN_API int32_t ParseRTF(const char* templatePath, const char* screenName,
                             const char* fieldValues) {
  QuireCall* c = NewCall(kQuireParseRTF);
  CopyText(c, 0, templatePath);
  CopyText(c, 1, screenName);
  CopyText(c, 2, fieldValues);
  return 0;
}

STANDIN_API int32_t PageBreak(void) {
  NewCall(kQuirePageBreak);
  return 0;
}

STANDIN_API int32_t ComponentBreak(void) {
  NewCall(kQuireComponentBreak);
  return 0;
}

STANDIN_API int32_t TOCBreak(void) {
  NewCall(kQuireTOCBreak);
  return 0;
}

STANDIN_API int32_t SectionStart(const char* sectionName) {
  QuireCall* c = NewCall(kQuireSectionStart);
  c->address[0] = sectionName;
  // No NUL is promised after the name: copy only what the test asked for.
  int32_t n = g_sectionCopyLength;
  if (n > kQuireTextSize - 1) n = kQuireTextSize - 1;
  if (sectionName && n > 0) {
    std::memcpy(c->text[0], sectionName, static_cast<size_t>(n));
    c->textLength[0] = n;
  }
  return 0;
}

STANDIN_API int32_t SectionEnd(void) {
  NewCall(kQuireSectionEnd);
  return 0;
}

STANDIN_API void QuireStandin_Reset(void) {
  g_enabled = 0;
  g_sectionCopyLength = 0;
  g_log.Clear();
}
STANDIN_API void QuireStandin_SetEnabled(int32_t answer) { g_enabled = answer; }
STANDIN_API void QuireStandin_SetSectionCopyLength(int32_t length) {
  g_sectionCopyLength = length < 0 ? 0 : length;
}
STANDIN_API int32_t QuireStandin_CallCount(void) { return g_log.count; }
STANDIN_API const QuireCall* QuireStandin_Call(int32_t index) { return g_log.At(index); }
STANDIN_API int32_t QuireStandin_CountOf(int32_t function) {
  int32_t n = 0;
  for (int32_t i = 0; i < g_log.count; ++i) n += g_log.calls[i].function == function;
  return n;
}
