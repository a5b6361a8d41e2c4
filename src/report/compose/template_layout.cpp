// Laying a template screen record out and filling in the field values.
#include <cstring>

#include "drawing/pictures.h"
#include "report/compose/page_composer.h"
#include "report/screen/screen_model.h"
#include "report_base/character_tests.h"
#include "report_base/drawing_tools.h"

namespace {

constexpr int32_t kCols = 80;
constexpr int32_t kHeaderReadLimit = 164;  // characters of the record read for the header
constexpr int32_t kRecordReadLimit = 2050;
constexpr int32_t kHeaderScanLength = 159;
constexpr char kGrave = '`';

// Appends a reference, brackets included, when the whole of it fits:
// PictureRefText never holds half a reference, and after one that does not
// fit no later one is taken either.
bool AppendReference(const char* from, int32_t length) {
  char* refs = g_composer.pictureRefText;
  const size_t have = std::strlen(refs);
  if (have + static_cast<size_t>(length) > static_cast<size_t>(kPictureRefTextCapacity))
    return false;
  std::memcpy(refs + have, from, static_cast<size_t>(length));
  refs[have + length] = '\0';
  return true;
}

const char* FindIn(const char* from, const char* end, char c) {
  for (const char* p = from; p < end; ++p) {
    if (*p == c) return p;
  }
  return nullptr;
}

void GatherHeaderReferences(const char* header) {
  const char* end = header + kHeaderScanLength;
  const char* cursor = header;
  while (cursor < end) {
    const char* open = FindIn(cursor, end, '<');
    char closing = '>';
    if (open == nullptr) {
      open = FindIn(cursor, end, '{');
      closing = '}';
    }
    if (open == nullptr) return;
    const char* close = FindIn(open + 1, end, closing);
    if (close == nullptr) return;
    g_drawingState.picturesBeforeText = closing == '>' ? 1 : 0;
    if (!AppendReference(open, static_cast<int32_t>(close - open + 1))) return;
    cursor = close + 1;
  }
}

bool IsMarker(char c) { return c == kGrave || c == '{' || c == '}' || c == '~'; }

bool OnPage(int32_t cell) { return cell >= 0 && cell < kComposeCells; }

// ParseReference, also giving the cell where the reference opens.
int32_t ParseReferenceAt(int32_t cell, const char* text, int32_t* letterCode, char* name,
                         int32_t* openCell);

}  // namespace

void LayOutTemplate(const char* command, const char* record, char* page, char* keyMask,
                    char* headerFields, int32_t* cursor) {
  char header[2 * kCols];
  std::memset(header, ' ', sizeof header);
  int32_t pos = 0;
  int32_t row = 0;
  int32_t col = 0;
  while (pos < kHeaderReadLimit && row < 2) {
    const char c = record[pos++];
    if (c == '\n') {
      ++row;
      col = 0;
    } else if (c != '\r') {
      if (col < kCols) header[row * kCols + col] = c;
      ++col;
    }
  }

  GatherHeaderReferences(header);
  if (command[0] != 'D') ParsePictureRefs(g_composer.pictureRefText);

  std::memset(headerFields, ' ', kHeaderFieldsLength);
  for (int32_t k = 0; k < 6; ++k) {
    std::memcpy(headerFields + k * 8, header + 20 + k * 10, 8);
    std::memcpy(headerFields + 48 + k * 8, header + kCols + 20 + k * 10, 8);
  }

  if (command[1] == 'N' || std::strncmp(command, "_PD", 3) == 0) {
    std::memset(keyMask, 'N', kKeyMaskLength);
  } else {
    std::memcpy(keyMask, header + kCols, kKeyMaskLength);
  }

  std::memset(page, ' ', kComposeCells);
  row = 0;
  col = 0;
  while (pos < kRecordReadLimit && row < kComposeRows) {
    const char c = record[pos++];
    if (c == '\n') {
      ++row;
      col = 0;
      continue;
    }
    if (c == '\r') continue;
    if (col < kCols) {
      const int32_t cell = row * kCols + col;
      const bool cursorMark = c == '_' && col > 0 && page[cell - 1] == ' ' &&
                              pos < kRecordReadLimit && (record[pos] == 'F' || record[pos] == 'P');
      if (cursorMark) {
        page[cell] = ' ';
        if (command[0] != 'D') *cursor = cell;
      } else {
        page[cell] = c;
      }
    }
    ++col;  // characters past column 80 are dropped
  }
}

void FillTemplateFields(char* composed, char* templatePage, char* fieldValues) {
  ScreenModel& screen = g_screenModel;
  for (int32_t& index : screen.fieldIndex) index = -1;

  int32_t end = -1;
  for (int32_t i = 0; i < kFieldValueCapacity; ++i) {
    if (fieldValues[i] == kValueListEnd) {
      end = i;
      break;
    }
    if (fieldValues[i] == '\0') fieldValues[i] = ' ';
  }
  if (end < 0 || end >= kFieldValueCapacity - 1) {
    fieldValues[0] = kValueListEnd;
    end = 0;
  }
  std::memcpy(screen.fieldValueText, fieldValues, static_cast<size_t>(end));
  screen.fieldValueText[end] = '\0';

  char original[kComposeCells];
  std::memcpy(original, templatePage, kComposeCells);
  std::memcpy(composed, templatePage, kComposeCells);
  for (int32_t cell = 0; cell < kComposeCells; ++cell) {
    const char t = original[cell];
    if (t == '\0' || t == '#' || t == '@' || IsMarker(t)) composed[cell] = ' ';
    // The neighbours of a marker at either end of the page read as blanks.
    switch (t) {
      case '\0':
      case '~':
        templatePage[cell] = ' ';
        break;
      case kGrave:
        templatePage[cell] = '#';
        break;
      case '{':
        templatePage[cell] = cell + 1 < kComposeCells ? original[cell + 1] : ' ';
        break;
      case '}':
        templatePage[cell] = cell > 0 ? templatePage[cell - 1] : ' ';
        break;
      default:
        break;
    }
  }

  // Each marker cell takes the next value: from the cell ('{'), up to the cell
  // ('}'), or centred on it (grave accent, '~'). Values are clipped to the page.
  int32_t next = 0;  // offset of the next value in FieldValueText
  for (int32_t cell = 0; cell < kComposeCells && next < end; ++cell) {
    const char t = original[cell];
    if (!IsMarker(t)) continue;
    int32_t length = 0;
    while (next + length < end && screen.fieldValueText[next + length] != kValueEnd) ++length;
    if (length > 0) {
      int32_t start = cell;
      if (t == '}') start = cell - length + 1;
      if (t == kGrave || t == '~') start = cell - length / 2;
      for (int32_t k = 0; k < length; ++k) {
        if (OnPage(start + k)) composed[start + k] = screen.fieldValueText[next + k];
      }
      screen.fieldIndex[cell] = next;
    }
    next += length + 1;  // past the character 3
  }

  int32_t code = 0;
  char name[kReferenceNameSize];
  for (int32_t cell = 0; cell < kComposeCells; ++cell) {
    if (composed[cell] != '[') continue;
    int32_t open = 0;
    const int32_t length = ParseReferenceAt(cell, composed, &code, name, &open);
    if (length <= 0) continue;
    for (int32_t k = 0; k < length && OnPage(open + k); ++k) composed[open + k] = ' ';
    cell = open + length - 1;
  }

  for (int32_t r = 0; r < kComposeRows; ++r)
    templatePage[r * kCols + 79] = composed[r * kCols + 79];
}

int32_t ParseReference(int32_t cell, const char* text, int32_t* letterCode, char* name) {
  int32_t open = 0;
  return ParseReferenceAt(cell, text, letterCode, name, &open);
}

namespace {

int32_t ParseReferenceAt(int32_t cell, const char* text, int32_t* letterCode, char* name,
                         int32_t* openCell) {
  name[0] = '\0';
  const int32_t rowStart = (cell / kCols) * kCols;
  const int32_t rowEnd = rowStart + kCols;  // one past the row's last cell
  auto at = [&](int32_t k) { return k >= rowStart && k < rowEnd ? text[k] : ' '; };
  auto pair = [&](int32_t k, char c) { return at(k) == c && at(k + 1) == c; };

  int32_t open = -1;
  int32_t close = -1;
  if (at(cell) == '[') {
    if (at(cell + 1) == '[')
      open = cell;
    else if (at(cell - 1) == '[')
      open = cell - 1;
  }
  if (at(cell) == ']') {
    if (at(cell + 1) == ']')
      close = cell + 1;
    else if (at(cell - 1) == ']')
      close = cell;
  }
  if (open < 0) {
    // On the second ']' the pair just left of the cell is this reference's
    // own closing, not one that ends the search.
    const int32_t from = close == cell ? cell - 2 : cell - 1;
    for (int32_t k = from; k >= rowStart; --k) {
      if (pair(k, ']')) break;
      if (pair(k, '[')) {
        open = k;
        break;
      }
    }
  }
  if (close < 0) {
    for (int32_t k = cell; k + 1 < rowEnd; ++k) {
      if (k > cell && pair(k, '[')) break;
      if (pair(k, ']')) {
        close = k + 1;
        break;
      }
    }
  }
  if (open < 0 || close < 0 || close < open + 3) return 0;
  *openCell = open;

  int32_t i = open + 2;
  const int32_t innerEnd = close - 1;  // the first ']' of the closing pair
  while (i < innerEnd && at(i) == ' ') ++i;
  if (i < innerEnd) {
    *letterCode = static_cast<unsigned char>(at(i)) - 64;
    int32_t n = 0;
    for (int32_t k = i + 1; k < innerEnd && at(k) != ' ' && n < kReferenceNameSize - 1; ++k) {
      name[n++] = at(k);
    }
    name[n] = '\0';
  } else {
    *letterCode = 0;
  }
  return close - open + 1;
}

}  // namespace

void ScreenAttributesFromTemplate(char* screenText, char* templateRows, uint8_t* attributes) {
  uint8_t rowAttribute[kComposeRows];
  bool xOn20or21 = false;
  for (int32_t r = 0; r < kComposeRows; ++r) {
    screenText[r * kCols + 79] = ' ';
    const char c = templateRows[r * kCols + 79];
    uint8_t a = 0;
    switch (c) {
      case 'W':
      case 'w':
      case '0':
      case '1':
      case '7':
      case 'x':
        a = 1;
        break;
      case 'G':
      case 'g':
      case '\'':
        a = 2;
        break;
      case 'R':
      case 'r':
      case '2':
        a = 3;
        break;
      case 'Y':
      case 'y':
      case '9':
        a = 4;
        break;
      case 'X':
        a = (r == 20 || r == 21) ? 7 : 3;
        if (r == 20 || r == 21) xOn20or21 = true;
        break;
      case 'u':
      case 'v':
        a = static_cast<uint8_t>(c);
        break;
      default:
        a = 0;
        break;
    }
    rowAttribute[r] = a;
  }
  if (xOn20or21 || (templateRows[21 * kCols + 79] == 'R' && templateRows[22 * kCols + 79] == 'R')) {
    rowAttribute[21] = 7;
    rowAttribute[22] = 7;
  }
  for (int32_t r = 0; r < kComposeRows; ++r) {
    const bool xRow = templateRows[r * kCols + 79] == 'X';
    for (int32_t col = 0; col < kCols; ++col) {
      const int32_t cell = r * kCols + col;
      char& t = templateRows[cell];
      const bool input = t == '#' || t == '@' || t == kGrave;
      if (input && xRow) t = ' ';
      attributes[cell] = input && !xRow ? 5 : rowAttribute[r];
    }
  }
}
