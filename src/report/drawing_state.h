// Drawing state shared by the screen, the page renderer, printing, preview,
// pictures and drawings, and the character tests that find a field around a
// marker cell and tell which characters are drawn as lines.
//
// The pens and the font are Windows GDI objects; here they are plain handles
// (null when not made). Only Windows-only code creates and deletes them; the
// native build never makes any, so its delete routines only forget them.
#pragma once

#include <cstdint>

// Where pages are being drawn.
constexpr int32_t kRenderPrinter = 0;
constexpr int32_t kRenderWindow = 1;
constexpr int32_t kRenderMetafile = 2;

struct DrawingState {
  int32_t renderTarget;        // RenderTarget: printer, window or metafile (printer)
  int32_t pagePictureFlag;     // PagePictureFlag: 1 while a page picture is drawn (0)
  int32_t picturesBeforeText;  // PicturesBeforeText: 1 before the screen text, 0 after (1)
  // Shared by every vector drawing, both black: solid pen (width 10) and dotted
  // pen (width 1), made together; the drawing font ("Arial").
  void* solidPen;
  void* dottedPen;
  void* drawingFont;
};
extern DrawingState g_drawingState;

// Makes both drawing pens when the solid pen does not exist (Windows only; the
// native build makes none).
void MakeDrawingPens();
// Deletes the pens / the font when they exist and marks them as not made.
void DeleteDrawingPens();
void DeleteDrawingFont();

// Load-time state (deletes whatever GDI objects exist first).
void ResetDrawingStateForTests();

// ---- character tests ----------------------------------------------------------
//
// Texts are screen or page texts of 80-character rows; a cell is row x 80 +
// column, counted from 0. `text` and `markers` (the field-marker map: '{', '}',
// '~') have `length` characters each; a cell past the end reads as a blank.

constexpr int32_t kRowWidth = 80;
constexpr int32_t kFieldTextLimit = 160;  // a field text holds at most 160 characters

// The text of the field whose marker is at `cell` into `out` (kFieldTextLimit
// + 1 bytes, NUL-terminated); its start is never below `lowestStart`. The
// result is the output's length (0 for an empty field).
int32_t FindFieldExtent(char* out, const char* text, const char* markers, int32_t length,
                        int32_t cell, int32_t lowestStart);
// First cell of the field that ends at `cell`.
int32_t FindFieldStart(const char* text, const char* markers, int32_t length, int32_t cell);
// Last cell of the field that starts at `cell`.
int32_t FindFieldEnd(const char* text, const char* markers, int32_t length, int32_t cell);

// 1 when the character at `cell` of the text is drawn as a line, else 0.
int32_t IsBoxChar(const char* text, int32_t length, int32_t cell);
// 1 when the report language is Chinese and the code is 160 or more.
int32_t IsLeadByte(char c);
// 1 for '0' to '9', '.' and '-'.
int32_t IsNumericChar(char c);
