// The native build has no window to draw the lines in.
#include "report/screen/screen_lines.h"

void DrawScreenBoxLines(int32_t /*firstRow*/, int32_t /*rowCount*/) {}
