// Text as the report library draws it, on the screen and on report pages: in
// the ANSI code page, with its dot leader stretched so that the text behind
// the dots starts at the cell where it stands although the font is narrower
// than the cells.
//
// A leader is measured as it is drawn, after the conversion: OEM 0x82 is a
// narrow low quote in the ANSI code page but e acute once converted, and a
// text measured before the conversion would gain dots that run past its
// column.
#pragma once

#include <cstdint>

// A text with its inserted leader dots holds at most this many characters.
constexpr int32_t kLeaderTextLimit = 599;

// Converts n characters from the OEM to the ANSI code page in place, except
// while the report language is Chinese, whose double-byte text is drawn as it
// stands.
void ToDrawnCodePage(char* text, int32_t n);

// The end (position after) of the first run of two or more dots in
// text[0..length), the character after the text counting as `following`; -1
// when there is none.
int32_t FindDotRunEnd(const char* text, int32_t length, char following = ' ');
// How many dots fit in `span` beyond `textWidth` (the text up to the dots'
// end), dots being `dotWidth` wide; 0 when the dot width is not positive.
int32_t LeaderDotCount(int32_t span, int32_t textWidth, int32_t dotWidth);
// The text with `dots` dots inserted at position `at`, cut to 599 characters
// (out: kLeaderTextLimit + 1 bytes, NUL-ended). The result is its length.
int32_t InsertLeaderDots(char* out, const char* text, int32_t length, int32_t at, int32_t dots);

// What a leader is laid out against: the device that measures text, and the
// positions of the cells the text stands in.
struct LeaderTarget {
  void* context;
  // The width of n characters as drawn; false when nothing can measure it.
  bool (*measure)(void* context, const char* text, int32_t n, int32_t* width);
  // How far in x the cell `cells` cells after the text's first cell lies from
  // the first cell.
  int32_t (*distance)(void* context, int32_t cells);
  // When nothing measures, a character counts one cell width and a dot half.
  int32_t cellWidth;
};

// The text as it is drawn (out: kLeaderTextLimit + 1 bytes, NUL-ended): its
// first n characters (at most 599) converted, and its first leader
// (FindDotRunEnd with `following`) given as many more dots as fit between the
// converted text's width up to the dots' end and the cell after the dots; the
// characters after the dots are kept, so the dots stop at 599 characters. The
// result is its length.
int32_t LayOutDrawnText(const LeaderTarget& target, const char* text, int32_t n, char following,
                        char* out);
