// The character tests of screen and page texts: the field around a marker
// cell, and which characters are drawn as lines.
//
// Texts are screen or page texts of 80-character rows; a cell is row x 80 +
// column, counted from 0. `text` and `markers` (the field-marker map: '{', '}',
// '~') have `length` characters each; a cell past the end reads as a blank.
#pragma once

#include <cstdint>

constexpr int32_t kRowWidth = 80;
constexpr int32_t kFieldTextLimit = 160;  // a field text holds at most 160 characters

// The text of the field whose marker is at `cell` into `out` (kFieldTextLimit
// + 1 bytes, NUL-terminated); its start is never below `lowestStart`. The
// result is the output's length (0 for an empty field).
int32_t FindFieldExtent(char* out, const char* text, const char* markers, int32_t length,
                        int32_t cell, int32_t lowestStart);
// First cell of the field that ends at `cell`.
int32_t FindFieldStart(const char* text, const char* markers, int32_t length, int32_t cell);
// Last cell of the field that starts at `cell`.
int32_t FindFieldEnd(const char* text, const char* markers, int32_t length, int32_t cell);

// 1 when the character at `cell` of the text is drawn as a line, else 0.
int32_t IsBoxChar(const char* text, int32_t length, int32_t cell);
// 1 when the report language is Chinese and the code is 160 or more.
int32_t IsLeadByte(char c);
// 1 for '0' to '9', '.' and '-'.
int32_t IsNumericChar(char c);
