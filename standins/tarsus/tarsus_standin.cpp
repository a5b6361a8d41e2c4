// Tarsus.dll stand-in: records every call and answers as told; TARSUS_PRICE
// records its calls and returns the price the test has set.
#include "tarsus/tarsus_standin.h"

#include "host/tarsus.h"
#include "material_library/material_library_core.h"

DEFINE_MATERIAL_LIBRARY_STANDIN(TARSUS_PROP, TarsusStandin)

namespace {
float g_price = 0.0f;
standin::CallLog<MaterialPriceCall, kMaxLibraryCalls> g_priceLog;
}  // namespace

STANDIN_API void TarsusStandin_Reset(void) {
  ResetLibrary(g_libraryState);
  g_price = 0.0f;
  g_priceLog.Clear();
}

STANDIN_API float TARSUS_PRICE(const int64_t* materialNumber, const int64_t* unitSystem) {
  MaterialPriceCall* c = g_priceLog.Add();
  c->address[0] = materialNumber;
  c->address[1] = unitSystem;
  c->materialNumber = materialNumber ? *materialNumber : 0;
  c->unitSystem = unitSystem ? *unitSystem : 0;
  return g_price;
}

STANDIN_API void TarsusStandin_SetPrice(float price) { g_price = price; }
STANDIN_API int32_t TarsusStandin_PriceCallCount(void) { return g_priceLog.count; }
STANDIN_API const MaterialPriceCall* TarsusStandin_PriceCall(int32_t index) {
  return g_priceLog.At(index);
}
