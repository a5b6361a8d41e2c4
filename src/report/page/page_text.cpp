#include "report/page/page_text.h"

#include <cstring>
#include <initializer_list>

#include "report/screen/screen_lines.h"
#include "report_base/character_tests.h"
#include "report_base/device_space.h"
#include "report_base/drawing_tools.h"
#include "report_base/drawn_text.h"

namespace {

constexpr int32_t kCols = kPageColumns;

// The working copy of the page text in which box-drawing characters are
// blanks; a blank row after the last, so that reads past a row stay inside.
char g_copy[(kPageRows + 1) * kCols];

// The width of text as drawn; `fallback` when no device can measure it.
int32_t MeasureOr(const PageCanvas& canvas, const char* text, int32_t n, int32_t fallback) {
  int32_t width = 0;
  return canvas.measure(canvas.context, text, n, &width) ? width : fallback;
}

bool IsNormalFontControl(char c) {
  return c == ' ' || c == '-' || c == '/' || c == ':' || c == ';' || c == 'b' || c == 'u' ||
         c == 'v';
}

// The cells `row` rows below or above hold '=' in this column, within the
// page's rows.
bool EqualsInColumn(int32_t lines, int32_t row, int32_t column) {
  for (int32_t d : {-2, -1, 1, 2}) {
    const int32_t r = row + d;
    if (r >= 0 && r < lines && g_copy[r * kCols + column] == '=') return true;
  }
  return false;
}

// A field value drawn so that it ends at the right edge of its cell (right)
// or is centred on the cell (centred): measured as drawn.
void DrawAlignedField(const PageCanvas& canvas, const char* field, int32_t n, int32_t cell,
                      bool centred, CellSize size) {
  char drawn[kFieldTextLimit + 1];
  std::memcpy(drawn, field, static_cast<size_t>(n));
  ToDrawnCodePage(drawn, n);
  const int32_t width = MeasureOr(canvas, drawn, n, n * size.w);
  const PagePoint at = PageCellToDevice(cell, size);
  const int32_t x = centred ? at.x - (width - size.w) / 2 : at.x + size.w - width;
  canvas.drawText(canvas.context, x, at.y, drawn, n);
}

// Does the copy hold `field` (n characters) from `start`? A start outside the
// copy never does.
bool CopyHolds(int32_t start, const char* field, int32_t n, int32_t copyLength) {
  if (start < 0 || start + n > copyLength) return false;
  return std::memcmp(g_copy + start, field, static_cast<size_t>(n)) == 0;
}

// A run being drawn, for its leader: the canvas measures, the page's cells
// give the distance from the run's first cell.
struct RunPlace {
  const PageCanvas* canvas;
  int32_t firstCell;
  CellSize size;
};

bool MeasureRun(void* context, const char* text, int32_t n, int32_t* width) {
  const PageCanvas& canvas = *static_cast<const RunPlace*>(context)->canvas;
  return canvas.measure(canvas.context, text, n, width);
}

int32_t RunDistance(void* context, int32_t cells) {
  const RunPlace& run = *static_cast<const RunPlace*>(context);
  const int64_t x = PageCellPosition(run.firstCell + cells, run.size).x;
  return ClampToInt32(x - PageCellPosition(run.firstCell, run.size).x);
}

void DrawRunOfCopy(const PageCanvas& canvas, int32_t firstCell, int32_t n, int32_t copyLength,
                   CellSize size) {
  if (n <= 0) return;
  const int32_t after = firstCell + n;
  const char following = after < copyLength ? g_copy[after] : ' ';
  DrawPageRun(canvas, g_copy + firstCell, firstCell, n, following, size);
}

void DrawReportRow(const PageCanvas& canvas, int32_t lines, int32_t r, CellSize size) {
  const PageBuffer& page = g_pageBuffer;
  const int32_t b = r * kCols;
  const int32_t copyLength = lines * kCols;
  const char* markers = page.markers;
  const char control = markers[b + kCols - 1];
  if (r == 0 && control != ' ') {
    canvas.selectFont(canvas.context, kTitleFont);
  } else {
    canvas.selectFont(canvas.context, IsNormalFontControl(control) ? kNormalFont : kBoldFont);
  }

  bool pending = false;  // a segment of ordinary text from column s
  bool marked = false;   // ... that is to be drawn
  int32_t s = 0;
  int32_t next = 0;  // the first column a field may start at
  char field[kFieldTextLimit + 1];
  for (int32_t i = 0; i <= 78; ++i) {
    const char here = g_copy[b + i];
    if (here != ' ' && !pending) {
      pending = true;
      marked = false;
      s = i;
    }
    const char marker = markers[b + i];
    if (here == ' ' && g_copy[b + i + 1] == ' ') {
      if (pending) marked = true;
      ++i;
    } else if (IsBoxChar(page.text, (kPageRows + 1) * kCols, b + i)) {
      if (pending) marked = true;
    } else if (marker == '{' && here != ' ' &&
               (i == 0 || g_copy[b + i - 1] == ' ' || g_copy[b + i - 1] == '=')) {
      if (pending && i - s > 0) {
        DrawRunOfCopy(canvas, b + s, i - s, copyLength, size);
        pending = false;
      }
      s = i;
      const int32_t length = FindFieldExtent(field, g_copy, markers, copyLength, b + i, b + next);
      if (length > 0) {
        DrawRunOfCopy(canvas, b + i, length, copyLength, size);
        pending = false;
        i += length - 1;
      }
      next = i + 1;
    } else if (marker == '}' || (here == '=' && EqualsInColumn(lines, r, i))) {
      const int32_t length = FindFieldExtent(field, g_copy, markers, copyLength, b + i, b + next);
      if (pending && i - s - length + 1 > 0) {
        DrawRunOfCopy(canvas, b + s, i - s - length + 1, copyLength, size);
        pending = false;
      }
      if (length > 0) {
        DrawAlignedField(canvas, field, length, b + i, false, size);
        pending = false;
      }
      next = i + 1;
    } else if (marker == '~' && here != ' ') {
      const int32_t length = FindFieldExtent(field, g_copy, markers, copyLength, b + i, b + next);
      const int32_t half = length / 2;
      int32_t left = 0;
      if (CopyHolds(b + i - half, field, length, copyLength)) {
        left = half;
      } else if (CopyHolds(b + i - half - 1, field, length, copyLength)) {
        left = half + 1;
      } else if (CopyHolds(b + i - half + 1, field, length, copyLength)) {
        left = half - 1;
      }
      if (pending && i - s - left > 0) {
        DrawRunOfCopy(canvas, b + s, i - s - left, copyLength, size);
        pending = false;
      }
      if (length > 0) {
        DrawAlignedField(canvas, field, length, b + i, true, size);
        pending = false;
        if (length > left) i += length - left - 1;
      }
      next = i + 1;
    }
    if (pending) {
      if (!marked && i == 78) {
        marked = true;
        i = 79;
      }
      if (marked) {
        DrawRunOfCopy(canvas, b + s, i - s, copyLength, size);
        pending = false;
        next = i + 1;
      }
    }
  }
}

// One segment of cells joined into a line, with its ends pulled in.
struct Segment {
  int32_t first;  // -1: none open
  int32_t cells;
  int32_t startOffset;
  int32_t endOffset;
};

// Adds a cell of a line role to the open segment (opening it at this cell).
void Join(Segment* seg, int32_t role, int32_t cell, int32_t halfStep) {
  if (seg->cells == 0) seg->first = cell;
  ++seg->cells;
  if (role == kLineStart) seg->startOffset = halfStep;
  if (role == kLineEnd) seg->endOffset = halfStep;
}

}  // namespace

PagePosition PageCellPosition(int32_t cell, CellSize size) {
  return {(int64_t{cell % kCols} + g_pageRender.sheetOffsetX) * size.w,
          (int64_t{cell / kCols} + g_pageRender.sheetOffsetY) * size.h};
}

PagePoint PageCellToDevice(int32_t cell, CellSize size) {
  const PagePosition p = PageCellPosition(cell, size);
  return {ClampToInt32(p.x), ClampToInt32(p.y)};
}

int32_t ClampPageLines(int32_t lines) {
  if (lines < 0) return 0;
  return lines > kPageRows ? kPageRows : lines;
}

void DrawPageText(const PageCanvas& canvas, int32_t lines, CellSize size) {
  if (lines < 0) return;
  lines = ClampPageLines(lines);
  const int32_t length = lines * kCols;
  std::memcpy(g_copy, g_pageBuffer.text, static_cast<size_t>(length));
  std::memset(g_copy + length, ' ', sizeof g_copy - static_cast<size_t>(length));
  // Each test sees the blanks already put before it.
  for (int32_t k = 0; k < length; ++k) {
    if (IsBoxChar(g_copy, length, k)) g_copy[k] = ' ';
  }
  if (g_pageRender.plainTextMode == 1) {
    for (int32_t r = 0; r < lines; ++r) {
      const PagePoint at = PageCellToDevice(r * kCols, size);
      canvas.drawText(canvas.context, at.x, at.y, g_copy + r * kCols, kCols);
    }
    return;
  }
  for (int32_t r = 0; r < lines; ++r) DrawReportRow(canvas, lines, r, size);
}

void DrawPageRun(const PageCanvas& canvas, const char* text, int32_t firstCell, int32_t n,
                 char following, CellSize size) {
  if (n <= 0) return;
  RunPlace place{&canvas, firstCell, size};
  const LeaderTarget target{&place, &MeasureRun, &RunDistance, size.w};
  char run[kLeaderTextLimit + 1];
  const int32_t length = LayOutDrawnText(target, text, n, following, run);
  const PagePoint at = PageCellToDevice(firstCell, size);
  canvas.drawText(canvas.context, at.x, at.y, run, length);
}

void DrawPageLines(const PageCanvas& canvas, int32_t lines, CellSize size) {
  lines = ClampPageLines(lines);
  char* text = g_pageBuffer.text;
  const char* markers = g_pageBuffer.markers;
  std::memset(text + lines * kCols, ' ', kCols);  // vertical lines end at the last line
  const int32_t length = (lines + 1) * kCols;
  const int32_t w = size.w;
  const int32_t h = size.h;

  for (int32_t r = 0; r < lines; ++r) {
    const char control = markers[r * kCols + kCols - 1];
    if (control != 'u' && control != 'v') continue;
    const PagePoint from = PageCellToDevice(r * kCols, size);
    const PagePoint to = PageCellToDevice(r * kCols + (control == 'u' ? 79 : 60), size);
    canvas.drawLine(canvas.context, from.x, from.y + h, to.x - w / 2, to.y + h);
  }

  for (int32_t r = 0; r < lines; ++r) {
    Segment seg{-1, 0, 0, 0};
    for (int32_t c = 0; c < kCols; ++c) {
      const int32_t cell = r * kCols + c;
      const int32_t role = HorizontalLineRole(text, length, cell);
      if (role != kLineNone) {
        Join(&seg, role, cell, w / 2);
        continue;
      }
      if (seg.cells > 0) {
        const PagePoint a = PageCellToDevice(seg.first, size);
        const PagePoint z = PageCellToDevice(seg.first + seg.cells, size);
        canvas.drawLine(canvas.context, a.x + seg.startOffset, a.y + h / 2, z.x - seg.endOffset,
                        z.y + h / 2);
      }
      seg = Segment{-1, 0, 0, 0};
    }
  }

  for (int32_t c = 0; c < kCols - 1; ++c) {
    Segment seg{-1, 0, 0, 0};
    for (int32_t r = 0; r <= lines; ++r) {
      const int32_t cell = r * kCols + c;
      const int32_t role = VerticalLineRole(text, length, cell);
      if (role != kLineNone) {
        Join(&seg, role, cell, h / 2);
        continue;
      }
      if (seg.cells > 0) {
        const PagePoint a = PageCellToDevice(seg.first, size);
        const PagePoint z = PageCellToDevice(seg.first + seg.cells * kCols, size);
        canvas.drawLine(canvas.context, a.x + w / 2, a.y + seg.startOffset, z.x + w / 2,
                        z.y - seg.endOffset);
      }
      seg = Segment{-1, 0, 0, 0};
    }
  }
}
