// One page of the print job and of the preview on its device: the page
// renderer draws the PageBuffer's text and lines, then each picture of the
// page is loaded, placed and released again.
#pragma once

#include <cstdint>

struct PictureSlot;

// A drawing whose first row falls on the page's last line or below it (first
// cell / 80 + 1 at least `lines`) moves down to the page's 62nd row, in the
// same column; its last cell stays. Other pictures stay where they are.
void MovePictureBelowText(PictureSlot* slot, int32_t lines);

// The page fonts and cell size of the print job, made on the
// printer before any page mapping.
void CreatePrintFonts(void* printerDC);
// The page in the PageBuffer at its place on the sheet (sequence number s),
// with the sheet's frame before the first page of a sheet of 2 or 4.
void DrawPrintedPage(void* window, void* printerDC, int32_t sequence, int32_t lines);
// One loaded picture of that page.
void DrawPrintedPicture(PictureSlot* slot, void* owner, void* printerDC, int32_t sequence);
