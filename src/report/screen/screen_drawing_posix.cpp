// The native build has no window: the drawing routines keep the shadows as
// the Windows build does (the checks of start and count, the attribute rule of
// column 79, the copy into the shadows) and draw nothing.
#include "report/screen/screen_drawing.h"
#include "report/screen/screen_model.h"
#include "report/screen/screen_text.h"
#include "run/run_context.h"

void PaintScreenText(void* /*dc*/, const char* text, uint8_t* attributes, int32_t count,
                     int32_t startCell) {
  ScreenSpan span;
  if (!ClampScreenSpan(startCell, count, &span)) return;
  ApplyColumn79Rule(attributes, span);
  StoreScreenCells(text, attributes, span);
}

void DrawScreenRun(const char* text, uint8_t* attributes, int32_t count, int32_t startCell) {
  PaintScreenText(nullptr, text, attributes, count, startCell);
}

void PaintScreen() {
  if (GetHostWindow() == nullptr) return;
  PaintScreenText(nullptr, g_screenModel.screenText, g_screenModel.screenAttributes, kScreenCells,
                  0);
}

void DrawScreenCell(char character, uint8_t attribute, int32_t cell) {
  if (cell < 0 || cell >= kScreenCells) return;
  g_screenModel.screenText[cell] = character;
  g_screenModel.screenAttributes[cell] = attribute;
}

void InvalidateCells(int32_t /*firstCell*/, int32_t /*count*/) {}

void DrawTextAtPixel(int32_t /*x*/, int32_t /*y*/, const char* /*text*/) {}

void DrawDotLeaders(void* /*dc*/, const char* /*text*/, int32_t /*startCell*/, int32_t /*length*/) {
}
