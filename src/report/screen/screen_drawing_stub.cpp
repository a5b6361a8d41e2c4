// Placeholder bodies while the drawing is being written.
#include "report/screen/screen_drawing.h"
#include "report/screen/screen_lines.h"
#include "report/screen/screen_refresh.h"
#include "report/screen/screen_services.h"

#include <cstdlib>

void PaintScreenText(void*, const char*, uint8_t*, int32_t, int32_t) {}
void DrawScreenRun(const char*, uint8_t*, int32_t, int32_t) {}
void PaintScreen() {}
void DrawScreenCell(char, uint8_t, int32_t) {}
void InvalidateCells(int32_t, int32_t) {}
void DrawTextAtPixel(int32_t, int32_t, const char*) {}
void DrawDotLeaders(void*, const char*, int32_t, int32_t) {}
void SetScreenDcForTests(void*) {}
void DrawScreenBoxLines(int32_t, int32_t) {}
ScreenRect PictureRectForCells(int32_t, int32_t) { return {}; }
void DrawScreenPictures() {}
void DrawWholeScreen() {}
void RefreshScreen() {}
void RedrawScreen() {}
void LoadScreen(const char*, const uint8_t*) {}
void LoadSystemColours(int32_t) {}
void ShowActiveCaption() {}
void ShowInactiveCaption() {}
void PlaceCaret(int32_t) {}
void ScreenBeep() {}
void SplitWords(const char*, int32_t* count, char**) { *count = 0; }
void GetRunNames(char*, char*) {}
void EndProcess() { std::exit(0); }
void ResetScreenServicesForTests() {}
