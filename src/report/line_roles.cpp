#include "report/line_roles.h"

#include <initializer_list>

#include "report/language.h"

namespace {

char At(const char* text, int32_t length, int32_t cell) {
  return cell >= 0 && cell < length ? text[cell] : ' ';
}

bool IsOemCode(char c, std::initializer_list<int> codes) {
  const int code = static_cast<unsigned char>(c);
  for (int k : codes) {
    if (code == k) return true;
  }
  return false;
}

}  // namespace

LineRole HorizontalLineRole(const char* text, int32_t length, int32_t cell) {
  const char c = At(text, length, cell);
  const char next = At(text, length, cell + 1);
  const char previous = cell > 0 ? At(text, length, cell - 1) : ' ';
  if (c == '|') {
    if (next == '-') return LineRole::kStart;
    if (cell > 0 && previous == '-') return LineRole::kEnd;
    return LineRole::kNone;
  }
  if (c == '-') {
    const bool fromLeft = cell > 0 && (previous == '-' || previous == '|');
    const bool toRight = next == '-' || next == '|';
    if (fromLeft && toRight) return LineRole::kThrough;
    if (fromLeft) return LineRole::kEnd;
    if (toRight) return LineRole::kStart;
    return LineRole::kNone;
  }
  if (GetLanguageNumber() == kLanguageChinese) return LineRole::kNone;
  if (IsOemCode(c, {180, 191, 217})) return LineRole::kEnd;
  if (IsOemCode(c, {192, 195, 218})) return LineRole::kStart;
  if (IsOemCode(c, {193, 194, 196, 197})) return LineRole::kThrough;
  return LineRole::kNone;
}

LineRole VerticalLineRole(const char* text, int32_t length, int32_t cell) {
  const char c = At(text, length, cell);
  if (c == '|' || c == '-') {
    const bool barAbove = cell >= 80 && At(text, length, cell - 80) == '|';
    const bool barBelow = At(text, length, cell + 80) == '|';
    const bool dashBeside = (cell > 0 && At(text, length, cell - 1) == '-') ||
                            At(text, length, cell + 1) == '-';
    if (barAbove && barBelow) return LineRole::kThrough;
    if (dashBeside && barAbove) return LineRole::kEnd;
    if (dashBeside && barBelow) return LineRole::kStart;
    return c == '|' ? LineRole::kThrough : LineRole::kNone;
  }
  if (GetLanguageNumber() == kLanguageChinese) return LineRole::kNone;
  if (IsOemCode(c, {179, 180, 195, 197})) return LineRole::kThrough;
  if (IsOemCode(c, {191, 194, 218})) return LineRole::kStart;
  if (IsOemCode(c, {192, 193, 217})) return LineRole::kEnd;
  return LineRole::kNone;
}
