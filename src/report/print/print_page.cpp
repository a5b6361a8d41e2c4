#include "report/print/print_page.h"

#include "drawing/pictures.h"
#include "report/page/page_state.h"

void MovePictureBelowText(PictureSlot* slot, int32_t lines) {
  if (slot->kind != kPictureDrawing) return;
  if (slot->firstCell / kPageColumns + 1 < lines) return;
  slot->firstCell = (kPageRows - 1) * kPageColumns + slot->firstCell % kPageColumns;
}
