#include "report/input/screen_input.h"

#include <cstring>

#include "report/compose/page_composer.h"
#include "report/screen/screen_drawing.h"
#include "report/screen/screen_model.h"

namespace {

constexpr int32_t kWordEntryLimit = 1600;  // word entry only on rows 0 to 19
constexpr int32_t kKeyRowsStart = 1840;    // rows 23 and 24 hold the keys
constexpr int32_t kLonePointLast = 1918;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlankOrStar(char c) { return c == ' ' || c == '*'; }

int32_t RowStart(int32_t cell) { return cell / kScreenColumns * kScreenColumns; }

// The first mask position 1 to 13 holding one of the letters, or 0.
int32_t FirstMaskPosition(const char* keyMask, char a, char b) {
  for (int32_t k = 0; k < 13; ++k) {
    if (keyMask[k] == a || keyMask[k] == b) return k + 1;
  }
  return 0;
}

const char* const kShortLabels[] = {"F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10"};
const char* const kLongLabels[] = {"F10", "F11", "F12"};

// The key of a label whose '=' is at `equals`, or 0. The label's characters
// must lie on the row of the '=', right before it or before one blank.
int32_t LabelAt(const char* templ, const char* screen, int32_t equals) {
  if (screen[equals] != '=' || IsInputCell(templ, equals)) return 0;
  const int32_t rowStart = RowStart(equals);
  for (int32_t gap = 0; gap <= 1; ++gap) {
    const int32_t end = equals - gap;  // the label ends before this cell
    if (gap == 1 && (end <= rowStart || screen[end] != ' ')) break;
    if (end - 2 >= rowStart) {
      const int32_t k = MatchLabel(screen + end - 2, kShortLabels, 10, 2);
      if (k > 0) return k;
    }
    if (end - 3 >= rowStart) {
      const int32_t k = MatchLabel(screen + end - 3, kLongLabels, 3, 3);
      if (k > 0) return k + 9;
    }
  }
  return 0;
}

// A word clicked next to an input field, copied into the field; false when
// the click is no word entry.
bool EnterWord(const char* templ, char* screen, uint8_t* attributes, int32_t cell) {
  // The nearest input cell at or before the click, more than one cell before it.
  int32_t input = -1;
  for (int32_t i = cell; i >= 1; --i) {
    if (IsInputCell(templ, i)) {
      input = i;
      break;
    }
  }
  if (input < 0 || input >= cell - 1) return false;
  int32_t fieldStart = input;
  while (fieldStart > 0 && IsInputCell(templ, fieldStart - 1)) --fieldStart;

  // The character nearest to the click on its row.
  const int32_t rowStart = RowStart(cell);
  const int32_t rowEnd = rowStart + kScreenColumns;
  int32_t right = -1;
  for (int32_t i = cell; i < rowEnd; ++i) {
    if (!IsBlankOrStar(screen[i])) {
      right = i;
      break;
    }
  }
  int32_t left = -1;
  for (int32_t i = cell; i >= rowStart; --i) {
    if (!IsBlankOrStar(screen[i])) {
      left = i;
      break;
    }
  }
  int32_t c = cell;
  if (left >= 0 && (right < 0 || cell - left <= right - cell)) {
    c = left;
  } else if (right >= 0) {
    c = right;
  }

  // Back to the word's start: a blank that follows a blank or '*'. A scan
  // that starts on the input cell before the click, or meets it, is reading
  // the field's own text and its label, not a word beside the field.
  int32_t p = c;
  if (p == input) return false;
  while (p > rowStart && !(screen[p] == ' ' && IsBlankOrStar(screen[p - 1]))) {
    --p;
    if (p == input) return false;
  }
  if (p == c) return false;
  const int32_t wordStart = screen[p] == ' ' ? p + 1 : p;

  int32_t run = 0;
  for (int32_t i = input + 1; i < cell; ++i) {
    run = screen[i] == ' ' || screen[i] == '\0' ? run + 1 : 0;
    if (run >= 80) return false;
  }

  int32_t wordEnd = wordStart;  // the word ends at its first blank or '='
  while (wordEnd < kScreenCells && screen[wordEnd] != ' ' && screen[wordEnd] != '=') ++wordEnd;
  if (templ[fieldStart] == '#') {
    for (int32_t i = wordStart; i < wordEnd; ++i) {
      const char ch = screen[i];
      if (!IsDigit(ch) && ch != '-' && ch != '.' && ch != 'E' && ch != 'e') return false;
    }
  }
  int32_t fieldEnd = fieldStart;
  while (fieldEnd < kScreenCells && IsInputCell(templ, fieldEnd)) ++fieldEnd;
  // The word is read whole before the field is written: they may overlap.
  char word[kScreenCells];
  const int32_t wordLength = wordEnd - wordStart;
  std::memcpy(word, screen + wordStart, static_cast<size_t>(wordLength));
  for (int32_t i = fieldStart; i < fieldEnd; ++i) {
    const int32_t k = i - fieldStart;
    const char ch = k < wordLength ? word[k] : ' ';
    DrawScreenCell(ch, attributes[i], i);
    screen[i] = ch;
  }
  return true;
}

}  // namespace

bool IsInputCell(const char* templ, int32_t cell) {
  if (cell < 0 || cell >= kScreenCells) return false;
  return templ[cell] == '#' || templ[cell] == '@';
}

int32_t MatchLabel(const char* text, const char* const* labels, int32_t count, int32_t length) {
  for (int32_t k = 0; k < count; ++k) {
    if (std::strncmp(text, labels[k], static_cast<size_t>(length)) == 0) return k + 1;
  }
  return 0;
}

int32_t FindFunctionKeyLabel(const char* templ, const char* screen, int32_t cell) {
  if (cell < 0 || cell >= kScreenCells) return 0;
  const int32_t rowStart = RowStart(cell);
  const int32_t rowEnd = rowStart + kScreenColumns;
  int32_t leftKey = 0, leftAt = -1;
  bool leftPair = false;
  for (int32_t b = cell; b >= rowStart; --b) {
    const int32_t k = LabelAt(templ, screen, b);
    if (k > 0) {
      leftKey = k;
      leftAt = b;
      break;
    }
    if (b > rowStart && screen[b] == ' ' && screen[b - 1] == ' ') leftPair = true;
  }
  int32_t rightKey = 0, rightAt = -1;
  bool rightPair = false;
  for (int32_t b = cell + 1; b < rowEnd; ++b) {
    const int32_t k = LabelAt(templ, screen, b);
    if (k > 0) {
      rightKey = k;
      rightAt = b;
      break;
    }
    if (screen[b] == ' ' && screen[b - 1] == ' ') rightPair = true;
  }
  if (leftKey > 0 && rightKey > 0) {
    if (rightPair && !leftPair) return leftKey;
    if (leftPair && !rightPair) return rightKey;
    return cell - leftAt < rightAt - cell ? leftKey : rightKey;
  }
  return leftKey > 0 ? leftKey : rightKey;
}

int32_t ClickToKey(const char* command, const char* keyMask, const char* templ, char* screen,
                   uint8_t* attributes, int32_t cell) {
  if (cell < 0 || cell >= kScreenCells) return 0;
  if (IsInputCell(templ, cell)) return 0;
  const int32_t label = FindFunctionKeyLabel(templ, screen, cell);
  if (label > 0 && keyMask[label - 1] != 'N') return label;
  if (screen[cell] == '.' && cell >= 1 && cell <= kLonePointLast && !IsDigit(screen[cell - 1]) &&
      !IsDigit(screen[cell + 1])) {
    const int32_t k = FirstMaskPosition(keyMask, 'H', 'F');
    if (k > 0) return k;
  }
  if (command[2] == 'C') return 13;

  int32_t letter = 0;
  char name[kReferenceNameSize] = {};
  if (ParseReference(cell, templ, &letter, name) > 0) {
    int32_t start = 0;
    const int32_t length = FindInputField(letter, templ, &start);
    if (length > 0) {
      int32_t n = static_cast<int32_t>(std::strlen(name));
      if (n > length) n = length;
      std::memcpy(screen + start, name, static_cast<size_t>(n));
      DrawScreenRun(screen + start, attributes + start, n, start);
      return -1;
    }
  }
  if (cell < kWordEntryLimit && EnterWord(templ, screen, attributes, cell)) return -1;

  if (keyMask[12] != 'N') return 13;
  if (cell < kKeyRowsStart) {
    const int32_t k = FirstMaskPosition(keyMask, 'F', 'F');
    if (k > 0) return k;
  }
  if (keyMask[6] != 'N' && cell < NextFieldEdge(0, templ)) return 7;
  if (keyMask[7] != 'N' && cell < kKeyRowsStart) {
    int32_t last = -1;
    for (int32_t i = kKeyRowsStart - 1; i >= 0; --i) {
      if (IsInputCell(templ, i)) {
        last = i;
        break;
      }
    }
    if (last >= 0 && last < cell) return 8;
  }
  return 0;
}

int32_t NextFieldEdge(int32_t cell, const char* templ) {
  if (cell < 0) return -1;
  if (cell >= kNextEdgeRing) cell = 0;
  const bool inField = IsInputCell(templ, cell);
  for (int32_t step = 0; step < kNextEdgeRing; ++step) {
    const int32_t c = (cell + step) % kNextEdgeRing;
    if (IsInputCell(templ, c) != inField) return c;
  }
  return -1;
}

int32_t PreviousFieldStart(int32_t cell, const char* templ) {
  if (cell < 0) return -1;
  bool note = IsInputCell(templ, cell);
  int32_t c = cell < kPreviousStartRing ? cell : kPreviousStartRing;
  for (int32_t step = 1; step <= kPreviousStartRing - 1; ++step) {
    c = (c - 1 + kPreviousStartRing) % kPreviousStartRing;
    if (IsInputCell(templ, c)) {
      note = true;
    } else if (note && step != 1) {
      return (c + 1) % kPreviousStartRing;
    } else {
      note = false;
    }
  }
  return -1;
}

namespace {

// The first cell of the next field after `from` (from cell 0 a field at cell
// 0 itself), or -1 when the search went round the ring.
int32_t NextFieldStart(int32_t from, const char* templ) {
  if (from == 0 && IsInputCell(templ, 0)) return 0;
  const int32_t s = NextFieldEdge(from, templ);
  return s > from ? s : -1;
}

}  // namespace

int32_t FindInputField(int32_t n, const char* templ, int32_t* start) {
  int32_t from = 0;
  for (int32_t found = 1; found <= n; ++found) {
    const int32_t s = NextFieldStart(from, templ);
    if (s < 0) return 0;
    const int32_t e = NextFieldEdge(s, templ);
    if (e <= s) return 0;
    if (found == n) {
      *start = s;
      return e - s;
    }
    from = e;
  }
  return 0;
}

int32_t GatherInputFields(const char* command, const char* templ, const char* screen, char* out) {
  if (command[1] == 'N' || command[1] == 'F') return 0;
  const bool upper = command[2] == 'U' || command[2] == 'F';
  int32_t n = 0;
  bool inField = false;
  for (int32_t cell = 0; cell < kGatheredCells; ++cell) {
    if (IsInputCell(templ, cell)) {
      const char c = screen[cell] == '\0' ? ' ' : screen[cell];
      out[n++] = upper ? UpperCaseLetter(c) : c;
      inField = true;
    } else if (inField) {
      out[n++] = kFieldEnd;
      inField = false;
    }
  }
  if (inField) out[n++] = kFieldEnd;  // a field that runs to the last cell read
  out[n] = kGatheredEnd;
  return n;
}

int32_t PlaceFieldValues(const char* templ, char* screen, const char* values) {
  // The list ends at its character 25, a NUL or its 2000th character,
  // whichever comes first: nothing past it is a value. A caller's list may
  // end there without a NUL, so each value is looked for one character at a
  // time and nothing after the end is read.
  int32_t at = 0;  // the next value's first character in the list
  int32_t cur = 0;
  for (;;) {
    const int32_t s = NextFieldStart(cur, templ);
    if (s < 0) break;
    const int32_t e = NextFieldEdge(s, templ);
    if (e <= s) break;
    int32_t end = at;
    while (end < kFieldValueCapacity && values[end] != kFieldEnd && values[end] != '\0' &&
           values[end] != kValueListEnd) {
      ++end;
    }
    if (end >= kFieldValueCapacity || values[end] != kFieldEnd) break;
    int32_t n = end - at;
    if (n > e - s) n = e - s;
    std::memcpy(screen + s, values + at, static_cast<size_t>(n));
    at = end + 1;
    cur = e;  // the next field may begin right after this one
  }
  return cur;
}

void ShowTextLine(const char* text, int32_t row) {
  if (row < 0 || row >= kScreenRows) return;
  char line[kScreenColumns];
  std::memset(line, ' ', sizeof line);
  for (int32_t i = 0; i < kScreenColumns && text[i] != '\0'; ++i) {
    line[i] = text[i] == '\n' ? ' ' : text[i];
  }
  uint8_t attributes[kScreenColumns];
  std::memset(attributes, kTextLineAttribute, sizeof attributes);
  DrawScreenRun(line, attributes, kScreenColumns, row * kScreenColumns);
}

char UpperCaseLetter(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

int32_t BlankNuls(char* buffer, int32_t length) {
  for (int32_t i = 0; i < length; ++i) {
    if (buffer[i] == '\0') buffer[i] = ' ';
  }
  return length;
}

void TrimBlanks(char* text) {
  size_t n = std::strlen(text);
  while (n > 0 && text[n - 1] == ' ') --n;
  text[n] = '\0';
  size_t lead = 0;
  while (text[lead] == ' ') ++lead;
  if (lead > 0) std::memmove(text, text + lead, n - lead + 1);
}

int32_t RemoveBlanks(char* text) {
  int32_t n = 0;
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p != ' ') text[n++] = *p;
  }
  text[n] = '\0';
  return n;
}
