// Windows for tests under the null display driver. A window class is
// registered once for each class style, background brush and window
// procedure; windows stand at the desktop's corner unless placed elsewhere
// (popups unless another style is asked for) with the client area asked for.
// Only a visible window has readable pixels (a hidden one reads 0), kept
// across GetDC calls, inside the 1024 x 768 desktop.
#pragma once

#include <windows.h>

#include <cstdint>

#include "support/canvas_win32.h"

namespace gdi_test {

struct TestWindow {
  int32_t left = 0;  // the window's place on the desktop
  int32_t top = 0;
  int32_t clientWidth = 800;
  int32_t clientHeight = 500;
  bool visible = false;
  DWORD style = WS_POPUP;  // WS_VISIBLE is added for a visible window
  UINT classStyle = 0;
  HBRUSH background = nullptr;  // the class's background brush
  WNDPROC procedure = DefWindowProcA;
  const char* title = "test";
};

// The class for a class style, background brush and procedure: the same
// class every time they are the same. Null when it cannot be registered.
const char* TestWindowClass(UINT classStyle, HBRUSH background, WNDPROC procedure);

// A window as `spec` asks; null on failure. Messages its creation posted
// wait in the queue (PumpMessages).
HWND CreateTestWindow(const TestWindow& spec);

// Sends the messages waiting in this thread's queue to their windows.
void PumpMessages();

// Pixels of a window's client area.
COLORREF WindowPixel(HWND window, int32_t x, int32_t y);
void FillClient(HWND window, COLORREF colour);

// Dark pixels (IsDark) of a window's client area in [left, right) x [top, bottom).
int DarkPixels(HWND window, const RECT& area);

}  // namespace gdi_test
