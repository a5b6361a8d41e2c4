// The native build has no caret and no beep.
#include "report/screen/screen_services.h"

void PlaceCaret(int32_t /*cell*/) {}

void ScreenBeep() {}
