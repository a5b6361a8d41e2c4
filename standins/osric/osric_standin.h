// Control of the Osric.dll stand-in, for tests: every OSRIC_PROP call is recorded as
// the callee saw it and answered as the test has told it (see
// material_library/material_library_standin.h). Default answer: status 0, nothing filled.
#pragma once

#include "material_library/material_library_standin.h"

STANDIN_API void OsricStandin_Reset(void);  // forget the calls, default answer
STANDIN_API int32_t OsricStandin_CallCount(void);
STANDIN_API const MaterialLibraryCall* OsricStandin_Call(
    int32_t index);  // 0-based; nullptr past the end
// The status written at every call; when fill is non-zero, also the words
// (the first wordCount of 30, the rest 0) or the text (textChars characters,
// at most 80) as the code asks.
STANDIN_API void OsricStandin_SetAnswer(int64_t status, int32_t fill, const float* words,
                                        int32_t wordCount, const char* text, int64_t textChars);
// Non-zero: every call raises this structured exception (Windows only); 0 clears.
STANDIN_API void OsricStandin_SetRaise(uint32_t exceptionCode);
