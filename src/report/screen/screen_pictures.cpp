#include "report/screen/screen_pictures.h"

#include "drawing/pictures.h"
#include "report/screen/screen_dc.h"
#include "report_base/device_space.h"
#include "run/run_context.h"

ScreenRect PictureRectForCells(int32_t firstCell, int32_t lastCell) {
  const ScreenModel& m = g_screenModel;
  if (firstCell % kScreenColumns == 0 && lastCell % kScreenColumns == kScreenColumns - 1) {
    // The bottom of the last row is the top of the row after it.
    return {0, CellToPixel(firstCell).y, m.clientWidth,
            ClampToInt32(int64_t{lastCell / kScreenColumns + 1} * m.cellHeight)};
  }
  const ScreenPoint a = CellToPixel(firstCell);
  const ScreenPoint b = CellToPixel(lastCell);
  return {a.x, a.y, b.x, b.y};
}

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
