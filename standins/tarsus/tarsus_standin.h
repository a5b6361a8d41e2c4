// Control of the Tarsus.dll stand-in, for tests: every TARSUS_PROP call is recorded as
// the callee saw it and answered as the test has told it (see
// material_library/material_library_standin.h). Default answer: status 0, nothing filled.
#pragma once

#include "material_library/material_library_standin.h"

STANDIN_API void TarsusStandin_Reset(void);  // forget the calls, default answer
STANDIN_API int32_t TarsusStandin_CallCount(void);
STANDIN_API const MaterialLibraryCall* TarsusStandin_Call(
    int32_t index);  // 0-based; nullptr past the end
// The status written at every call; when fill is non-zero, also the words
// (the first wordCount of 30, the rest 0) or the text (textChars characters,
// at most 80) as the code asks.
STANDIN_API void TarsusStandin_SetAnswer(int64_t status, int32_t fill, const float* words,
                                         int32_t wordCount, const char* text, int64_t textChars);
// Non-zero: every call raises this structured exception (Windows only); 0 clears.
STANDIN_API void TarsusStandin_SetRaise(uint32_t exceptionCode);

// TARSUS_PRICE: every call is recorded; the price returned (0.0 at first).
STANDIN_API void TarsusStandin_SetPrice(float price);
STANDIN_API int32_t TarsusStandin_PriceCallCount(void);
STANDIN_API const MaterialPriceCall* TarsusStandin_PriceCall(int32_t index);
