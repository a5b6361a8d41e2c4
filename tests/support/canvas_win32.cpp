#include "support/canvas_win32.h"

#include <algorithm>

namespace gdi_test {

Canvas::Canvas(int32_t w, int32_t h, COLORREF fill) : width(w), height(h) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  dc = CreateCompatibleDC(nullptr);
  void* p = nullptr;
  bitmap_ = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &p, nullptr, 0);
  bits_ = static_cast<uint32_t*>(p);
  before_ = SelectObject(dc, bitmap_);
  Fill(fill);
}

Canvas::~Canvas() {
  SelectObject(dc, before_);
  DeleteObject(bitmap_);
  DeleteDC(dc);
}

void Canvas::Fill(COLORREF colour) {
  // Written straight into the bits: whatever mapping or clip a test left on
  // the DC, every pixel gets the colour.
  const uint32_t pixel = (uint32_t{GetRValue(colour)} << 16) | (uint32_t{GetGValue(colour)} << 8) |
                         uint32_t{GetBValue(colour)};
  if (bits_ == nullptr) return;
  GdiFlush();
  std::fill(bits_, bits_ + static_cast<size_t>(width) * static_cast<size_t>(height), pixel);
}

uint32_t Canvas::At(int32_t x, int32_t y) const {
  GdiFlush();
  return bits_[y * width + x] & 0xFFFFFFu;
}

int Canvas::BlackIn(int32_t left, int32_t top, int32_t right, int32_t bottom) const {
  GdiFlush();
  int n = 0;
  for (int32_t y = top; y < bottom; ++y) {
    for (int32_t x = left; x < right; ++x) n += (bits_[y * width + x] & 0xFFFFFFu) == 0 ? 1 : 0;
  }
  return n;
}

int Canvas::Dark(int32_t left, int32_t top, int32_t right, int32_t bottom) const {
  GdiFlush();
  int n = 0;
  for (int32_t y = top; y < bottom; ++y) {
    for (int32_t x = left; x < right; ++x) {
      const uint32_t v = bits_[y * width + x];  // 0xRRGGBB
      n += IsDark(RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF)) ? 1 : 0;
    }
  }
  return n;
}

}  // namespace gdi_test
