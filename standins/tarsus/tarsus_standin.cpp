// Tarsus.dll stand-in: records every call and answers as told.
#include "tarsus/tarsus_standin.h"

#include "host/tarsus.h"
#include "tarsus/material_library_core.h"

#ifdef _WIN32
#define SERVICE extern "C" __declspec(dllexport)
#else
#define SERVICE extern "C"
#endif

namespace {
LibraryState g_state;
float g_price = 0.0f;
MaterialPriceCall g_priceCalls[kMaxLibraryCalls];
int32_t g_priceCount = 0;
}  // namespace

SERVICE void TARSUS_PROP(const float* propertyCode, const float* mode, const float* unitSystem,
                const float* currencyIndex, const int64_t* materialNumber,
                const float* temperature, float* result, int64_t* status, char* text,
                int64_t textLength) {
  RecordAndAnswer(g_state, propertyCode, mode, unitSystem, currencyIndex, materialNumber,
                  temperature, result, status, text, textLength);
}

STANDIN_API void TarsusStandin_Reset(void) {
  g_state.answer = LibraryAnswer{};
  g_state.count = 0;
  g_price = 0.0f;
  g_priceCount = 0;
}
STANDIN_API int32_t TarsusStandin_CallCount(void) { return g_state.count; }
STANDIN_API const MaterialLibraryCall* TarsusStandin_Call(int32_t index) {
  return index >= 0 && index < g_state.count ? &g_state.calls[index] : nullptr;
}
STANDIN_API void TarsusStandin_SetAnswer(int64_t status, int32_t fill, const float* words,
                                int32_t wordCount, const char* text, int64_t textChars) {
  SetAnswer(g_state, status, fill, words, wordCount, text, textChars);
}
STANDIN_API void TarsusStandin_SetRaise(uint32_t exceptionCode) { g_state.answer.raiseCode = exceptionCode; }

SERVICE float TARSUS_PRICE(const int64_t* materialNumber, const int64_t* unitSystem) {
  static MaterialPriceCall overflow;
  MaterialPriceCall* c = g_priceCount < kMaxLibraryCalls ? &g_priceCalls[g_priceCount++] : &overflow;
  c->address[0] = materialNumber;
  c->address[1] = unitSystem;
  c->materialNumber = materialNumber ? *materialNumber : 0;
  c->unitSystem = unitSystem ? *unitSystem : 0;
  return g_price;
}

STANDIN_API void TarsusStandin_SetPrice(float price) { g_price = price; }
STANDIN_API int32_t TarsusStandin_PriceCallCount(void) { return g_priceCount; }
STANDIN_API const MaterialPriceCall* TarsusStandin_PriceCall(int32_t index) {
  return index >= 0 && index < g_priceCount ? &g_priceCalls[index] : nullptr;
}
