// Drawing one report page into a device context: a printer page, a window or
// a metafile (RenderTarget), one, two or four pages to a sheet.
//
// The print job and the preview fill the PageBuffer, set the sheet offset for
// page s (s counts the pages of a run of sheets from 1) and call, in order:
// CreatePageFonts once per job (or per previewed page), DrawSheetFrame before
// the first page of a sheet, MapPageToDevice, DrawPageBody and, for each
// picture, DrawPagePicture. The page's 80 by 62 cells then fill the device,
// its left or right half (full height) or one quarter.
//
// Windows and device contexts are plain handles. Only the Windows build
// draws; natively these routines leave everything as it is (CreatePageFonts
// keeps the cell size), so that code shared by both builds can call them.
#pragma once

#include <cstdint>

#include "drawing/pictures.h"
#include "report/page/page_state.h"

// Creates the title, bold and normal page fonts (replacing the ones before)
// and works out the cell size from the normal font's metrics. When the device
// context cannot give its text metrics (an old-style metafile cannot), *size
// keeps the value it had.
void CreatePageFonts(void* dc, CellSize* size);

// Width and height in device units of what RenderTarget designates: the
// printer's resolution, the window's client area (0 x 0 when it cannot be
// read), or 4320 x 5750 for a metafile.
struct TargetSize {
  int32_t width;
  int32_t height;
};
TargetSize GetRenderTargetSize(void* window, void* dc);

// Maps the page's cells onto the whole target, its half or its quarter, by
// the page's place on its sheet. A metafile target keeps its maker's mapping.
void MapPageToDevice(void* window, void* dc, CellSize size, int32_t sequence);

// The frame of a sheet of 2 or 4 pages, in an identity mapping of the target
// (which it leaves set). Any other count draws nothing.
void DrawSheetFrame(void* window, void* dc, int32_t pagesPerSheet);

// The text and lines of the first `lines` rows of the PageBuffer (0 to 62),
// in the page fonts and a black pen of width 1; the device context's font and
// pen are restored afterwards.
void DrawPageBody(void* dc, int32_t lines, CellSize size);

// Draws a loaded picture over the cells from its first to its last cell (top
// left corner to top left corner; PagePictureRect). Nothing is drawn for a
// cell size of 0 or less, or for cells so far off the page that their
// rectangle lies outside the device space.
void DrawPagePicture(PictureSlot* slot, void* window, void* dc, CellSize size, int32_t sequence);
