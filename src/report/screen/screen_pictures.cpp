// Pictures on the screen are not drawn yet.
#include "report/screen/screen_refresh.h"

void DrawScreenPictures() {}
