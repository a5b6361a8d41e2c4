// The screen's pictures: the rectangle a picture's cells cover, and the
// drawing of the picture table over the screen in the host window.
#pragma once

#include <cstdint>

#include "report/screen/screen_model.h"

// The rectangle a screen picture from `firstCell` to `lastCell` is drawn in: a
// picture from column 0 to column 79 spans the stored client width from the
// top of its first row to the bottom of its last; any other runs from the
// first cell's point to the last cell's point. Worked out in 64 bits and
// clamped to 32: a reference far off the screen (a row in the millions) gives
// a rectangle outside the device space, which draws nothing.
ScreenRect PictureRectForCells(int32_t firstCell, int32_t lastCell);

// Draws every loaded screen picture slot over the screen.
void DrawScreenPictures();
