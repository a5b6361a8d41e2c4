// The page renderer's process-wide state, shared with the print job, the
// preview and the report file operations: how many pages go on a sheet, the
// one page being drawn (PageBuffer), the cell size, the three page fonts and
// the reference device context that measures text for targets that cannot.
//
// One page is drawn at a time in a process: the print job and the preview fill
// the PageBuffer page by page and call the renderer. A preview drawn while a
// print job runs (between two of its pages) sets the job's state aside and
// puts it back (SetPageStateAside below).
//
// The fonts and the reference DC are Windows GDI handles held as plain
// pointers (null when none); only Windows-only code makes or deletes them, and
// the native build never makes any, so its release only forgets them.
#pragma once

#include <cstdint>

#include "drawing/pictures.h"

constexpr int32_t kPageColumns = 80;     // columns of a page row
constexpr int32_t kPageRows = 62;        // rows of the page mapping
constexpr int32_t kPageLinesShown = 61;  // lines of a page that are drawn (the 62nd stays free)
constexpr int32_t kPageCells = kPageRows * kPageColumns;
constexpr int32_t kPagePictureLimit = 10;  // pictures placed on one page
// A reference as read holds 29 characters; a drawing reference names the
// report's own drawing file instead (a file name of up to 255 characters with
// ".KFD") followed by its numbers, and is kept whole, as long as LoadPicture
// takes.
constexpr int32_t kPagePictureRefSize = kPictureLoadReferenceLimit + 1;
constexpr int32_t kPageFaceNameSize = 20;  // up to 19 characters and a NUL

// The page being drawn. Column 80 (index 79) of a text row holds the line's
// carriage-control character in report lines and its 80th character in plain
// text lines; column 80 of a marker row always holds the control character.
struct PageBuffer {
  char text[(kPageRows + 1) * kPageColumns];  // 62 rows and a spare row, OEM code page
  char markers[kPageCells];                   // '{', '}', '~' in columns 1 to 79, blanks elsewhere
  int32_t pictureCount;                       // 0 to 10
  char pictureRefs[kPagePictureLimit]
                  [kPagePictureRefSize];   // name and four numbers, NUL-terminated
  int32_t pictureRows[kPagePictureLimit];  // page row (0 to 61) at which the picture's rows count
                                           // from 1
  int32_t
      drawingNumbers[kPagePictureLimit];  // number k in the report's drawing file, for a drawing
};
extern PageBuffer g_pageBuffer;

// Width and height of one character cell in logical units.
struct CellSize {
  int32_t w;
  int32_t h;
};

enum PageFont : int32_t { kTitleFont = 0, kBoldFont = 1, kNormalFont = 2, kPageFontCount = 3 };

struct PageRenderState {
  int32_t pagesPerSheet;                 // PagesPerSheet: 1, 2 or 4 (1)
  int32_t plainTextMode;                 // 0 report lines, 1 plain text lines (0)
  char pageFaceName[kPageFaceNameSize];  // face of the page fonts ("Arial")
  int32_t pageColumns;                   // columns of the page mapping (80)
  int32_t sheetOffsetX;                  // in cells, added to every cell position (0)
  int32_t sheetOffsetY;
  CellSize cellSize;            // the cell size the print job and preview made last
  void* fonts[kPageFontCount];  // title, bold and normal page fonts (none)
  void* referenceDC;            // measures text the target cannot (none)
};
extern PageRenderState g_pageRender;

// 0: report lines in "Arial"; 1: plain text lines in "Courier New"; both with
// 80 columns. Any other value changes only the mode.
void SelectPrintTextMode(int32_t mode);

// The device context that measures text while a metafile is drawn, or null.
void* GetReferenceDC();

// Stores a newly made page font, deleting the one it replaces (Windows only
// makes fonts; see page_fonts_win32.cpp).
void ReplacePageFont(PageFont which, void* font);
// Deletes the page fonts that exist and forgets them: the report file
// operations call it after appending a named report.
void ReleasePageFonts();

// Sheet offsets, in cells, that the print job and the preview set before they
// draw page s (s counts from 1 along a run of sheets): the preview's left-hand
// pages sit one cell further in than the printed ones.
enum class SheetUse { kPrint, kPreview };
void SetSheetOffset(int32_t pagesPerSheet, int32_t sequence, SheetUse use);
// True when page s is the first of its sheet and the sheet frame is drawn
// before it (2 or 4 pages per sheet only).
bool StartsSheetWithFrame(int32_t pagesPerSheet, int32_t sequence);

// Everything a page drawing changes in the shared page state: the
// PageBuffer, the renderer's settings, cell size, fonts, sheet offset and
// reference DC, and the render target and page-picture flag.
//
// The print job relies on all of it from one page to the next, and its abort
// procedure hands the thread's messages to the host while the driver works
// (inside StartDoc and EndPage): a host that paints its preview or copies a
// view to the clipboard there draws pages in the middle of the job. Those
// drawings set the job's state aside first and put it back afterwards, so the
// next printed page is drawn with the job's own fonts, cells, target and
// pictures. The vector-drawing pens and font are not part of it: every
// picture makes them when it needs them and its release deletes them, so no
// drawing relies on them from one page to the next.
struct SavedPageState {
  PageBuffer pageBuffer;
  PageRenderState render;
  int32_t renderTarget;
  int32_t pagePictureFlag;
};
// Copies the page state into `saved` and takes the page fonts out of it (none
// are left), so that the drawing that follows makes fonts of its own instead
// of deleting these.
void SetPageStateAside(SavedPageState* saved);
// Deletes the page fonts made since SetPageStateAside and puts the whole page
// state back as it was, fonts included.
void RestorePageState(const SavedPageState& saved);

// Load-time state; deletes any page font first.
void ResetPageStateForTests();
