#include "report/screen/screen_refresh.h"

#include <cstring>

#include "report/screen/screen_dc.h"
#include "report/screen/screen_drawing.h"
#include "report/screen/screen_lines.h"
#include "report/shared/drawing_tools.h"

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

ScreenRect PictureRectForCells(int32_t firstCell, int32_t lastCell) {
  const ScreenModel& m = g_screenModel;
  if (firstCell % kScreenColumns == 0 && lastCell % kScreenColumns == kScreenColumns - 1) {
    return {0, firstCell / kScreenColumns * m.cellHeight, m.clientWidth,
            (lastCell / kScreenColumns + 1) * m.cellHeight};
  }
  const ScreenPoint a = CellToPixel(firstCell);
  const ScreenPoint b = CellToPixel(lastCell);
  return {a.x, a.y, b.x, b.y};
}

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
