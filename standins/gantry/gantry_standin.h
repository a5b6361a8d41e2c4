// Control of the Gantry.dll stand-in, for tests: every service call is recorded
// as the callee saw it, and each service answers as the test has told it.
// Default answers are those of a minimal host: an empty host data folder, no
// second folder, every material from the local databases, exceptions passed on.
#pragma once

#include <cstdint>

#include "standin_common.h"

constexpr int kGantryTextSize = 512;

struct GantryCall {
  int32_t ordinal;
  const void* address[3];         // address arguments as received
  int64_t value[3];               // integer arguments as received (or read through an address)
  char text[3][kGantryTextSize];  // texts as received; for ordinal 25 exactly `length` bytes
  int64_t textLength[3];
};

STANDIN_API void GantryStandin_Reset(void);  // forget the calls, default answers
STANDIN_API int32_t GantryStandin_CallCount(void);
STANDIN_API const GantryCall* GantryStandin_Call(int32_t index);  // 0-based; nullptr past the end
STANDIN_API int32_t GantryStandin_CountOf(int32_t ordinal);
STANDIN_API const GantryCall* GantryStandin_LastOf(int32_t ordinal);  // nullptr when never called

// Ordinal 24: the disposition returned; when writeError is non-zero, errorCode is
// written through the error-code address first.
STANDIN_API void GantryStandin_SetExceptionAnswer(int32_t disposition, int32_t writeError,
                                                  int32_t errorCode);
// Ordinals 33 and 35: the characters written into the field (at most the field's
// length) and the count returned, which may differ from the text's length.
STANDIN_API void GantryStandin_SetDataFolder(const char* folder, int64_t countReturned);
STANDIN_API void GantryStandin_SetSecondFolder(const char* folder, int64_t countReturned);
STANDIN_API void GantryStandin_SetUsesAsme(int32_t answer);        // ordinal 39
STANDIN_API void GantryStandin_SetPassTextResult(int32_t answer);  // ordinal 41
// A function the stand-in calls at the end of the given service (for example to
// raise a structured exception from inside a guarded call); nullptr to clear.
STANDIN_API void GantryStandin_SetHook(int32_t ordinal, void (*hook)(void));
