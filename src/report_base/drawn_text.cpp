#include "report_base/drawn_text.h"

#include <cstring>

#include "os/os.h"
#include "report_base/device_space.h"
#include "report_base/language_number.h"

namespace {

// The width of a text as drawn, or `fallback` when nothing can measure it.
int32_t MeasureOr(const LeaderTarget& target, const char* text, int32_t n, int64_t fallback) {
  int32_t width = 0;
  return target.measure(target.context, text, n, &width) ? width : ClampToInt32(fallback);
}

}  // namespace

void ToDrawnCodePage(char* text, int32_t n) {
  if (n <= 0 || GetLanguageNumber() == kLanguageChinese) return;
  os::ConvertOemToAnsi(text, text, static_cast<size_t>(n));
}

int32_t FindDotRunEnd(const char* text, int32_t length, char following) {
  auto at = [&](int32_t k) { return k < length ? text[k] : following; };
  for (int32_t k = 0; k < length; ++k) {
    if (text[k] != '.' || at(k + 1) != '.') continue;
    int32_t e = k + 2;
    while (e < length && text[e] == '.') ++e;
    return e < length ? e : length;
  }
  return -1;
}

int32_t LeaderDotCount(int32_t span, int32_t textWidth, int32_t dotWidth) {
  if (dotWidth <= 0) return 0;
  const int64_t extra = (int64_t{span} - textWidth) / dotWidth;
  return extra > 0 ? ClampToInt32(extra) : 0;
}

int32_t InsertLeaderDots(char* out, const char* text, int32_t length, int32_t at, int32_t dots) {
  int32_t n = 0;
  for (int32_t k = 0; k < at && n < kLeaderTextLimit; ++k) out[n++] = text[k];
  for (int32_t k = 0; k < dots && n < kLeaderTextLimit; ++k) out[n++] = '.';
  for (int32_t k = at; k < length && n < kLeaderTextLimit; ++k) out[n++] = text[k];
  out[n] = '\0';
  return n;
}

int32_t LayOutDrawnText(const LeaderTarget& target, const char* text, int32_t n, char following,
                        char* out) {
  if (n <= 0) {
    out[0] = '\0';
    return 0;
  }
  if (n > kLeaderTextLimit) n = kLeaderTextLimit;
  char drawn[kLeaderTextLimit];
  std::memcpy(drawn, text, static_cast<size_t>(n));
  ToDrawnCodePage(drawn, n);
  const int32_t e = FindDotRunEnd(text, n, following);
  int32_t extra = 0;
  if (e >= 0) {
    const int32_t dotWidth = MeasureOr(target, "....", 4, int64_t{2} * target.cellWidth) / 4;
    const int32_t width = MeasureOr(target, drawn, e, int64_t{e} * target.cellWidth);
    extra = LeaderDotCount(target.distance(target.context, e), width, dotWidth);
    // The characters after the dots are kept: the dots stop short instead.
    if (extra > kLeaderTextLimit - n) extra = kLeaderTextLimit - n;
  }
  return InsertLeaderDots(out, drawn, n, e < 0 ? n : e, extra);
}
