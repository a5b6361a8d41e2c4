// The GDI side of the shared drawing tools.
#include <windows.h>

#include "report_base/drawing_tools.h"

void MakeDrawingPens() {
  if (g_drawingState.solidPen != nullptr) return;
  g_drawingState.solidPen = CreatePen(PS_SOLID, 10, RGB(0, 0, 0));
  g_drawingState.dottedPen = CreatePen(PS_DOT, 1, RGB(0, 0, 0));
}

void DeleteDrawingPens() {
  if (g_drawingState.solidPen != nullptr)
    DeleteObject(static_cast<HGDIOBJ>(g_drawingState.solidPen));
  if (g_drawingState.dottedPen != nullptr)
    DeleteObject(static_cast<HGDIOBJ>(g_drawingState.dottedPen));
  g_drawingState.solidPen = nullptr;
  g_drawingState.dottedPen = nullptr;
}

void DeleteDrawingFont() {
  if (g_drawingState.drawingFont != nullptr) {
    DeleteObject(static_cast<HGDIOBJ>(g_drawingState.drawingFont));
  }
  g_drawingState.drawingFont = nullptr;
}
