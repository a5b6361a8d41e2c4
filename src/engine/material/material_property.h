// GetMaterialProperty: the engine's only way to material data.
//
// Every argument is passed by address; the text is followed by its length (the
// length travels with it and is not otherwise used).
//   propertyCode  four-byte real; its whole part selects what comes back:
//                 1..30 the header block (30 words from word k on), 31..60 the
//                 gasket block (up to word 60), 61..120 text item k - 60,
//                 121..305 the temperature table at word k, at `temperature`;
//                 below 1 or above 305 nothing (status 0)
//   mode          0/1 normal, 2 no price look-up, 3 bypass the cache and no
//                 price look-up, 4 like 0 with strength tables above their range
//                 evaluated at their end
//   unitSystem    1 US customary, 2 SI, 3 metric; its whole part is taken,
//                 and any other gives status 1 and result word 1 = 0
//   alternativeText  2.0 the alternative text items, 1.0 the primary ones
//   currencyIndex currency of a returned price, 1..9 (anything else counts as 1)
//   materialNumber  eight-byte integer
//   result        30 four-byte reals (word 1 only for table codes)
//   status        0 done; 1 no data or above the table; 2 file missing or
//                 material not listed (or a library's own status)
//   text          at least 80 characters for the text codes
#pragma once

#include <cstdint>

void GetMaterialProperty(const float* propertyCode, const float* mode, const float* unitSystem,
                         const float* alternativeText, const float* currencyIndex,
                         const int64_t* materialNumber, const float* temperature, float* result,
                         int64_t* status, char* text, int64_t textLength);
