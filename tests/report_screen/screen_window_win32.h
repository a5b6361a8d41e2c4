// The screen tests' window: a real visible window under the null display
// driver (its pixels are readable) whose paint handler is the screen's, set
// as the host window, and the host's two fonts.
#pragma once

#include <windows.h>

#include "screen_fixture.h"

namespace screen_test {

// A visible 800 x 500 popup window at the desktop's corner whose paint handler
// is PaintScreen, set as the host window; fonts of two heights given to the
// screen. The window's background is painted white at the start.
class ScreenWindowTest : public ScreenTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Recreates the window with class style and background brush of its own.
  void MakeWindow(UINT classStyle, HBRUSH background);
  COLORREF Pixel(int32_t x, int32_t y) const;
  void FillClient(COLORREF colour) const;
  void PumpMessages() const;

  HWND window_ = nullptr;
  HFONT normalFont_ = nullptr;
  HFONT fieldFont_ = nullptr;
  static constexpr int32_t kNormalHeight = -16;
  static constexpr int32_t kFieldHeight = -18;
};

// The rectangle of the last WM_PAINT of the test window.
extern RECT g_lastPaintRect;
extern int g_paintCount;

}  // namespace screen_test
