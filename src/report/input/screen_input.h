// Screen input: a click on a cell of the 80x25 screen becomes a function key,
// a value typed into an input field for the user (a clicked word, or the name
// of a reference), or nothing; and the text of the input fields is gathered
// into, or filled from, a field-value text.
//
// A template is 2000 characters in which '#' (numbers) and '@' (any text)
// mark input cells; an input field is a maximal run of them. The routines
// work on the caller's template, screen text (2000 characters) and attributes
// (2000 bytes); what they change on the screen they draw at once.
//
// The key mask holds 13 letters, one per key position 1 to 13: 'N' disables
// the key; 'H' or 'F' marks the key that a click on a lone point gives, 'F'
// also the key that a click outside any field gives. A command is three
// letters: the third 'C' turns every click that gets past the labels into key
// 13; the second 'N' or 'F' means no gathering; the third 'U' or 'F'
// gathers in upper case.
#pragma once

#include <cstdint>

// The scans over the input cells treat the first 1679 cells (NextFieldEdge)
// or 1680 cells (PreviousFieldStart) as a ring.
constexpr int32_t kNextEdgeRing = 1679;
constexpr int32_t kPreviousStartRing = 1680;
// GatherInputFields reads cells 0 to 1914; its output holds at most 1916
// characters and the closing character 25: give it kGatheredSize bytes.
constexpr int32_t kGatheredCells = 1915;
constexpr int32_t kGatheredSize = 1917;
constexpr char kGatheredEnd = 25;
constexpr char kFieldEnd = 3;
// ShowTextLine draws with this attribute.
constexpr uint8_t kTextLineAttribute = 15;

bool IsInputCell(const char* templ, int32_t cell);

// The key for a click on `cell`: 1 to 13, 0 for nothing, -1 when an input
// field was filled (and drawn). A cell off the screen gives 0.
int32_t ClickToKey(const char* command, const char* keyMask, const char* templ, char* screen,
                   uint8_t* attributes, int32_t cell);

// The function-key label ("F1=" to "F12=", or with one blank before '=')
// nearest to the cell on its row: 1 to 12, or 0.
int32_t FindFunctionKeyLabel(const char* templ, const char* screen, int32_t cell);
// The position (from 1) of the first of `count` labels equal to `text` on
// `length` characters, or 0.
int32_t MatchLabel(const char* text, const char* const* labels, int32_t count, int32_t length);

// For a cell inside an input field, the first cell after that field;
// otherwise the first cell of the next field, going on from the ring's start
// after its end. A cell at or past the ring's end starts at cell 0. -1 when
// there is no such cell, or for a negative cell.
int32_t NextFieldEdge(int32_t cell, const char* templ);
// The first cell of the field before the cell, going on from the ring's end
// after its start; -1 when there is none.
int32_t PreviousFieldStart(int32_t cell, const char* templ);
// The length of the n-th input field (n from 1) and its first cell in *start;
// 0 when there is no such field. A field at cell 0 is the first field.
int32_t FindInputField(int32_t n, const char* templ, int32_t* start);

// The screen's input cells of cells 0 to 1914 into `out` (kGatheredSize
// bytes, not NUL-ended): each field's characters (NUL as blank, upper case
// when the command says so) followed by character 3, and character 25 at the
// end. The result is the count before character 25. Nothing is written when
// the command's second letter is 'N' or 'F' (result 0).
int32_t GatherInputFields(const char* command, const char* templ, const char* screen, char* out);
// Copies the values of a field-value text (each followed by character 3) into
// the screen's input fields, one a field, each cut to its field; the screen is
// not drawn. The text is read up to its end: character 25, a NUL or its 2000th
// character, whichever comes first; fields left when the values run out keep
// their text. The result is the cell where it stopped.
int32_t PlaceFieldValues(const char* templ, char* screen, const char* values);

// Draws a text (up to its first NUL, at most 80 characters, blank-padded, NUL
// and line feed as blanks) on a screen row with attribute 15. The caller's
// text is not changed.
void ShowTextLine(const char* text, int32_t row);

char UpperCaseLetter(char c);
// NUL characters become blanks; the result is the length.
int32_t BlankNuls(char* buffer, int32_t length);
// Removes leading and trailing blanks in place.
void TrimBlanks(char* text);
// Removes every blank in place; the result is the new length.
int32_t RemoveBlanks(char* text);
