#include "report/screen/screen_refresh.h"

#include <cstring>

#include "report/screen/screen_dc.h"
#include "report/screen/screen_drawing.h"
#include "report/screen/screen_lines.h"
#include "report/screen/screen_pictures.h"
#include "report_base/drawing_tools.h"

namespace {

constexpr int32_t kCaptionRowStart = 1920;  // row 24
constexpr int32_t kLoadedCells = 1920;      // rows 0 to 23

void ReadCaptionColoursOnce() {
  if (g_screenModel.systemColoursRead) return;
  ReadSystemCaptionColours(g_screenModel.systemCaptionColours);
  g_screenModel.systemColoursRead = true;
}

void UseCaptionPair(bool active) {
  const uint32_t* c = g_screenModel.systemCaptionColours;
  g_screenModel.captionColour = active ? c[kActiveCaption] : c[kInactiveCaption];
  g_screenModel.captionTextColour = active ? c[kActiveCaptionText] : c[kInactiveCaptionText];
}

void ShowCaption(bool active) {
  ReadCaptionColoursOnce();
  UseCaptionPair(active);
  DrawScreenRun(g_screenModel.screenText + kCaptionRowStart,
                g_screenModel.screenAttributes + kCaptionRowStart, kScreenColumns,
                kCaptionRowStart);
}

}  // namespace

void DrawWholeScreen() {
  DrawScreenRun(g_screenModel.screenText, g_screenModel.screenAttributes, kScreenCells, 0);
}

void RefreshScreen() {
  if (g_drawingState.picturesBeforeText == 1) {
    DrawScreenPictures();
    DrawWholeScreen();
    DrawScreenBoxLines(0, kScreenRows);
  } else {
    DrawWholeScreen();
    DrawScreenBoxLines(0, kScreenRows);
    DrawScreenPictures();
  }
}

void RedrawScreen() { RefreshScreen(); }

void LoadScreen(const char* text, const uint8_t* attributes) {
  std::memmove(g_screenModel.screenText, text, kLoadedCells);
  std::memmove(g_screenModel.screenAttributes, attributes, kLoadedCells);
  RefreshScreen();
}

void LoadSystemColours(int32_t active) {
  ReadSystemCaptionColours(g_screenModel.systemCaptionColours);
  g_screenModel.systemColoursRead = true;
  UseCaptionPair(active != 0);
}

void ShowActiveCaption() { ShowCaption(true); }

void ShowInactiveCaption() { ShowCaption(false); }
