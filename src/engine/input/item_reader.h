// The item reader of the run input file: list-directed reading of a fixed
// number of items from a line source.
//
// Rules, shared by every read of the run input reader:
// - A read begins at the start of a new line and takes its items from that line
//   and, when it holds fewer, from the lines that follow. Once the last item is
//   taken the rest of its line is dropped.
// - Items are separated by a comma, by blanks (a TAB counts as a blank) or by a
//   line end; blanks around a comma belong to it. Blank lines are skipped.
// - An item is "not given" (its target keeps what it held) after a slash,
//   between two commas, before a comma that opens the read, and for "r*".
// - "r*c" stands for r items c (r an unsigned integer above zero).
// - A text may be enclosed in apostrophes or double quotes; the enclosing
//   character written twice stands for one, and the text may run over line
//   ends (which are not part of it). A text not enclosed ends at the first
//   blank, comma, slash or line end.
// - Integers: optional sign and digits; a value too large saturates.
//   Reals: integer or decimal number with an optional exponent (E, e, D or d
//   and an optionally signed integer), rounded correctly to a four-byte real;
//   a value beyond the four-byte range is a read error, one too small becomes
//   zero.
// - A read that runs past the last line ends with EndOfFile, even when it has
//   taken some items; an item that cannot be taken as its target's type is a
//   read error. Items taken before either stay stored.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/files/file_units.h"

namespace input {

enum class ReadOutcome { Ok, EndOfFile, Error };

enum class ItemKind { Text, Integer, Real };

// Where one item goes. Text: `text` of `width` characters, cut or padded with
// blanks. Integer: `integer`. Real: `real`.
struct ItemTarget {
  ItemKind kind;
  char* text;
  int64_t width;
  int64_t* integer;
  float* real;
};

inline ItemTarget TextItem(char* text, int64_t width) {
  return ItemTarget{ItemKind::Text, text, width, nullptr, nullptr};
}
inline ItemTarget IntegerItem(int64_t* value) {
  return ItemTarget{ItemKind::Integer, nullptr, 0, value, nullptr};
}
inline ItemTarget RealItem(float* value) {
  return ItemTarget{ItemKind::Real, nullptr, 0, nullptr, value};
}

// The widest text field any read fills; an enclosed text is kept up to this
// many characters (the rest is dropped, as no field could hold it).
constexpr size_t kWidestTextItem = 400;

// One read: `count` items into `targets`, from the next line of `source`.
ReadOutcome ReadItems(units::LineSource* source, const ItemTarget* targets, int count);

// The conversions of one item's characters (no blanks around them).
// False when the text is not a number of that form, or, for a real, lies beyond
// the four-byte range.
bool ParseInteger(const char* text, size_t length, int64_t* value);
bool ParseReal(const char* text, size_t length, float* value);

// A four-byte real truncated toward zero to an eight-byte integer, saturating
// at the integer's limits.
int64_t TruncateToInteger(float value);

}  // namespace input
