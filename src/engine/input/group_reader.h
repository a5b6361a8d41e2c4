// The array groups of the run input file: a header (group code and line count)
// followed by that many lines of three items (text, name, value).
//
// Item 1 goes to the group's text table when it has one, else to the keyword
// field of the record; item 2 always to the name field; item 3 to the group's
// number table when it has one, else to the value field. A group reads all its
// lines, also those beyond the capacity of its table: such a line's items for
// the table go to a scratch field, so that nothing lands outside the table.
#pragma once

#include <cstdint>

#include "engine/files/file_units.h"
#include "engine/input/item_reader.h"

namespace input {

// Where line k of group `code` puts its text and its value.
struct GroupLineTargets {
  char* text;
  int64_t textWidth;
  float* value;
};

// The text cell of line k of a group that has a text table: true, with `cell`
// the table's entry (nullptr beyond the table) and `width` its width. False for
// a group without a text table.
bool GroupTextCell(int64_t code, int64_t k, char** cell, int64_t* width);

// The number cell of line k of a group that has a number table: true, with
// `cell` the table's entry (nullptr beyond the table). False for a group
// without a number table.
bool GroupNumberCell(int64_t code, int64_t k, float** cell);

// The numbered name list (0, 1, 2) of groups 15200, 15100 and 15300; -1 for
// any other code.
int NumberedListOf(int64_t code);

// Reads the `lineCount` lines (1 or more) of group `code`: Ok when all were
// read, else the outcome of the line that stopped the group. After a complete
// group 13001 the trace level goes to the host.
ReadOutcome ReadArrayGroup(units::LineSource* source, int64_t code, int64_t lineCount);

}  // namespace input
