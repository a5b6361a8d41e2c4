// Binding to Osric.dll, the suite's library of JIS materials (imported by name).
//
// Same arguments as TARSUS_PROP (see tarsus.h): the nine addresses that
// GetMaterialProperty received, without the alternative-text selector, and the
// text's length 4 by value. A status other than 0 sends the caller on to the
// local databases.
#pragma once

#include <cstdint>

extern "C" {

void OSRIC_PROP(const float* propertyCode, const float* mode, const float* unitSystem,
                const float* currencyIndex, const int64_t* materialNumber, const float* temperature,
                float* result, int64_t* status, char* text, int64_t textLength);

}  // extern "C"
