// What happens to a record once it is in a cache slot: the conversion of its
// header to the wanted unit system, and the extraction of what a property code
// asks for (header block, gasket block, text item, or a temperature table
// evaluated at a temperature by linear interpolation).
//
// All arithmetic is in four-byte reals, in the order written.
#pragma once

#include <cstdint>

#include "engine/material/material_cache.h"

// The price factor: CurrencyFactors(wanted) / CurrencyFactors(stored currency)
// times the unit factor for (stored, wanted) and the record's type.
float PriceFactor(int32_t wantedCurrency, float storedCurrencyWord, float storedSystem,
                  int32_t wantedSystem, float typeCode);

// Converts header words 1..30 of the slot from the words as stored into the
// wanted system (1..3), word 10 by the price factor for the wanted currency;
// the slot's header unit system becomes the wanted one. False, with the slot
// unchanged, when no table holds for the stored system.
bool ConvertSlotHeader(MaterialCacheSlot* slot, int32_t wantedSystem, int32_t wantedCurrency);

// The temperature table that begins at record word c (121..305) of `words`
// (record words by number, word w at words[w - 1]) evaluated at temperature t
// given in the wanted system. `codeAsPassed` is the property code as the
// caller gave it (146.0, 181.0 and 281.0 are not evaluated above their table
// outside mode 4). Writes *value and sets *status to 1 when there is no value
// (step 0 or no usable table: *value 0.0) or t lies above the table (*value the
// last value, or 0.0 for those three codes); leaves *status otherwise.
void EvaluateTemperatureTable(const float* words, float storedSystem, int32_t c, float codeAsPassed,
                              int32_t mode, int32_t wantedSystem, float t, float* value,
                              int64_t* status);

struct ExtractionRequest {
  int32_t k;  // whole part of the property code
  float codeAsPassed;
  int32_t mode;          // whole part of the mode
  int32_t wantedSystem;  // 1..3
  float alternativeText;
  int64_t materialNumber;  // as requested
  float temperature;
};

// Writes the result words, the text or the status for code k from the slot.
// Result word 1 and the status have been set to 0 by the caller.
void ExtractItem(const MaterialCacheSlot& slot, const ExtractionRequest& request, float* result,
                 int64_t* status, char* text, int64_t textLength);
