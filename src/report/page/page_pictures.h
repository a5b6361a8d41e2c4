// Where a picture placed on a report page is drawn: the rectangle from the
// top-left corner of its first cell to the top-left corner of its last cell,
// in the units DrawPicture takes on the page's target.
#pragma once

#include <cstdint>

#include "drawing/pictures.h"
#include "report/page/page_state.h"

// On a metafile target (RenderTarget 2) the cells' logical positions. On any
// other target the rectangle is in device units of a target `width` by
// `height`: the logical positions scaled by width / (w x PageColumns) and
// height / (h x 62), halved in x for two pages a sheet and in both for four,
// and moved onto page `sequence`'s half or quarter (s counts from 1); every
// edge is truncated. Worked out exactly and clamped to 32 bits, so a cell far
// off the page (a row in the millions) gives a rectangle outside the device
// space, which draws nothing.
PictureRect PagePictureRect(int32_t firstCell, int32_t lastCell, CellSize size, int32_t width,
                            int32_t height, int32_t sequence);
