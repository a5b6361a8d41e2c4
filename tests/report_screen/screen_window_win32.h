// Windows-only helpers of the screen tests: a real visible window under the
// null display driver (its pixels are readable), host fonts, and an enhanced
// metafile whose records show what a routine drew, in order, with the font,
// colours and background mode in effect at each text.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "screen_fixture.h"

namespace screen_test {

// What one text record drew and the state it was drawn in.
struct DrawnText {
  int32_t x, y;
  std::wstring text;
  int32_t width;       // the sum of its recorded character advances
  int32_t fontHeight;  // lfHeight of the selected font, 0 for a stock font
  COLORREF textColour, backColour;
  int32_t backMode;
};
struct DrawnLine {
  int32_t x1, y1, x2, y2;
};
struct DrawnRect {
  int32_t left, top, right, bottom;  // as recorded: normalised and inclusive
  uint32_t brush;                    // the brush selected: stock objects as 0x80000000 | index
};

struct MetafileRecords {
  std::vector<DrawnText> texts;
  std::vector<DrawnLine> lines;
  std::vector<DrawnRect> rects;
  std::vector<uint32_t> types;     // every record type, in order
  std::vector<uint32_t> selected;  // every SELECTOBJECT's object, in order
  int32_t fontHeightAtEnd;
};

// An enhanced-metafile DC to draw into; Finish closes it and reads its records.
class Metafile {
 public:
  Metafile();
  ~Metafile();
  HDC dc() const { return dc_; }
  MetafileRecords Finish();

 private:
  HDC dc_;
};

// The expected wide text of ANSI bytes (code page 1252), as the metafile holds it.
std::wstring Ansi(const std::string& bytes);

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
