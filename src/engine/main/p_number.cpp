#include "engine/main/p_number.h"

#include <cmath>

namespace {
constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
// Beyond this a four-byte real has no fractional part and the product would
// not fit the eight-byte integer.
constexpr float kLargest = 9.0e18f;
}  // namespace

PNumber DecodePNumber(float word16) {
  PNumber p{false, {' ', ' ', ' '}, 0};
  int64_t r = 0;
  if (std::isfinite(word16) && std::fabs(word16) < kLargest) {
    r = static_cast<int64_t>(std::llround(static_cast<double>(word16)));  // halves away from zero
  }
  const int64_t g = r / 100;
  const int64_t s = g - 100 * (g / 100);
  const int64_t numberPart = g / 100;
  p.number = g;
  // A letter needs a position 1 to 26 and a number part that fits its two
  // characters; anything else is written as the integer.
  if (g > 100 && s >= 1 && s <= 26 && numberPart >= 1 && numberPart <= 99) {
    p.isText = true;
    if (numberPart >= 10) {
      p.text[0] = static_cast<char>('0' + numberPart / 10);
      p.text[1] = static_cast<char>('0' + numberPart % 10);
    } else {
      p.text[0] = static_cast<char>('0' + numberPart);
      p.text[1] = ' ';
    }
    p.text[2] = kLetters[s - 1];
  }
  return p;
}
