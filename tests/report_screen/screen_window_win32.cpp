#include "screen_window_win32.h"

#include <cstring>

#include "run/run_context.h"

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

int CALLBACK CollectRecord(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
  auto* records = reinterpret_cast<std::vector<std::vector<unsigned char>>*>(data);
  const auto* bytes = reinterpret_cast<const unsigned char*>(record);
  records->emplace_back(bytes, bytes + record->nSize);
  return 1;
}

template <typename T>
T As(const std::vector<unsigned char>& bytes) {
  T value;
  std::memcpy(&value, bytes.data(), sizeof value);
  return value;
}

}  // namespace

Metafile::Metafile() { dc_ = ::CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr); }

Metafile::~Metafile() {
  if (dc_ != nullptr) ::DeleteEnhMetaFile(::CloseEnhMetaFile(dc_));
}

MetafileRecords Metafile::Finish() {
  HENHMETAFILE emf = ::CloseEnhMetaFile(dc_);
  dc_ = nullptr;
  std::vector<std::vector<unsigned char>> raw;
  ::EnumEnhMetaFile(nullptr, emf, CollectRecord, &raw, nullptr);
  ::DeleteEnhMetaFile(emf);

  MetafileRecords out;
  std::vector<int32_t> fontHeights(64, 0);  // by object index
  std::vector<bool> isFont(64, false);
  int32_t fontHeight = 0;
  COLORREF textColour = 0, backColour = RGB(255, 255, 255);
  int32_t backMode = OPAQUE;
  uint32_t brush = 0x80000000u | WHITE_BRUSH;
  POINT current = {0, 0};
  for (const auto& r : raw) {
    const uint32_t type = As<EMR>(r).iType;
    out.types.push_back(type);
    switch (type) {
      case EMR_EXTCREATEFONTINDIRECTW: {
        const auto f = As<EMREXTCREATEFONTINDIRECTW>(r);
        if (f.ihFont < fontHeights.size()) {
          fontHeights[f.ihFont] = f.elfw.elfLogFont.lfHeight;
          isFont[f.ihFont] = true;
        }
        break;
      }
      case EMR_SELECTOBJECT: {
        const uint32_t object = As<EMRSELECTOBJECT>(r).ihObject;
        out.selected.push_back(object);
        if (object & 0x80000000u) {
          const uint32_t stock = object & 0x7FFFFFFFu;
          if (stock <= BLACK_BRUSH || stock == NULL_BRUSH || stock == DC_BRUSH) brush = object;
          if (stock >= OEM_FIXED_FONT && stock <= DEFAULT_GUI_FONT && stock != DEFAULT_PALETTE)
            fontHeight = 0;
        } else if (object < isFont.size() && isFont[object]) {
          fontHeight = fontHeights[object];
        } else {
          brush = object;
        }
        break;
      }
      case EMR_SETTEXTCOLOR:
        textColour = As<EMRSETTEXTCOLOR>(r).crColor;
        break;
      case EMR_SETBKCOLOR:
        backColour = As<EMRSETBKCOLOR>(r).crColor;
        break;
      case EMR_SETBKMODE:
        backMode = static_cast<int32_t>(As<EMRSETBKMODE>(r).iMode);
        break;
      case EMR_MOVETOEX: {
        const auto m = As<EMRMOVETOEX>(r);
        current = {m.ptl.x, m.ptl.y};
        break;
      }
      case EMR_LINETO: {
        const auto l = As<EMRLINETO>(r);
        out.lines.push_back({current.x, current.y, l.ptl.x, l.ptl.y});
        current = {l.ptl.x, l.ptl.y};
        break;
      }
      case EMR_RECTANGLE: {
        const auto b = As<EMRRECTANGLE>(r).rclBox;
        out.rects.push_back({b.left, b.top, b.right, b.bottom, brush});
        break;
      }
      case EMR_EXTTEXTOUTW: {
        const auto t = As<EMREXTTEXTOUTW>(r);
        const uint32_t n = t.emrtext.nChars;
        std::wstring text(n, L'\0');
        std::memcpy(text.data(), r.data() + t.emrtext.offString, n * sizeof(wchar_t));
        int32_t width = 0;
        if (t.emrtext.offDx != 0) {
          for (uint32_t k = 0; k < n; ++k) {
            int32_t dx;
            std::memcpy(&dx, r.data() + t.emrtext.offDx + 4 * k, 4);
            width += dx;
          }
        }
        out.texts.push_back({t.emrtext.ptlReference.x, t.emrtext.ptlReference.y, text, width,
                             fontHeight, textColour, backColour, backMode});
        break;
      }
      default:
        break;
    }
  }
  out.fontHeightAtEnd = fontHeight;
  return out;
}

std::wstring Ansi(const std::string& bytes) {
  std::wstring wide(bytes.size(), L'\0');
  const int n = ::MultiByteToWideChar(1252, 0, bytes.data(), static_cast<int>(bytes.size()),
                                      wide.data(), static_cast<int>(wide.size()));
  wide.resize(n);
  return wide;
}

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
  static int classNumber = 0;
  const std::string className = "VeskarScreenTest" + std::to_string(++classNumber);
  WNDCLASSA wc = {};
  wc.style = classStyle;
  wc.lpfnWndProc = ScreenWindowProc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.hbrBackground = background;
  wc.lpszClassName = className.c_str();
  ASSERT_NE(::RegisterClassA(&wc), 0);
  window_ = ::CreateWindowExA(0, className.c_str(), "screen", WS_POPUP | WS_VISIBLE, 0, 0, 800, 500,
                              nullptr, nullptr, wc.hInstance, nullptr);
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
  HDC dc = ::GetDC(window_);
  const COLORREF c = ::GetPixel(dc, x, y);
  ::ReleaseDC(window_, dc);
  return c;
}

void ScreenWindowTest::FillClient(COLORREF colour) const {
  HDC dc = ::GetDC(window_);
  HBRUSH brush = ::CreateSolidBrush(colour);
  RECT all = {0, 0, 800, 500};
  ::FillRect(dc, &all, brush);
  ::DeleteObject(brush);
  ::ReleaseDC(window_, dc);
}

void ScreenWindowTest::PumpMessages() const {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

}  // namespace screen_test
