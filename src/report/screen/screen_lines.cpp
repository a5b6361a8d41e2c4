#include "report/screen/screen_lines.h"

#include <initializer_list>

#include "report/screen/screen_model.h"
#include "report_base/language_number.h"

namespace {

// The character at a cell; past either end of the text it is a blank.
char At(const char* text, int32_t length, int32_t cell) {
  return cell >= 0 && cell < length ? text[cell] : ' ';
}

bool Chinese() { return GetLanguageNumber() == kLanguageChinese; }

bool OneOf(unsigned code, std::initializer_list<unsigned> codes) {
  for (unsigned c : codes) {
    if (c == code) return true;
  }
  return false;
}

// A segment of cells that carry one line, with the offsets that start or end
// the line in the middle of its first or last cell.
struct Segment {
  int32_t first;  // -1 while none is open
  int32_t length;
  int32_t startOffset;
  int32_t endOffset;
};

void Add(ScreenLinePlan* plan, bool frame, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (plan->count >= kScreenLineCapacity) return;
  plan->item[plan->count++] = {frame, x1, y1, x2, y2};
}

// A cell of a role other than none joins the segment, opening it at the cell
// when none is open; a start or an end moves that end of the line to the
// middle of the cell.
void Join(Segment* s, int32_t cell, int32_t role, int32_t halfCell) {
  if (s->first < 0) {
    s->first = cell;
    s->length = 0;
  }
  if (role == kLineStart) s->startOffset = halfCell;
  if (role == kLineEnd) s->endOffset = halfCell;
  ++s->length;
}

void Clear(Segment* s) { *s = Segment{-1, 0, 0, 0}; }

}  // namespace

int32_t HorizontalLineRole(const char* text, int32_t length, int32_t cell) {
  const char c = At(text, length, cell);
  const char previous = At(text, length, cell - 1);
  const char next = At(text, length, cell + 1);
  if (c == '|') {
    if (next == '-') return kLineStart;
    if (cell > 0 && previous == '-') return kLineEnd;
    return kLineNone;
  }
  if (c == '-') {
    const bool fromLeft = cell > 0 && (previous == '-' || previous == '|');
    const bool toRight = next == '-' || next == '|';
    if (fromLeft && toRight) return kLineThrough;
    if (fromLeft) return kLineEnd;
    if (toRight) return kLineStart;
    return kLineNone;
  }
  if (Chinese()) return kLineNone;
  const unsigned code = static_cast<unsigned char>(c);
  if (OneOf(code, {180, 191, 217})) return kLineEnd;
  if (OneOf(code, {192, 195, 218})) return kLineStart;
  if (OneOf(code, {193, 194, 196, 197})) return kLineThrough;
  return kLineNone;
}

int32_t VerticalLineRole(const char* text, int32_t length, int32_t cell) {
  const char c = At(text, length, cell);
  if (c == '|' || c == '-') {
    const bool barAbove = cell >= kScreenColumns && At(text, length, cell - kScreenColumns) == '|';
    const bool barBelow = At(text, length, cell + kScreenColumns) == '|';
    const bool dashBeside =
        (cell > 0 && At(text, length, cell - 1) == '-') || At(text, length, cell + 1) == '-';
    if (barAbove && barBelow) return kLineThrough;
    if (dashBeside && barAbove) return kLineEnd;
    if (dashBeside && barBelow) return kLineStart;
    return c == '|' ? kLineThrough : kLineNone;
  }
  if (Chinese()) return kLineNone;
  const unsigned code = static_cast<unsigned char>(c);
  if (OneOf(code, {179, 180, 195, 197})) return kLineThrough;
  if (OneOf(code, {191, 194, 218})) return kLineStart;
  if (OneOf(code, {192, 193, 217})) return kLineEnd;
  return kLineNone;
}

void PlanScreenBoxLines(int32_t firstRow, int32_t rowCount, ScreenLinePlan* plan) {
  plan->count = 0;
  const ScreenModel& m = g_screenModel;
  const int32_t w = m.cellWidth;
  const int32_t h = m.cellHeight;
  const char* text = m.screenText;
  const uint8_t* attributes = m.screenAttributes;
  // Rows outside the screen carry no lines. The last row is worked out wide:
  // a count meant as "to the end" must not wrap round below the first row.
  const int32_t first = firstRow < 0 ? 0 : firstRow;
  const int64_t lastWanted = static_cast<int64_t>(firstRow) + rowCount - 1;
  if (lastWanted < first) return;
  const int32_t last =
      lastWanted > kScreenRows - 1 ? kScreenRows - 1 : static_cast<int32_t>(lastWanted);
  if (first > last) return;

  // The full-width rules span from half a cell left of column 0 to half a
  // cell right of column 79.
  const int32_t ruleLeft = CellToPixel(22 * kScreenColumns).x - w / 2;
  const int32_t ruleRight = CellToPixel(22 * kScreenColumns + 79).x + w / 2;

  // Horizontal lines, row by row.
  for (int32_t r = first; r <= last; ++r) {
    const int32_t rowStart = r * kScreenColumns;
    const int32_t y = CellToPixel(rowStart).y;
    if (r == 22) Add(plan, false, ruleLeft, y + h - 1, ruleRight, y + h - 1);
    // A band row 20 (the key area's top) has a rule on its top edge instead of
    // box lines.
    if (r == 20 && attributes[1600] == kAttrBandRow) {
      Add(plan, false, ruleLeft, y, ruleRight, y);
      continue;
    }
    Segment s;
    Clear(&s);
    for (int32_t cell = rowStart; cell < rowStart + kScreenColumns; ++cell) {
      const int32_t role = HorizontalLineRole(text, kScreenCells, cell);
      if (role != kLineNone) {
        Join(&s, cell, role, w / 2);
        continue;
      }
      if (s.first >= 0) {
        const int32_t x1 = CellToPixel(s.first).x + s.startOffset;
        const int32_t x2 = CellToPixel(s.first + s.length).x - s.endOffset;
        Add(plan, false, x1, y + h / 2, x2, y + h / 2);
      }
      Clear(&s);
    }
    // A segment that reaches column 79 is not drawn.
  }

  // Underlines of rows whose column-79 attribute is 'u' (to column 79) or 'v'
  // (to column 60).
  for (int32_t r = first; r <= last; ++r) {
    const int32_t rowStart = r * kScreenColumns;
    const uint8_t mark = attributes[rowStart + 79];
    if (mark != kAttrUnderline && mark != kAttrShortUnderline) continue;
    const int32_t endCell = rowStart + (mark == kAttrUnderline ? 79 : 60);
    const ScreenPoint start = CellToPixel(rowStart);
    Add(plan, false, start.x, start.y + h, CellToPixel(endCell).x - w / 2, start.y + h);
  }

  // Frames of input fields that end within their row.
  for (int32_t r = first; r <= last; ++r) {
    const int32_t rowStart = r * kScreenColumns;
    int32_t runStart = -1;
    for (int32_t cell = rowStart; cell < rowStart + kScreenColumns; ++cell) {
      if (attributes[cell] == kAttrInputField) {
        if (runStart < 0) runStart = cell;
        continue;
      }
      if (runStart >= 0) {
        const ScreenPoint p = CellToPixel(runStart);
        Add(plan, true, p.x - 2, p.y, CellToPixel(cell).x, p.y + h);
        runStart = -1;
      }
    }
  }

  // Vertical lines, column by column; column 79 (the template's control
  // column) never carries one.
  for (int32_t column = 0; column < kScreenColumns - 1; ++column) {
    Segment s;
    Clear(&s);
    for (int32_t r = first; r <= last; ++r) {
      const int32_t cell = r * kScreenColumns + column;
      const int32_t role = VerticalLineRole(text, kScreenCells, cell);
      if (role != kLineNone) {
        Join(&s, cell, role, h / 2);
        continue;
      }
      if (s.first >= 0) {
        const int32_t x = CellToPixel(cell).x + w / 2;
        const int32_t y1 = CellToPixel(s.first).y + s.startOffset;
        const int32_t y2 = CellToPixel(s.first + s.length * kScreenColumns).y - s.endOffset;
        Add(plan, false, x, y1, x, y2);
      }
      Clear(&s);
    }
    // A segment still open after the last row of the range is not drawn.
  }
}
