#include "report/page/page_pictures.h"

#include <cmath>

#include "drawing/drawing_geometry.h"
#include "report/page/page_text.h"
#include "report_base/device_space.h"
#include "report_base/drawing_tools.h"

namespace {

// trunc(position x scale) + trunc(offset), in doubles: a position of any size
// scales without overflow, and the clamp comes last.
int32_t Scaled(int64_t position, double scale, double offset) {
  return SaturateToInt32(std::trunc(static_cast<double>(position) * scale) + std::trunc(offset));
}

}  // namespace

PictureRect PagePictureRect(int32_t firstCell, int32_t lastCell, CellSize size, int32_t width,
                            int32_t height, int32_t sequence) {
  const PagePosition first = PageCellPosition(firstCell, size);
  const PagePosition last = PageCellPosition(lastCell, size);
  if (g_drawingState.renderTarget == kRenderMetafile) {
    return {ClampToInt32(first.x), ClampToInt32(first.y), ClampToInt32(last.x),
            ClampToInt32(last.y)};
  }
  double sx = static_cast<double>(width) / (static_cast<double>(size.w) * g_pageRender.pageColumns);
  double sy = static_cast<double>(height) / (static_cast<double>(size.h) * kPageRows);
  double ox = 0;
  double oy = 0;
  const int64_t p = int64_t{sequence} - 1;
  if (g_pageRender.pagesPerSheet == 2) {
    sx /= 2;
    if (p % 2 == 1) ox = width / 2.0;
  } else if (g_pageRender.pagesPerSheet == 4) {
    sx /= 2;
    sy /= 2;
    if (p % 2 == 1) ox = width / 2.0;
    if ((p % 4) / 2 == 1) oy = height / 2.0;
  }
  return {Scaled(first.x, sx, ox), Scaled(first.y, sy, oy), Scaled(last.x, sx, ox),
          Scaled(last.y, sy, oy)};
}
