// Which characters of an 80-column screen or page text join into lines, and
// how: '-', '|' and (unless the report language is Chinese) the OEM
// box-drawing characters are drawn as lines, not as text. The screen and the
// page renderer walk a row (or a column) and join the cells of a role into one
// segment; a start or an end role pulls the segment's end to the cell's middle.
#pragma once

#include <cstdint>

enum class LineRole { kNone, kStart, kThrough, kEnd };

// The role of the cell in a horizontal line: start (the line leaves it to the
// right), through, end (the line comes in from the left) or none. `text` has
// `length` characters; cells outside it read as blanks.
LineRole HorizontalLineRole(const char* text, int32_t length, int32_t cell);
// The same in a vertical line: start (leaves downwards), through, end (comes
// in from above) or none.
LineRole VerticalLineRole(const char* text, int32_t length, int32_t cell);
