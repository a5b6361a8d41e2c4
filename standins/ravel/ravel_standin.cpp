// Ravel.dll stand-in: records every call and answers as told.
#include "ravel/ravel_standin.h"

#include "host/ravel.h"
#include "tarsus/material_library_core.h"

#ifdef _WIN32
#define SERVICE extern "C" __declspec(dllexport)
#else
#define SERVICE extern "C"
#endif

namespace {
LibraryState g_state;
}  // namespace

SERVICE void RAVEL_PROP(const float* propertyCode, const float* mode, const float* unitSystem,
                const float* currencyIndex, const int64_t* materialNumber,
                const float* temperature, float* result, int64_t* status, char* text,
                int64_t textLength) {
  RecordAndAnswer(g_state, propertyCode, mode, unitSystem, currencyIndex, materialNumber,
                  temperature, result, status, text, textLength);
}

STANDIN_API void RavelStandin_Reset(void) {
  g_state.answer = LibraryAnswer{};
  g_state.count = 0;
}
STANDIN_API int32_t RavelStandin_CallCount(void) { return g_state.count; }
STANDIN_API const MaterialLibraryCall* RavelStandin_Call(int32_t index) {
  return index >= 0 && index < g_state.count ? &g_state.calls[index] : nullptr;
}
STANDIN_API void RavelStandin_SetAnswer(int64_t status, int32_t fill, const float* words,
                                int32_t wordCount, const char* text, int64_t textChars) {
  SetAnswer(g_state, status, fill, words, wordCount, text, textChars);
}
STANDIN_API void RavelStandin_SetRaise(uint32_t exceptionCode) { g_state.answer.raiseCode = exceptionCode; }
