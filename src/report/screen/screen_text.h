// What the screen's text drawing decides before anything is drawn: which
// cells a draw covers, the runs of equal attribute, where each piece of a
// run's text goes (plain segments, values aligned by their field markers),
// and the boxes that erasing a range of cells covers. Platform-neutral, so
// both builds test the placement; the GDI code (screen_drawing_win32.cpp)
// measures and draws what these give, and lays out dot leaders as pages do
// (report_base/drawn_text.h).
#pragma once

#include <cstdint>

#include "report/screen/screen_model.h"

// The cells a draw covers once its start and count are checked: a start off
// the screen or a count of 0 or less covers none (false); a count past the
// last cell is cut there.
struct ScreenSpan {
  int32_t start;
  int32_t count;
};
bool ClampScreenSpan(int32_t startCell, int32_t count, ScreenSpan* span);

// Each cell of column 79 takes the attribute of the cell to its left, in the
// caller's array (attributes[0] is the span's first cell), when that cell lies
// in the span: the template's control column then joins its row's last run.
void ApplyColumn79Rule(uint8_t* attributes, const ScreenSpan& span);

// Copies the span's text and attributes into the shadows when it covers fewer
// than 2000 cells (the source may be the shadows themselves).
void StoreScreenCells(const char* text, const uint8_t* attributes, const ScreenSpan& span);

// The passed text placed at its screen cells (blanks elsewhere, so that every
// look beyond the text reads blanks and rows are counted from the screen's
// start), the work copy in which every character drawn as a line is a blank,
// and the field markers that count (none from row 20 on).
struct ScreenTextCopy {
  char passed[kScreenCells];
  char work[kScreenCells];
  char markers[kScreenCells];
};
void MakeScreenTextCopy(const char* text, const ScreenSpan& span, ScreenTextCopy* copy);

// A run of cells of equal attribute within one row.
struct ScreenRun {
  int32_t first;  // screen cell
  int32_t count;
  uint8_t attribute;
};
// Cuts the span into runs: a run ends at the span's last cell, before a cell
// whose attribute differs from its predecessor's and at the end of every row.
// `runs` holds kScreenCells entries; the result is the number of runs.
int32_t CutScreenRuns(const uint8_t* attributes, const ScreenSpan& span, ScreenRun* runs);

// One piece of a run's text and how it is placed.
constexpr int32_t kPlaceSegment = 0;  // drawn from its cell, with dot leaders
constexpr int32_t kPlaceRight = 1;    // ends at the right edge of its cell
constexpr int32_t kPlaceCentred = 2;  // centred on its cell
struct TextPlacement {
  int32_t kind;
  int32_t cell;
  int32_t length;
  char text[kFieldValueShownLimit + 1];  // NUL-ended, not yet converted
};
// A run of at most 80 cells gives at most a segment and a value per cell.
constexpr int32_t kRunPlacementCapacity = 2 * kScreenColumns;
struct RunTextPlan {
  int32_t count;
  TextPlacement item[kRunPlacementCapacity];
};
// The pieces of one run drawn by the text algorithm of ordinary attributes:
// segments of the work copy cut at double blanks and line characters, and
// field values placed by their markers ('{' left, '}' right, '~' centred, '='
// columns right-aligned). The last cell of a run is never a segment's.
void PlanRunText(const ScreenTextCopy& copy, const ScreenRun& run, RunTextPlan* plan);

// The boxes of cells first to first + count - 1, one rectangle per row part
// (cells off the screen are left out); `rects` holds kScreenRows entries. The
// result is the number of rectangles, 0 for a count of 0 or less.
int32_t CellRangeRects(int32_t firstCell, int32_t count, ScreenRect* rects);
