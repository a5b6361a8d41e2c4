// The drawing tools' process-wide state; the GDI objects are made and deleted
// in drawing_tools_win32.cpp (drawing_tools_posix.cpp natively).
#include "report_base/drawing_tools.h"

DrawingState g_drawingState = {kRenderPrinter, 0, 1, nullptr, nullptr, nullptr};

void ResetDrawingStateForTests() {
  DeleteDrawingPens();
  DeleteDrawingFont();
  g_drawingState = DrawingState{kRenderPrinter, 0, 1, nullptr, nullptr, nullptr};
}
