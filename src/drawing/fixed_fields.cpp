#include "drawing/fixed_fields.h"

#include <cstring>

namespace {

int DigitOrZero(char c) { return (c >= '0' && c <= '9') ? c - '0' : 0; }

// The characters of columns [position, position + width) of the line, with
// the columns past its end given as blanks. `out` holds kMaxFieldWidth + 1.
void TakeColumns(const char* line, int64_t lineLength, int64_t position, int width, char* out) {
  const int64_t left = lineLength - position;
  const int have = left <= 0 ? 0 : (left < width ? static_cast<int>(left) : width);
  if (have > 0) std::memcpy(out, line + position, static_cast<size_t>(have));
  if (have < width) std::memset(out + have, ' ', static_cast<size_t>(width - have));
  out[width] = '\0';
}

// A whole number as the field holds it: blanks, an optional sign, digits; the
// first other character ends it. False when there are no digits. Values past
// the 32-bit range are held at its ends.
bool ReadWholeNumber(const char* field, int width, int64_t* out) {
  int i = 0;
  while (i < width && (field[i] == ' ' || field[i] == '\t')) ++i;
  bool negative = false;
  if (i < width && (field[i] == '+' || field[i] == '-')) {
    negative = field[i] == '-';
    ++i;
  }
  int64_t value = 0;
  bool anyDigit = false;
  for (; i < width && field[i] >= '0' && field[i] <= '9'; ++i) {
    anyDigit = true;
    if (value <= INT32_MAX) value = value * 10 + (field[i] - '0');
  }
  if (!anyDigit) return false;
  if (negative) value = -value;
  if (value > INT32_MAX) value = INT32_MAX;
  if (value < INT32_MIN) value = INT32_MIN;
  *out = value;
  return true;
}

constexpr float kPowersOfTen[10] = {1.0f,         10.0f,        100.0f,     1000.0f,
                                    10000.0f,     100000.0f,    1000000.0f, 10000000.0f,
                                    100000000.0f, 1000000000.0f};

}  // namespace

void ReadFixedFieldsInto(const char* line, const char* descriptor, void* const* addresses,
                         int addressCount) {
  // The line ends at its first NUL, CR or LF.
  const int64_t lineLength = static_cast<int64_t>(std::strcspn(line, "\r\n"));
  const size_t descriptorLength = std::strlen(descriptor);

  int64_t position = 0;
  int next = 0;  // the next address
  char field[kMaxFieldWidth + 1];
  for (size_t item = 0; item + 3 <= descriptorLength; item += 3) {
    const char kind = descriptor[item];
    const char a = descriptor[item + 1];
    const char b = descriptor[item + 2];
    int width = 0;
    if (kind == 'A' || kind == 'I' || kind == 'X') {
      width = DigitOrZero(a) * 10 + DigitOrZero(b);
    } else if (kind == 'F') {
      width = DigitOrZero(a);
    } else {
      continue;  // unknown item: no columns, no address
    }
    if (width > kMaxFieldWidth) width = kMaxFieldWidth;
    TakeColumns(line, lineLength, position, width, field);
    position += width;
    if (kind == 'X') continue;

    void* address = next < addressCount ? addresses[next] : nullptr;
    ++next;
    if (!address) continue;
    if (kind == 'A') {
      // The text stops at the line's end rather than carrying blanks.
      const int64_t left = lineLength - (position - width);
      const int n = left <= 0 ? 0 : (left < width ? static_cast<int>(left) : width);
      std::memcpy(address, field, static_cast<size_t>(n));
      static_cast<char*>(address)[n] = '\0';
      continue;
    }
    int64_t whole = 0;
    if (!ReadWholeNumber(field, width, &whole)) continue;
    if (kind == 'I') {
      *static_cast<int32_t*>(address) = static_cast<int32_t>(whole);
    } else {
      const int decimals = DigitOrZero(b);
      *static_cast<float*>(address) = static_cast<float>(whole) / kPowersOfTen[decimals];
    }
  }
}
