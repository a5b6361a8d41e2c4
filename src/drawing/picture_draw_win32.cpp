// Drawing a picture slot into a device context with GDI.
//
// Screen pictures are drawn between SaveDC and RestoreDC: a host window of
// class CS_OWNDC keeps its device context's state from one GetDC to the next,
// so one picture's mapping, origins, clip and background mode would otherwise
// reach the next picture and the screen text. Page pictures leave their
// mapping, as the page renderer expects.
#include <windows.h>

#include "drawing/drawing_geometry.h"
#include "drawing/drawing_render.h"
#include "drawing/pictures.h"
#include "report_base/drawing_tools.h"

namespace {

int16_t Le16(const unsigned char* p) { return static_cast<int16_t>(p[0] | (p[1] << 8)); }

int32_t Magnitude(int32_t a, int32_t b) {
  const int32_t d = b - a;  // 16-bit values: no overflow
  return d < 0 ? -d : d;
}

// The rectangle an enhanced metafile plays into. On the screen it fills the
// window's client area; on a page it fills the picture's own rectangle, and a
// rectangle in device units is played through an identity mapping so that
// the page's mapping does not scale it a second time.
RECT EnhancedTarget(HWND window, HDC dc, const PictureRect& rect) {
  RECT target = {rect.left, rect.top, rect.right, rect.bottom};
  if (g_drawingState.pagePictureFlag == 0) {
    RECT client;
    if (GetClientRect(window, &client)) target = client;
  } else if (g_drawingState.renderTarget != kRenderMetafile) {
    SetMapMode(dc, MM_TEXT);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetViewportOrgEx(dc, 0, 0, nullptr);
  }
  return target;
}

}  // namespace

void SetPlaceableMapping(void* /*window*/, void* dc, const unsigned char* header,
                         PictureRect rect) {
  HDC h = static_cast<HDC>(dc);
  const int32_t left = Le16(header + 6);
  const int32_t top = Le16(header + 8);
  const int32_t right = Le16(header + 10);
  const int32_t bottom = Le16(header + 12);
  SetMapMode(h, MM_ANISOTROPIC);
  SetWindowOrgEx(h, left, top, nullptr);
  SetWindowExtEx(h, Magnitude(left, right), Magnitude(top, bottom), nullptr);
  SetViewportOrgEx(h, rect.left, rect.top, nullptr);
  SetViewportExtEx(h, SaturateToInt32(static_cast<double>(int64_t{rect.right} - rect.left)),
                   SaturateToInt32(static_cast<double>(int64_t{rect.bottom} - rect.top)), nullptr);
}

void DrawPicture(PictureSlot* slot, void* window, void* dc, PictureRect rect) {
  if (!InDeviceSpace(rect)) return;
  HDC h = static_cast<HDC>(dc);
  const bool screen = g_drawingState.pagePictureFlag == 0;
  const int saved = screen ? SaveDC(h) : 0;
  SetBkMode(h, TRANSPARENT);
  switch (slot->kind) {
    case kPictureEnhanced: {
      const RECT target = EnhancedTarget(static_cast<HWND>(window), h, rect);
      PlayEnhMetaFile(h, static_cast<HENHMETAFILE>(slot->picture), &target);
      break;
    }
    case kPicturePlaceable:
      SetPlaceableMapping(window, dc, slot->placeableHeader, rect);
      PlayMetaFile(h, static_cast<HMETAFILE>(slot->picture));
      break;
    case kPicturePlain:
      // A plain metafile plays at its own coordinates.
      SetMapMode(h, MM_TEXT);
      PlayMetaFile(h, static_cast<HMETAFILE>(slot->picture));
      break;
    case kPictureDrawing:
      DrawDrawingSlot(slot, window, dc, rect);
      break;
    default:
      break;
  }
  if (saved != 0) RestoreDC(h, saved);
}
