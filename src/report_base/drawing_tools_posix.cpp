// The native build has no GDI: no drawing tool is ever made, so deleting one
// only forgets it.
#include "report_base/drawing_tools.h"

void MakeDrawingPens() {}

void DeleteDrawingPens() {
  g_drawingState.solidPen = nullptr;
  g_drawingState.dottedPen = nullptr;
}

void DeleteDrawingFont() { g_drawingState.drawingFont = nullptr; }
