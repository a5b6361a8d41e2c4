// Field and box-character tests of screen and page texts.
#include "report_base/character_tests.h"

#include "report_base/language_number.h"

namespace {

// The character at a cell; past either end of the text it is a blank.
char At(const char* text, int32_t length, int32_t cell) {
  return cell >= 0 && cell < length ? text[cell] : ' ';
}

bool IsOperator(char c) {
  return c == '*' || c == '+' || c == '-' || c == '.' || c == '/' || c == '^';
}

}  // namespace

int32_t IsBoxChar(const char* text, int32_t length, int32_t cell) {
  const char c = At(text, length, cell);
  if (c == '-') {
    const char next = At(text, length, cell + 1);
    if (next == '-' || next == '|') return 1;
    if (cell > 0) {
      const char previous = At(text, length, cell - 1);
      if (previous == '-' || previous == '|') return 1;
    }
    return 0;
  }
  if (c == '|') return 1;
  if (GetLanguageNumber() == kLanguageChinese) return 0;
  // The OEM box-drawing characters but 212, 215 and 216, and NUL, which is a
  // blank in the working copy and draws nothing.
  const unsigned code = static_cast<unsigned char>(c);
  if (code == 0) return 1;
  if (code >= 179 && code <= 211) return 1;
  return code == 213 || code == 214 || code == 217 || code == 218;
}

int32_t FindFieldStart(const char* text, const char* markers, int32_t length, int32_t cell) {
  const int32_t p = cell;
  const int32_t rowStart = (p / kRowWidth) * kRowWidth;
  const bool besideEquals = At(text, length, p) == '=';
  int32_t s = p;
  int32_t noted = -1;  // the blank noted last, -1 for none
  for (int32_t b = p - 1; b >= rowStart; --b) {
    const char t = At(text, length, b);
    const char m = At(markers, length, b);
    if (IsBoxChar(text, length, b)) {
      s = b + 1;
      break;
    }
    if (m == '}') {
      s = b + 1;
      break;
    }
    if (m == '{' || m == '~') {
      s = (noted >= 0 ? noted : p - 1) + 1;
      break;
    }
    if (b > rowStart && At(text, length, b - 1) == ' ' && t == ' ') {
      s = b + 1;
      break;
    }
    if (b > rowStart && At(text, length, b - 1) == '.' && t == '.') {
      s = b + 1;
      break;
    }
    if (t == ' ') {
      if (besideEquals && noted >= 0) {
        s = b + 1;
        break;
      }
      noted = b;
      if (b == rowStart) s = b + 1;
      continue;
    }
    if (t == '=') {
      s = b + 1;
      break;
    }
    if (b == rowStart) {
      s = noted < 0 ? b : noted + 1;
      break;
    }
    if (besideEquals) {
      // An operator before an '=' column: the field takes nothing.
      if (IsOperator(t)) return p;
      continue;
    }
    s = b;
  }
  if (At(text, length, s) == ' ') ++s;
  return s;
}

int32_t FindFieldEnd(const char* text, const char* markers, int32_t length, int32_t cell) {
  const int32_t p = cell;
  const int32_t rowEnd = (p / kRowWidth) * kRowWidth + kRowWidth;
  int32_t e = p;
  int32_t lastBlank = p + 1;
  for (int32_t i = p + 1; i < rowEnd; ++i) {
    const char m = At(markers, length, i);
    if (i == rowEnd - 1) {
      e = i - 1;
      break;
    }
    if (IsBoxChar(text, length, i)) {
      e = i - 1;
      break;
    }
    if (m == '{') {
      e = i - 1;
      break;
    }
    if (m == '}' || m == '~') {
      e = lastBlank - 1;
      break;
    }
    const char t = At(text, length, i);
    if (t == ' ' && At(text, length, i + 1) == ' ') {
      e = i - 1;
      break;
    }
    if (t == ' ') lastBlank = i;
  }
  if (At(text, length, e) == ' ') --e;
  return e;
}

int32_t FindFieldExtent(char* out, const char* text, const char* markers, int32_t length,
                        int32_t cell, int32_t lowestStart) {
  out[0] = '\0';
  if (cell < 0 || cell >= length) return 0;
  const char kind = text[cell] == '=' ? '=' : markers[cell];
  int32_t s = 0;
  int32_t e = -1;
  switch (kind) {
    case '=':
    case '}':
      s = FindFieldStart(text, markers, length, cell);
      if (s < lowestStart) s = lowestStart;
      e = cell;
      break;
    case '{':
      s = cell;
      e = FindFieldEnd(text, markers, length, cell);
      break;
    case '~':
      e = FindFieldEnd(text, markers, length, cell);
      s = FindFieldStart(text, markers, length, cell);
      if (s < lowestStart) s = lowestStart;
      break;
    default:
      return 0;
  }
  // An end before the start is an empty field.
  if (e < s) return 0;
  int32_t n = e - s + 1;
  if (n > kFieldTextLimit) n = kFieldTextLimit;
  for (int32_t k = 0; k < n; ++k) out[k] = At(text, length, s + k);
  out[n] = '\0';
  return n;
}

int32_t IsLeadByte(char c) {
  return GetLanguageNumber() == kLanguageChinese && static_cast<unsigned char>(c) >= 160;
}

int32_t IsNumericChar(char c) { return (c >= '0' && c <= '9') || c == '.' || c == '-'; }
