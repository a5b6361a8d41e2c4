// Control of the Quire.dll stand-in, for tests: every call is recorded with
// its texts, and IsRTFEnabled answers as the test has told it (0 by default:
// rich-text output off).
#pragma once

#include <cstdint>

#include "standin_common.h"

constexpr int kQuireTextSize = 2100;  // room for a whole field-value text

enum QuireFunction : int32_t {
  kQuireIsRTFEnabled = 1,
  kQuireParseRTF,
  kQuirePageBreak,
  kQuireComponentBreak,
  kQuireTOCBreak,
  kQuireSectionStart,
  kQuireSectionEnd,
};

struct QuireCall {
  int32_t function;              // a QuireFunction
  const void* address[3];        // text arguments' addresses as received
  char text[3][kQuireTextSize];  // ParseRTF: the three texts up to their NULs;
                                 // SectionStart: exactly the bytes the test asked for
  int64_t textLength[3];
};

STANDIN_API void QuireStandin_Reset(void);                 // forget the calls, rich-text output off
STANDIN_API void QuireStandin_SetEnabled(int32_t answer);  // what IsRTFEnabled returns
// SectionStart's name has no NUL of its own: the stand-in copies exactly this
// many bytes from the address it receives (0 by default: none).
STANDIN_API void QuireStandin_SetSectionCopyLength(int32_t length);
STANDIN_API int32_t QuireStandin_CallCount(void);
STANDIN_API const QuireCall* QuireStandin_Call(int32_t index);  // 0-based; nullptr past the end
STANDIN_API int32_t QuireStandin_CountOf(int32_t function);
