// Drawing the views of the loaded preview through the page renderer. Each
// page draws its pictures first and its text over them (the print job draws
// pictures last), and makes its fonts anew on the device it is drawn on.
#pragma once

#include <cstdint>

#include "report/page/page_state.h"

// The pages of view v (records v x PagesPerSheet to v x PagesPerSheet +
// PagesPerSheet - 1); empty places draw nothing. A view outside the view
// count draws nothing. The view is drawn as the window shows it: a sheet of
// the preview's own pages per sheet (those of its load) on the window target,
// whatever a print job has set since, with the shared page state set aside
// meanwhile.
void RenderPreviewPages(void* dc, void* window, int32_t view);
// The stored pages from `firstRecord` on, `count` of them (never past the
// store's last record).
void RenderStoredPages(void* dc, void* window, int32_t firstRecord, int32_t count);
// The page in the PageBuffer as page s of its run of sheets, `lines` rows.
void RenderPage(void* dc, void* window, int32_t sequence, int32_t lines);

// How the preview draws for a window or the clipboard: its pages in a run of
// sheets of their own, on a target of their own, measured on a reference DC
// of their own (or none).
struct PreviewDrawing {
  int32_t pagesPerSheet;
  int32_t renderTarget;
  void* referenceDC;
};
// RenderStoredPages with those settings, the shared page state set aside
// meanwhile (SetPageStateAside): a paint or a copy made while a print job
// runs (its abort procedure dispatches the host's messages) leaves the job's
// fonts, cells, target, pages per sheet and PageBuffer as it found them.
void RenderStoredPagesAside(void* dc, void* window, int32_t firstRecord, int32_t count,
                            const PreviewDrawing& drawing);

// The page fonts and cell size of a previewed page: those of the page
// renderer, or for a metafile target fixed ones (cells of 187 by 322 units,
// "Arial" of height 312, 260 bold and 260) since a metafile cannot measure.
constexpr int32_t kMetafileCellWidth = 187;
constexpr int32_t kMetafileCellHeight = 322;
void CreatePreviewFonts(void* dc, CellSize* size);
// The three fixed page fonts of a metafile target (none without GDI).
void MakeMetafilePageFonts();

// The window's paint of view v: a white client area in a black frame, and
// the view's pages.
void PaintPreview(void* unused, void* window, int32_t view);
