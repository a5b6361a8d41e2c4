// Quire.dll stand-in: records calls and answers IsRTFEnabled as scripted.
#include "quire/quire_standin.h"

#include <cstring>

#include "host/quire.h"

#ifdef _WIN32
#define SERVICE extern "C" __declspec(dllexport)
#else
#define SERVICE extern "C"
#endif

namespace {

constexpr int kMaxCalls = 256;

int32_t g_enabled = 0;
int32_t g_sectionCopyLength = 0;
QuireCall g_calls[kMaxCalls];
int32_t g_count = 0;

QuireCall* NewCall(int32_t function) {
  static QuireCall overflow;
  QuireCall* c = g_count < kMaxCalls ? &g_calls[g_count++] : &overflow;
  std::memset(c, 0, sizeof *c);
  c->function = function;
  return c;
}

void CopyText(QuireCall* c, int slot, const char* text) {
  c->address[slot] = text;
  if (!text) return;
  std::strncpy(c->text[slot], text, kQuireTextSize - 1);
  c->textLength[slot] = static_cast<int64_t>(std::strlen(c->text[slot]));
}

}  // namespace

SERVICE int32_t IsRTFEnabled(void) {
  NewCall(kQuireIsRTFEnabled);
  return g_enabled;
}

SERVICE int32_t ParseRTF(const char* templatePath, const char* screenName,
                         const char* fieldValues) {
  QuireCall* c = NewCall(kQuireParseRTF);
  CopyText(c, 0, templatePath);
  CopyText(c, 1, screenName);
  CopyText(c, 2, fieldValues);
  return 0;
}

SERVICE int32_t PageBreak(void) {
  NewCall(kQuirePageBreak);
  return 0;
}

SERVICE int32_t ComponentBreak(void) {
  NewCall(kQuireComponentBreak);
  return 0;
}

SERVICE int32_t TOCBreak(void) {
  NewCall(kQuireTOCBreak);
  return 0;
}

SERVICE int32_t SectionStart(const char* sectionName) {
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

SERVICE int32_t SectionEnd(void) {
  NewCall(kQuireSectionEnd);
  return 0;
}

STANDIN_API void QuireStandin_Reset(void) {
  g_enabled = 0;
  g_sectionCopyLength = 0;
  g_count = 0;
}
STANDIN_API void QuireStandin_SetEnabled(int32_t answer) { g_enabled = answer; }
STANDIN_API void QuireStandin_SetSectionCopyLength(int32_t length) {
  g_sectionCopyLength = length < 0 ? 0 : length;
}
STANDIN_API int32_t QuireStandin_CallCount(void) { return g_count; }
STANDIN_API const QuireCall* QuireStandin_Call(int32_t index) {
  return index >= 0 && index < g_count ? &g_calls[index] : nullptr;
}
STANDIN_API int32_t QuireStandin_CountOf(int32_t function) {
  int32_t n = 0;
  for (int32_t i = 0; i < g_count; ++i) n += g_calls[i].function == function;
  return n;
}
