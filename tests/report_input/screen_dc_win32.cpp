#include <windows.h>

#include "report_input/screen_dc.h"

void* MakeTestScreenDc() { return CreateCompatibleDC(nullptr); }
void FreeTestScreenDc(void* dc) { DeleteDC(static_cast<HDC>(dc)); }
