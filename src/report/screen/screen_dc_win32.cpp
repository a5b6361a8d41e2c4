// The host window's device context for the screen's drawing, with a test
// hook: routines that fetch the context themselves can be pointed at an
// enhanced-metafile DC, whose records show what they drew.
#include <windows.h>

#include "report/screen/screen_dc.h"
#include "report/screen/screen_drawing.h"
#include "report/screen/screen_model.h"
#include "run/run_context.h"

namespace {
HDC g_testDc = nullptr;
}  // namespace

void SetScreenDcForTests(void* dc) { g_testDc = static_cast<HDC>(dc); }

void* AcquireScreenDc() {
  if (g_testDc != nullptr) return g_testDc;
  // Without a host window GetDC would give the whole screen's context.
  HWND window = static_cast<HWND>(GetHostWindow());
  if (window == nullptr) return nullptr;
  return ::GetDC(window);
}

void ReleaseScreenDc(void* dc) {
  if (dc == nullptr || dc == g_testDc) return;
  ::ReleaseDC(static_cast<HWND>(GetHostWindow()), static_cast<HDC>(dc));
}

void SelectScreenFont(void* dc, int32_t font) {
  void* handle = font == kFontField ? g_screenModel.fieldFont : g_screenModel.normalFont;
  if (dc != nullptr && handle != nullptr)
    ::SelectObject(static_cast<HDC>(dc), static_cast<HGDIOBJ>(handle));
  g_screenModel.fontState = font;
}

void ReadSystemCaptionColours(uint32_t* colours) {
  colours[kActiveCaption] = ::GetSysColor(COLOR_ACTIVECAPTION);
  colours[kActiveCaptionText] = ::GetSysColor(COLOR_CAPTIONTEXT);
  colours[kInactiveCaption] = ::GetSysColor(COLOR_INACTIVECAPTION);
  colours[kInactiveCaptionText] = ::GetSysColor(COLOR_INACTIVECAPTIONTEXT);
}
