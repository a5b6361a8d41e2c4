// The whole screen drawn again (text, lines and pictures in the order the
// page's picture references chose), the loading of a whole screen, the
// caption colours of the bottom row.
#pragma once

#include <cstdint>

#include "report/screen/screen_model.h"

// DrawScreenRun of all 2000 cells of the shadows.
void DrawWholeScreen();
// Text, lines and pictures again: pictures first when PicturesBeforeText is 1.
void RefreshScreen();
// The second entry point of the refresh; it only forwards.
void RedrawScreen();
// Copies rows 0 to 23 (1920 characters and attributes) into the shadows and
// refreshes; row 24 keeps its content.
void LoadScreen(const char* text, const uint8_t* attributes);

// Reads the system's four caption colours and gives attribute 6 the active
// pair (flag non-zero) or the inactive one.
void LoadSystemColours(int32_t active);
// Attribute 6 takes the active / inactive pair (read from the system first
// when they were never read) and row 24 is drawn again.
void ShowActiveCaption();
void ShowInactiveCaption();
