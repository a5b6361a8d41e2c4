// The native build draws no pictures; a drawing slot is still placed, so that
// its drawn and view rectangles are kept as on Windows.
#include "drawing/drawing_render.h"
#include "drawing/pictures.h"

void SetPlaceableMapping(void*, void*, const unsigned char*, PictureRect) {}

void DrawPicture(PictureSlot* slot, void* window, void* dc, PictureRect rect) {
  if (!InDeviceSpace(rect)) return;
  if (slot->kind == kPictureDrawing) DrawDrawingSlot(slot, window, dc, rect);
}
