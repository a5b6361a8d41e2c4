#include "screen_window_win32.h"

#include "support/test_window_win32.h"

namespace screen_test {

RECT g_lastPaintRect = {0, 0, 0, 0};
int g_paintCount = 0;

namespace {

LRESULT CALLBACK ScreenWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    RECT update;
    if (::GetUpdateRect(window, &update, FALSE)) g_lastPaintRect = update;
    ++g_paintCount;
    PaintScreen();
    return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void ScreenWindowTest::SetUp() {
  ScreenTest::SetUp();
  normalFont_ =
      ::CreateFontA(kNormalHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
  // A fixed-pitch field font one cell wide, as a host sizes it to the cells:
  // its 81-blank bands then span the row.
  fieldFont_ = ::CreateFontA(kFieldHeight, 10, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0,
                             FIXED_PITCH | FF_MODERN, "Courier New");
  SetClient(800, 500, fieldFont_, normalFont_);
  MakeWindow(0, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  g_lastPaintRect = {0, 0, 0, 0};
  g_paintCount = 0;
}

void ScreenWindowTest::TearDown() {
  if (window_ != nullptr) ::DestroyWindow(window_);
  window_ = nullptr;
  SetHostWindow(nullptr);
  ScreenTest::TearDown();  // forgets the fonts before they are deleted
  ::DeleteObject(normalFont_);
  ::DeleteObject(fieldFont_);
}

void ScreenWindowTest::MakeWindow(UINT classStyle, HBRUSH background) {
  if (window_ != nullptr) ::DestroyWindow(window_);
  // One class per style and brush: a class keeps what it was registered with.
  ASSERT_NE(gdi_test::TestWindowClass(classStyle, background, ScreenWindowProc), nullptr);
  window_ = gdi_test::CreateTestWindow({.clientWidth = 800,
                                        .clientHeight = 500,
                                        .visible = true,
                                        .classStyle = classStyle,
                                        .background = background,
                                        .procedure = ScreenWindowProc,
                                        .title = "screen"});
  ASSERT_NE(window_, nullptr);
  SetHostWindow(window_);
  RECT client;
  ::GetClientRect(window_, &client);
  ASSERT_EQ(client.right, 800);
  ASSERT_EQ(client.bottom, 500);
  PumpMessages();
  FillClient(RGB(255, 255, 255));
  ::ValidateRect(window_, nullptr);
}

COLORREF ScreenWindowTest::Pixel(int32_t x, int32_t y) const {
  return gdi_test::WindowPixel(window_, x, y);
}

void ScreenWindowTest::FillClient(COLORREF colour) const { gdi_test::FillClient(window_, colour); }

void ScreenWindowTest::PumpMessages() const { gdi_test::PumpMessages(); }

}  // namespace screen_test
