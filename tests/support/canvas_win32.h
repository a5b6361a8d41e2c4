// A memory bitmap to draw on and read pixels from: a 32-bit top-down DIB
// section selected into a memory DC.
#pragma once

#include <windows.h>

#include <cstdint>

namespace gdi_test {

// Dark: red, green and blue all below 128.
inline bool IsDark(COLORREF c) {
  return GetRValue(c) < 128 && GetGValue(c) < 128 && GetBValue(c) < 128;
}

class Canvas {
 public:
  Canvas(int32_t width, int32_t height, COLORREF fill = RGB(255, 255, 255));
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HBITMAP bitmap() const { return bitmap_; }  // null when the DIB section was not made
  void Fill(COLORREF colour);
  // The pixel as 0xRRGGBB (the DIB's order, not a COLORREF's).
  uint32_t At(int32_t x, int32_t y) const;
  bool IsBlack(int32_t x, int32_t y) const { return At(x, y) == 0; }
  // Pixels in [left, right) x [top, bottom) that are black, or dark (IsDark).
  int BlackIn(int32_t left, int32_t top, int32_t right, int32_t bottom) const;
  int Dark(int32_t left, int32_t top, int32_t right, int32_t bottom) const;

  HDC dc = nullptr;
  const int32_t width;
  const int32_t height;

 private:
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ before_ = nullptr;
  uint32_t* bits_ = nullptr;
};

}  // namespace gdi_test
