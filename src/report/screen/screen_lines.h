// Lines of the screen: the box characters ('-', '|' and the OEM box-drawing
// characters) drawn as lines, the fixed rules of the screen layout, the
// underlines of rows marked 'u' or 'v', and the frames of input fields.
//
// Which lines there are is worked out from the text and attributes alone
// (platform-neutral, so both builds test it); DrawScreenBoxLines draws them
// with GDI.
#pragma once

#include <cstdint>

// How a line passes through a cell.
constexpr int32_t kLineNone = 0;
constexpr int32_t kLineStart = 1;    // leaves the cell to the right / downwards
constexpr int32_t kLineThrough = 2;  // crosses the cell
constexpr int32_t kLineEnd = 3;      // comes in from the left / from above

// The role of the character at `cell` of a text of 80-character rows that
// starts at a row start (screen or page text); cells past the text read as
// blanks. A caller whose text starts elsewhere passes a copy aligned to rows.
int32_t HorizontalLineRole(const char* text, int32_t length, int32_t cell);
int32_t VerticalLineRole(const char* text, int32_t length, int32_t cell);

// One line (from x1, y1 to x2, y2, the end point not drawn, as LineTo) or one
// input-field frame (an outline from left, top to right, bottom).
struct ScreenLineItem {
  bool frame;
  int32_t x1, y1, x2, y2;
};
// Enough for every line rows 0 to 24 can hold: 40 horizontal segments, an
// underline and a rule per row, 13 vertical segments per column.
constexpr int32_t kScreenLineCapacity = 4096;
struct ScreenLinePlan {
  int32_t count;
  ScreenLineItem item[kScreenLineCapacity];
};

// The lines of rows firstRow to firstRow + rowCount - 1 (limited to rows 0 to
// 24) from ScreenText and ScreenAttributes, in drawing order, in the cell
// geometry of the model.
void PlanScreenBoxLines(int32_t firstRow, int32_t rowCount, ScreenLinePlan* plan);

// Draws those lines on a device context of the host window in the default
// pen, then selects the font FontState names again.
void DrawScreenBoxLines(int32_t firstRow, int32_t rowCount);
