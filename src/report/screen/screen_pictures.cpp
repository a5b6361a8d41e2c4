// The screen's pictures (the picture table filled from the page's references)
// drawn over the screen in the host window.
#include "drawing/pictures.h"
#include "report/screen/screen_dc.h"
#include "report/screen/screen_refresh.h"
#include "run/run_context.h"

void DrawScreenPictures() {
  void* dc = AcquireScreenDc();
  if (dc == nullptr) return;
  for (int32_t k = 0; k < g_pictureTable.count && k < kPictureSlotCount; ++k) {
    PictureSlot* slot = &g_pictureTable.slots[k];
    const ScreenRect r = PictureRectForCells(slot->firstCell, slot->lastCell);
    DrawPicture(slot, GetHostWindow(), dc, PictureRect{r.left, r.top, r.right, r.bottom});
  }
  ReleaseScreenDc(dc);
}
