#include "engine/input/item_reader.h"

#include <charconv>
#include <cstring>
#include <limits>
#include <system_error>

#include "run/text.h"

namespace input {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsSeparator(char c) { return IsBlank(c) || c == ',' || c == '/'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The line being read and the position in it.
struct Scanner {
  units::LineSource* source;
  const char* line;
  size_t length;
  size_t pos;
  // An enclosed text may run over line ends, so it is gathered here.
  char enclosed[kWidestTextItem];
  size_t enclosedLength;
};

ReadOutcome NextLine(Scanner* s) {
  if (s->source == nullptr || s->source->next == nullptr) return ReadOutcome::Error;
  const char* line = nullptr;
  size_t length = 0;
  const units::IoStatus st = s->source->next(s->source, &line, &length);
  if (st == units::IoStatus::EndOfFile) return ReadOutcome::EndOfFile;
  if (st != units::IoStatus::Ok) return ReadOutcome::Error;
  s->line = line;
  s->length = line ? length : 0;
  s->pos = 0;
  return ReadOutcome::Ok;
}

enum class ValueKind { Null, Slash, Constant };

// One value of the input: a null value, the slash, or a constant, each
// standing `repeat` times.
struct Value {
  ValueKind kind;
  int64_t repeat;
  bool enclosed;
  const char* text;  // a constant not enclosed points into the current line
  size_t length;
};

// Digits as an unsigned count, saturating.
int64_t SaturatingDigits(const char* p, size_t n) {
  int64_t v = 0;
  for (size_t i = 0; i < n; ++i) {
    const int d = p[i] - '0';
    if (v > (std::numeric_limits<int64_t>::max() - d) / 10)
      return std::numeric_limits<int64_t>::max();
    v = v * 10 + d;
  }
  return v;
}

// Reads the next value. `afterValue` tells whether a value has been read whose
// separator has not been passed yet: a comma then only separates, while a
// comma that follows another comma (or opens the read) stands for a null.
ReadOutcome NextValue(Scanner* s, bool* afterValue, Value* v) {
  v->repeat = 1;
  v->enclosed = false;
  v->text = nullptr;
  v->length = 0;
  for (;;) {
    while (s->pos < s->length && IsBlank(s->line[s->pos])) ++s->pos;
    if (s->pos >= s->length) {
      const ReadOutcome r = NextLine(s);
      if (r != ReadOutcome::Ok) return r;
      continue;
    }
    const char c = s->line[s->pos];
    if (c == ',') {
      ++s->pos;
      if (*afterValue) {
        *afterValue = false;
        continue;
      }
      v->kind = ValueKind::Null;
      return ReadOutcome::Ok;
    }
    if (c == '/') {
      v->kind = ValueKind::Slash;
      return ReadOutcome::Ok;
    }
    break;
  }

  // A repeat count: digits directly followed by '*'.
  size_t p = s->pos;
  while (p < s->length && IsDigit(s->line[p])) ++p;
  if (p > s->pos && p < s->length && s->line[p] == '*') {
    v->repeat = SaturatingDigits(s->line + s->pos, p - s->pos);
    if (v->repeat == 0) return ReadOutcome::Error;
    s->pos = p + 1;
    if (s->pos >= s->length || IsSeparator(s->line[s->pos])) {
      v->kind = ValueKind::Null;
      *afterValue = true;
      return ReadOutcome::Ok;
    }
  }

  v->kind = ValueKind::Constant;
  const char c = s->line[s->pos];
  if (c == '\'' || c == '"') {
    ++s->pos;
    s->enclosedLength = 0;
    for (;;) {
      if (s->pos >= s->length) {
        const ReadOutcome r = NextLine(s);
        if (r != ReadOutcome::Ok) return r;
        continue;
      }
      const char ch = s->line[s->pos++];
      if (ch == c) {
        if (s->pos < s->length && s->line[s->pos] == c) {
          ++s->pos;
        } else {
          break;
        }
      }
      if (s->enclosedLength < kWidestTextItem) s->enclosed[s->enclosedLength++] = ch;
    }
    // The closing quote must end the item.
    if (s->pos < s->length && !IsSeparator(s->line[s->pos])) return ReadOutcome::Error;
    v->enclosed = true;
    v->text = s->enclosed;
    v->length = s->enclosedLength;
    *afterValue = true;
    return ReadOutcome::Ok;
  }

  const size_t start = s->pos;
  while (s->pos < s->length && !IsSeparator(s->line[s->pos])) ++s->pos;
  v->text = s->line + start;
  v->length = s->pos - start;
  *afterValue = true;
  return ReadOutcome::Ok;
}

bool Store(const ItemTarget& target, const Value& v) {
  switch (target.kind) {
    case ItemKind::Text:
      if (target.text != nullptr && target.width > 0) {
        fixed::CopyPadded(target.text, static_cast<size_t>(target.width), v.text, v.length);
      }
      return true;
    case ItemKind::Integer: {
      if (v.enclosed) return false;
      int64_t value = 0;
      if (!ParseInteger(v.text, v.length, &value)) return false;
      if (target.integer != nullptr) *target.integer = value;
      return true;
    }
    case ItemKind::Real: {
      if (v.enclosed) return false;
      float value = 0.0f;
      if (!ParseReal(v.text, v.length, &value)) return false;
      if (target.real != nullptr) *target.real = value;
      return true;
    }
  }
  return false;
}

// Significant digits kept for the conversion of a real. Every decimal number
// that decides a rounding of a four-byte real has fewer; further digits only
// matter by being zero or not, which one extra digit carries.
constexpr int kKeptDigits = 200;

}  // namespace

ReadOutcome ReadItems(units::LineSource* source, const ItemTarget* targets, int count) {
  Scanner s{};
  s.source = source;
  ReadOutcome r = NextLine(&s);
  if (r != ReadOutcome::Ok) return r;
  bool afterValue = false;
  Value v{};
  int64_t left = 0;  // uses of the current value still to come
  for (int i = 0; i < count; ++i) {
    if (left == 0) {
      r = NextValue(&s, &afterValue, &v);
      if (r != ReadOutcome::Ok) return r;
      if (v.kind == ValueKind::Slash) return ReadOutcome::Ok;
      left = v.repeat;
    }
    --left;
    if (v.kind == ValueKind::Null) continue;
    if (!Store(targets[i], v)) return ReadOutcome::Error;
  }
  return ReadOutcome::Ok;
}

bool ParseInteger(const char* text, size_t length, int64_t* value) {
  size_t i = 0;
  bool negative = false;
  if (i < length && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i >= length) return false;
  for (size_t j = i; j < length; ++j) {
    if (!IsDigit(text[j])) return false;
  }
  // Accumulate toward the sign's side so that the lowest value fits too.
  int64_t v = 0;
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  for (size_t j = i; j < length; ++j) {
    const int d = text[j] - '0';
    if (negative) {
      if (v < (kMin + d) / 10) {
        v = kMin;
        break;
      }
      v = v * 10 - d;
    } else {
      if (v > (kMax - d) / 10) {
        v = kMax;
        break;
      }
      v = v * 10 + d;
    }
  }
  *value = v;
  return true;
}

bool ParseReal(const char* text, size_t length, float* value) {
  size_t i = 0;
  bool negative = false;
  if (i < length && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // The number as 0.DDDD times 10 to `scale`, leading zeros dropped.
  char digits[kKeptDigits + 1];
  int kept = 0;
  bool sticky = false;  // a non-zero digit beyond the kept ones
  bool anyDigit = false;
  bool nonZero = false;
  int64_t scale = 0;
  constexpr int64_t kScaleLimit = int64_t{1} << 40;
  auto keep = [&](char d) {
    if (kept < kKeptDigits) {
      digits[kept++] = d;
    } else if (d != '0') {
      sticky = true;
    }
  };
  while (i < length && IsDigit(text[i])) {
    anyDigit = true;
    const char d = text[i++];
    if (!nonZero && d == '0') continue;
    nonZero = true;
    if (scale < kScaleLimit) ++scale;
    keep(d);
  }
  if (i < length && text[i] == '.') {
    ++i;
    while (i < length && IsDigit(text[i])) {
      anyDigit = true;
      const char d = text[i++];
      if (!nonZero) {
        if (d == '0') {
          if (scale > -kScaleLimit) --scale;
          continue;
        }
        nonZero = true;
      }
      keep(d);
    }
  }
  if (!anyDigit) return false;
  int64_t exponent = 0;
  if (i < length && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
    ++i;
    bool expNegative = false;
    if (i < length && (text[i] == '+' || text[i] == '-')) {
      expNegative = text[i] == '-';
      ++i;
    }
    if (i >= length || !IsDigit(text[i])) return false;
    while (i < length && IsDigit(text[i])) {
      if (exponent < kScaleLimit) exponent = exponent * 10 + (text[i] - '0');
      ++i;
    }
    if (expNegative) exponent = -exponent;
  }
  if (i != length) return false;

  const float zero = negative ? -0.0f : 0.0f;
  if (!nonZero) {
    *value = zero;
    return true;
  }
  const int64_t e10 = scale + exponent;  // value lies in [10^(e10-1), 10^e10)
  if (e10 > 39) return false;            // at least 1.0E39: beyond the range
  if (e10 < -45) {                       // below 1.0E-46: rounds to zero
    *value = zero;
    return true;
  }
  char buffer[kKeptDigits + 16];
  size_t n = 0;
  if (negative) buffer[n++] = '-';
  buffer[n++] = '0';
  buffer[n++] = '.';
  std::memcpy(buffer + n, digits, static_cast<size_t>(kept));
  n += static_cast<size_t>(kept);
  if (sticky) buffer[n++] = '1';
  buffer[n++] = 'e';
  const auto written = std::to_chars(buffer + n, buffer + sizeof buffer, e10);
  n = static_cast<size_t>(written.ptr - buffer);
  float parsed = 0.0f;
  const auto result = std::from_chars(buffer, buffer + n, parsed, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    if (e10 > 0) return false;
    *value = zero;
    return true;
  }
  if (result.ec != std::errc() || result.ptr != buffer + n) return false;
  *value = parsed;
  return true;
}

int64_t TruncateToInteger(float value) {
  constexpr float kTwoTo63 = 9223372036854775808.0f;
  if (value != value) return 0;
  if (value >= kTwoTo63) return std::numeric_limits<int64_t>::max();
  if (value <= -kTwoTo63) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(value);
}

}  // namespace input
