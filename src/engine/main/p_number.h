// The P-number of a material, as its header word 16 holds it: 100 x P for a
// P-number without letter, 100 x (100 x P + L) for one with the L-th letter.
#pragma once

#include <cstdint>

struct PNumber {
  bool isText;   // true: write `text`; false: write the integer `number`
  char text[3];  // number part left-aligned in 2 characters, then the letter
  int64_t number;
};

PNumber DecodePNumber(float word16);
