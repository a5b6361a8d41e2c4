// The drawing tools shared by the screen, the page renderer, printing,
// preview, pictures and drawings: where pages are drawn, the picture flags,
// the two vector-drawing pens and the drawing font.
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
