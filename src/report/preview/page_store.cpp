#include "report/preview/page_store.h"

#include <cstdio>
#include <cstring>

#include "os/os.h"
#include "report/print/page_reading.h"
#include "report/print/print_format.h"
#include "report/report_lines.h"
#include "report_base/drawing_tools.h"

PreviewState g_preview;

namespace {

constexpr const char* kMsgFileNotFound = "File not found";
constexpr const char* kMsgNoMemory = "Not enough memory to alloacte";
constexpr const char* kPreviewTitle = "Error";

void ReleaseRecord(PageRecord* record) {
  if (record->block != nullptr) {
    if (record->address != nullptr) os::MemUnlock(record->block);
    os::MemFree(record->block);
  }
  std::memset(record, 0, sizeof *record);
}

// What one load keeps while it reads.
struct Loader {
  const char* path;
  int32_t lines;
  PendingPictures pending;
};

// Stores the page in the PageBuffer (or an empty filling page) as the next
// record. False when the load must stop.
bool StoreNext(Loader* l, bool empty) {
  if (g_preview.pagesStored >= kPageStoreSize) return false;  // the store is full
  PageRecord* record = &g_preview.records[g_preview.pagesStored];
  const int32_t stored =
      empty ? StorePage(record, nullptr, nullptr, nullptr, 0, 0, nullptr, nullptr)
            : StorePage(record, g_pageBuffer.text, g_pageBuffer.markers, g_pageBuffer.pictureRefs,
                        l->lines, g_pageBuffer.pictureCount, g_pageBuffer.pictureRows,
                        g_pageBuffer.drawingNumbers);
  if (stored == 0) return false;
  ++g_preview.pagesStored;
  return true;
}

void ReadPages(Loader* l, FILE* file) {
  ReportLineReader reader;
  StartReportLines(&reader, file);
  ReportLine line;
  const int32_t perSheet = g_pageRender.pagesPerSheet;
  while (ReadReportLine(&reader, kPrintLineLimit, &line)) {
    const ReportLineKind kind = ClassifyReportLine(line, LineMatch::kAnyCase);
    if (kind == ReportLineKind::kPicture) {
      if (TakePictureLine(&l->pending, line, &g_preview.drawingCounter)) continue;
    } else if (kind == ReportLineKind::kPageBreak) {
      if (l->lines == 0) continue;
      if (!StoreNext(l, false)) return;
      g_pageBuffer.pictureCount = 0;
      BlankPageBuffer();
      l->lines = 0;
      // The next page begins a new view.
      while (perSheet > 1 && g_preview.pagesStored % perSheet != 0) {
        if (!StoreNext(l, true)) return;
      }
      continue;
    }
    if (line.atEnd) break;  // a last line without its line end is not shown
    PageLineParts parts;
    SplitPageLine(line, TabChoice::kFirst, &parts);
    if (parts.control == '1') {
      if (l->lines > 0 && !StoreNext(l, false)) return;
      g_pageBuffer.pictureCount = 0;
      BlankPageBuffer();
      l->lines = 0;
    }
    PlacePendingPictures(&l->pending, l->path, ExtensionDot::kFirst, l->lines);
    std::memcpy(g_pageBuffer.text + l->lines * kPageColumns, parts.text, kPageColumns);
    std::memcpy(g_pageBuffer.markers + l->lines * kPageColumns, parts.markers, kPageColumns);
    if (l->lines < kPageLinesShown) ++l->lines;
  }
  if (l->lines > 0) StoreNext(l, false);
}

}  // namespace

int32_t PageBlockSize(int32_t lines, int32_t pictures) {
  return lines * 2 * kPageColumns + pictures * kPagePictureRefSize;
}

int32_t StorePage(PageRecord* record, const char* text, const char* markers,
                  const char (*references)[kPagePictureRefSize], int32_t lines, int32_t pictures,
                  const int32_t* rows, const int32_t* numbers) {
  ReleaseRecord(record);
  record->lineCount = lines;
  if (lines == 0) return 1;
  os::MemBlock block = os::MemAlloc(os::kGmemMoveable | os::kGmemZeroInit,
                                    static_cast<size_t>(PageBlockSize(lines, pictures)));
  char* address = block != nullptr ? static_cast<char*>(os::MemLock(block)) : nullptr;
  if (address == nullptr) {
    // A block that cannot be locked is as good as none.
    if (block != nullptr) os::MemFree(block);
    record->lineCount = 0;
    os::ShowMessageBox(nullptr, kMsgNoMemory, kPreviewTitle, os::kMbOk | os::kMbIconStop);
    return 0;
  }
  record->block = block;
  record->address = address;
  record->pictureCount = pictures;
  for (int32_t k = 0; k < pictures; ++k) {
    record->pictureRows[k] = rows[k];
    record->drawingNumbers[k] = numbers[k];
  }
  const size_t rowsBytes = static_cast<size_t>(lines) * kPageColumns;
  std::memcpy(address, text, rowsBytes);
  std::memcpy(address + rowsBytes, markers, rowsBytes);
  for (int32_t k = 0; k < pictures; ++k) {
    std::memcpy(address + 2 * rowsBytes + static_cast<size_t>(k) * kPagePictureRefSize,
                references[k], kPagePictureRefSize);
  }
  return 1;
}

int32_t LoadReportPages(void* window, const char* path) {
  FILE* file = os::OpenFile(path, "rb");
  if (file == nullptr) {
    os::ShowMessageBox(window, kMsgFileNotFound, kPreviewTitle, os::kMbOk | os::kMbIconStop);
    return 0;
  }
  g_preview.pagesStored = 0;
  g_preview.drawingCounter = 0;
  g_pageBuffer.pictureCount = 0;
  BlankPageBuffer();
  Loader l = {};
  l.path = path;
  ReadPages(&l, file);
  std::fclose(file);
  // Whatever ended the load, no older page stays behind the new ones.
  for (int32_t i = g_preview.pagesStored; i < kPageStoreSize; ++i)
    ReleaseRecord(&g_preview.records[i]);
  const int32_t stored = g_preview.pagesStored;
  g_preview.pagesPerSheet = g_pageRender.pagesPerSheet;
  g_preview.viewCount = stored == 0 ? 0 : (stored - 1) / g_preview.pagesPerSheet + 1;
  return stored > 0 ? 1 : 0;
}

int32_t PreviewReport(void* window, void*, const char* path) {
  g_pageRender.pagesPerSheet = ReadPagesPerSheet();
  const int32_t loaded = LoadReportPages(window, path);
  if (loaded == 1) {
    g_drawingState.renderTarget = kRenderWindow;
    g_preview.currentView = 0;
  }
  return loaded;
}

int32_t LoadReportForMetafile(const char* path) {
  g_pageRender.pagesPerSheet = 1;
  if (LoadReportPages(nullptr, path) == 0) return -1;
  g_drawingState.renderTarget = kRenderWindow;
  g_preview.currentView = 0;
  return 0;
}

bool CopyStoredPage(int32_t index) {
  if (index < 0 || index >= kPageStoreSize) return false;
  const PageRecord& r = g_preview.records[index];
  if (r.lineCount == 0 || r.address == nullptr) return false;
  g_pageBuffer.pictureCount = r.pictureCount;
  for (int32_t k = 0; k < r.pictureCount; ++k) {
    g_pageBuffer.pictureRows[k] = r.pictureRows[k];
    g_pageBuffer.drawingNumbers[k] = r.drawingNumbers[k];
  }
  const size_t rowsBytes = static_cast<size_t>(r.lineCount) * kPageColumns;
  std::memcpy(g_pageBuffer.text, r.address, rowsBytes);
  std::memcpy(g_pageBuffer.markers, r.address + rowsBytes, rowsBytes);
  for (int32_t k = 0; k < r.pictureCount; ++k) {
    std::memcpy(g_pageBuffer.pictureRefs[k],
                r.address + 2 * rowsBytes + static_cast<size_t>(k) * kPagePictureRefSize,
                kPagePictureRefSize);
  }
  return true;
}

void ResetPreviewForTests() {
  for (PageRecord& r : g_preview.records) ReleaseRecord(&r);
  std::memset(&g_preview, 0, sizeof g_preview);
}
