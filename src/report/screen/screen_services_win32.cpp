// The caret and the beep of the screen.
#include <windows.h>

#include "report/screen/screen_model.h"
#include "report/screen/screen_services.h"

void PlaceCaret(int32_t cell) {
  const ScreenPoint p = CellToPixel(cell);
  ::SetCaretPos(p.x, p.y + g_screenModel.cellHeight);
}

void ScreenBeep() { ::MessageBeep(MB_OK); }
