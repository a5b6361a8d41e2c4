// Placing a report page's text and lines in logical units: which font each
// row takes, where ordinary text runs, left-aligned, right-aligned and
// centred field values stand, how far a dot leader is stretched, and where
// underlines and box lines run.
//
// The placement is written against a small canvas of plain function pointers
// (measure a text, select a page font, draw a text, draw a line) so that it
// does not depend on GDI: the Windows renderer gives it a device context, and
// tests give it fixed character widths and record what is drawn.
#pragma once

#include <cstdint>

#include "report/page/page_state.h"

struct PageCanvas {
  void* context;
  // The width of `text` (n characters, as they will be drawn) in logical
  // units: on the target, else on the reference device context. False when
  // neither can measure it.
  bool (*measure)(void* context, const char* text, int32_t n, int32_t* width);
  void (*selectFont)(void* context, PageFont font);
  // Draws n characters (already in the code page they are drawn in) at x, y.
  void (*drawText)(void* context, int32_t x, int32_t y, const char* text, int32_t n);
  void (*drawLine)(void* context, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
};

struct PagePoint {
  int32_t x;
  int32_t y;
};
// The top-left corner of a cell of the page, with the sheet offset, worked
// out in 64 bits: any cell and cell size has a position.
struct PagePosition {
  int64_t x;
  int64_t y;
};
PagePosition PageCellPosition(int32_t cell, CellSize size);
// The same clamped to 32 bits (a corner beyond them lies outside every
// device): PageCellToDevice.
PagePoint PageCellToDevice(int32_t cell, CellSize size);

// Line counts outside 0..62 are taken as the nearest of them.
int32_t ClampPageLines(int32_t lines);

// The text of the first `lines` rows of the PageBuffer: report lines with
// fonts by row, fields aligned on their markers and leaders stretched, or
// plain text rows. Box-drawing characters are not drawn as text.
void DrawPageText(const PageCanvas& canvas, int32_t lines, CellSize size);

// A run of text from `firstCell` (n characters of `text`; `following` is the
// character after the run), its first dot leader stretched to reach the cell
// where the text behind it stands.
void DrawPageRun(const PageCanvas& canvas, const char* text, int32_t firstCell, int32_t n,
                 char following, CellSize size);

// Underlines of rows marked 'u' or 'v', and the horizontal and vertical box
// lines of the first `lines` rows. Blanks row `lines` of the page text first.
void DrawPageLines(const PageCanvas& canvas, int32_t lines, CellSize size);
