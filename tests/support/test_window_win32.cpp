#include "support/test_window_win32.h"

#include <deque>
#include <string>

namespace gdi_test {

namespace {

struct RegisteredClass {
  UINT style;
  HBRUSH background;
  WNDPROC procedure;
  std::string name;
};

}  // namespace

const char* TestWindowClass(UINT classStyle, HBRUSH background, WNDPROC procedure) {
  // A class keeps the style, brush and procedure it was registered with, so
  // each combination gets its own. A deque keeps the names where they are.
  static std::deque<RegisteredClass> classes;
  for (const RegisteredClass& c : classes) {
    if (c.style == classStyle && c.background == background && c.procedure == procedure)
      return c.name.c_str();
  }
  RegisteredClass c{classStyle, background, procedure,
                    "VeskarTestWindow" + std::to_string(classes.size() + 1)};
  WNDCLASSA wc = {};
  wc.style = classStyle;
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = background;
  wc.lpszClassName = c.name.c_str();
  if (RegisterClassA(&wc) == 0) return nullptr;
  classes.push_back(std::move(c));
  return classes.back().name.c_str();
}

HWND CreateTestWindow(const TestWindow& spec) {
  const char* name = TestWindowClass(spec.classStyle, spec.background, spec.procedure);
  if (name == nullptr) return nullptr;
  const DWORD style = spec.style | (spec.visible ? WS_VISIBLE : 0);
  RECT frame = {0, 0, spec.clientWidth, spec.clientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  HWND window = CreateWindowExA(0, name, spec.title, style, spec.left, spec.top,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
  return window;
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

COLORREF WindowPixel(HWND window, int32_t x, int32_t y) {
  HDC dc = GetDC(window);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return c;
}

void FillClient(HWND window, COLORREF colour) {
  RECT all = {0, 0, 0, 0};
  GetClientRect(window, &all);
  HDC dc = GetDC(window);
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  ReleaseDC(window, dc);
}

int DarkPixels(HWND window, const RECT& area) {
  HDC dc = GetDC(window);
  int n = 0;
  for (int32_t y = area.top; y < area.bottom; ++y) {
    for (int32_t x = area.left; x < area.right; ++x) n += IsDark(GetPixel(dc, x, y)) ? 1 : 0;
  }
  ReleaseDC(window, dc);
  return n;
}

}  // namespace gdi_test
