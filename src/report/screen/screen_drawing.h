// Drawing the screen's text in the host window: runs of equal attribute,
// input fields, caption and row bands, field values placed by their markers,
// dot leaders, single cells, and erasing cells.
//
// Device contexts are plain handles (HDC on Windows). A routine that takes no
// device context draws on one of the host window (GetHostWindow) and releases
// it before returning. The native build has no window: there these routines
// keep the shadows as on Windows (the checks of start and count, the attribute
// rule of column 79, the copy) and draw nothing.
//
// Box-drawing characters are never drawn as text here: they are blanked and
// drawn as lines by DrawScreenBoxLines (screen_lines.h).
#pragma once

#include <cstdint>

// Draws `count` cells of `text` and `attributes` at the screen cells from
// `startCell`, and, for fewer than 2000 cells, stores them in the shadows.
// A start off the screen or a count of 0 or less draws and stores nothing; a
// count past the last cell is cut there. Before the runs are cut, each cell of
// column 79 whose left neighbour lies in the range takes that neighbour's
// attribute, in the caller's array. The text may be ScreenText itself.
void PaintScreenText(void* dc, const char* text, uint8_t* attributes, int32_t count,
                     int32_t startCell);
// PaintScreenText on a device context of the host window.
void DrawScreenRun(const char* text, uint8_t* attributes, int32_t count, int32_t startCell);
// The window's paint handler: all 2000 cells of the shadows between BeginPaint
// and EndPaint (no box lines, no pictures).
void PaintScreen();
// One cell in the field font with the attribute's colours and lines along its
// top and bottom edges; stored in the shadows. A cell off the screen does
// nothing.
void DrawScreenCell(char character, uint8_t attribute, int32_t cell);
// Erases the boxes of cells first to first + count - 1 to the window's
// background, row by row, and validates them; no text is drawn.
void InvalidateCells(int32_t firstCell, int32_t count);
// A NUL-ended text at a pixel position in the normal font, with the device
// context's colours, not converted.
void DrawTextAtPixel(int32_t x, int32_t y, const char* text);
// Draws `length` characters of `text` at `startCell`, stretching its first
// run of two or more dots so that the run ends at the x of the cell after it;
// the text is measured as it is drawn, after the conversion to the ANSI code
// page (LayOutDrawnText, as on pages).
void DrawDotLeaders(void* dc, const char* text, int32_t startCell, int32_t length);

// Tests: the routines that fetch the host window's device context draw on
// this one instead and do not release it (nullptr: the window's own).
void SetScreenDcForTests(void* dc);
