#include "report_input/screen_dc.h"

void* MakeTestScreenDc() { return nullptr; }
void FreeTestScreenDc(void*) {}
