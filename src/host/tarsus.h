// Binding to Tarsus.dll, the suite's library of ASME materials (imported by name).
//
// The property routine takes the very addresses that GetMaterialProperty
// received (the alternative-text selector is not among them) and, last, the
// text's length by value: the engine always passes 4, as the text travels as an
// array of four-character elements. The library sets the status (0 = done) and,
// when done, fills what the local databases would fill for that code. No
// function result is used.
#pragma once

#include <cstdint>

extern "C" {

void TARSUS_PROP(const float* propertyCode, const float* mode, const float* unitSystem,
                 const float* currencyIndex, const int64_t* materialNumber,
                 const float* temperature, float* result, int64_t* status, char* text,
                 int64_t textLength);

// The price of a material in the given unit system (the whole part of the
// wanted system); stored by the caller as it comes, without currency or unit
// factors.
float TARSUS_PRICE(const int64_t* materialNumber, const int64_t* unitSystem);

}  // extern "C"
