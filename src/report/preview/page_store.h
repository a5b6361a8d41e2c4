// The preview's pages: a report loaded once into memory (the PageStore), one
// movable block a page, and drawn a view (a sheet of 1, 2 or 4 pages) at a
// time, as often as the window needs, without reading the file again.
//
// Loading replaces the store from record 0 on; afterwards the records beyond
// the new report's pages are emptied, so the last view of a shorter report
// never shows an older page. The store holds 100 pages (the empty pages that
// fill a sheet after a page-break line count); a longer report keeps its first
// 100. A page's block holds its text rows, then its marker rows (80 characters
// each), then its picture references.
#pragma once

#include <cstdint>

#include "report/page/page_state.h"

constexpr int32_t kPageStoreSize = 100;

struct PageRecord {
  int32_t lineCount;     // 0 to 61; 0 for an empty page
  int32_t pictureCount;  // 0 to 10
  int32_t drawingNumbers[kPagePictureLimit];
  int32_t pictureRows[kPagePictureLimit];
  void* block;    // movable memory block, or none
  char* address;  // the block, locked while the record holds it
};

struct PreviewState {
  PageRecord records[kPageStoreSize];
  int32_t pagesStored;  // of the last load
  int32_t viewCount;    // sheets of the loaded report; 0 when nothing is stored
  // The pages per sheet the views were made with: the preview keeps drawing
  // its views with it when a print job has changed PagesPerSheet since.
  int32_t pagesPerSheet;
  int32_t currentView;
  int32_t drawingCounter;
};
extern PreviewState g_preview;

// Bytes of a page's block.
int32_t PageBlockSize(int32_t lines, int32_t pictures);

// Stores a page in `record`: the block it held is released first; an empty
// page has no block. 1, or 0 after the message "Not enough memory to
// alloacte" (title "Error", stop icon, no owner) when the block cannot be
// allocated or locked.
int32_t StorePage(PageRecord* record, const char* text, const char* markers,
                  const char (*references)[kPagePictureRefSize], int32_t lines, int32_t pictures,
                  const int32_t* rows, const int32_t* numbers);

// Reads the report into the store: 1 when at least one page was stored, else
// 0; a report that cannot be opened shows "File not found" (title "Error",
// stop icon, owner `window`) and changes nothing.
int32_t LoadReportPages(void* window, const char* path);

// Pages per sheet from the settings file, then the load; on success the
// target is the window and the current view 0.
int32_t PreviewReport(void* window, void* unused, const char* path);
// One page per sheet, messages without owner: 0 when loaded, else -1.
int32_t LoadReportForMetafile(const char* path);

// Copies stored page `record` back into the PageBuffer (its rows, markers and
// pictures); false for an empty record or one outside the store.
bool CopyStoredPage(int32_t record);

// Load-time state: every block released, nothing stored.
void ResetPreviewForTests();
