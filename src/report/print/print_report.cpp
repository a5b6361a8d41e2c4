// The reading of a report for printing and the sequencing of its sheets; the
// same on every system. The platform's steps (print_command_*.cpp) start and
// end sheets, draw pages and end the job.
#include <cstdio>
#include <cstring>

#include "os/os.h"
#include "report/page/page_state.h"
#include "report/print/page_reading.h"
#include "report/print/print_format.h"
#include "report/print/print_job.h"
#include "report/report_lines.h"
#include "report_base/drawing_tools.h"

PrintJob g_printJob;

namespace {

const PrintSteps kPlatformSteps = {PrintCommand, StartPrintPage, EndPrintPage, CloseUnendedJob};
const PrintSteps* g_steps = &kPlatformSteps;

// What one copy's reading keeps.
struct CopyReader {
  void* owner;
  void* instance;
  const char* path;
  int32_t lines;     // rows of the page read so far (0 to 61)
  int32_t page;      // pages ended in this copy
  int32_t sequence;  // pages ended since the copy's start or the last page-break line
  PendingPictures pending;
};

bool InRange(int32_t page) { return page >= g_printJob.firstPage && page <= g_printJob.lastPage; }

void ClearPictures() { g_pageBuffer.pictureCount = 0; }

bool StartSheet(void* owner) {
  if (g_steps->startSheet(owner) == 0) return false;
  g_printJob.sheetStarted = 1;
  g_printJob.sheetHasPage = 0;
  return true;
}

// Ends the started sheet; nothing to do when none is started.
bool EndSheet(void* owner) {
  if (g_printJob.sheetStarted == 0) return true;
  g_printJob.sheetStarted = 0;
  g_printJob.sheetHasPage = 0;
  if (g_steps->endSheet(owner) == 0) return false;
  ++g_printJob.sheetsEnded;
  return true;
}

// Ends the page that has been read: it is handed to "PRINT", which draws it
// when it lies in the range. False when the job has ended.
bool EndThePage(CopyReader* r) {
  ++r->page;
  ++r->sequence;
  if (InRange(r->page)) {
    if (g_printJob.sheetStarted == 0 && !StartSheet(r->owner)) return false;
    g_printJob.sheetHasPage = 1;
  }
  return g_steps->command(r->owner, r->instance, "PRINT", r->sequence, r->page, r->lines) != 0;
}

bool SheetIsFull(int32_t sequence) {
  const int32_t perSheet = g_pageRender.pagesPerSheet;
  if (perSheet == 1) return true;
  if (perSheet == 2) return sequence % 2 == 0;
  return sequence % 4 == 0;
}

// A new page begins with this line (carriage control '1', or a 62nd plain
// text line): the page read so far is ended, and its sheet too when full.
bool BeginNewPage(CopyReader* r) {
  if (r->lines > 0) {
    if (!EndThePage(r)) return false;
    if (InRange(r->page) && SheetIsFull(r->sequence) && !EndSheet(r->owner)) return false;
  }
  ClearPictures();
  BlankPageBuffer();
  r->lines = 0;
  return true;
}

enum class CopyEnd { kRead, kJobEnded };

// One copy of the report, read from the open file.
CopyEnd ReadCopy(CopyReader* r, FILE* file) {
  ReportLineReader reader;
  StartReportLines(&reader, file);
  ReportLine line;
  while (ReadReportLine(&reader, kPrintLineLimit, &line)) {
    const ReportLineKind kind = ClassifyReportLine(line, LineMatch::kAnyCase);
    if (kind == ReportLineKind::kPicture) {
      if (TakePictureLine(&r->pending, line, &g_printJob.drawingCounter)) continue;
      // An 11th picture line before a page line is read as a text line.
    } else if (kind == ReportLineKind::kPageBreak) {
      if (r->lines == 0) continue;
      if (!EndThePage(r)) return CopyEnd::kJobEnded;
      const int32_t ended = r->page;
      ClearPictures();
      BlankPageBuffer();
      r->lines = 0;
      r->sequence = 0;
      if (InRange(ended) && !EndSheet(r->owner)) return CopyEnd::kJobEnded;
      continue;
    }
    if (line.atEnd) break;  // a last line without its line end is not printed

    char* text = g_pageBuffer.text;
    char* markers = g_pageBuffer.markers;
    if (g_pageRender.plainTextMode == 1) {
      // Plain text keeps every line: a 62nd line begins the next page.
      if (r->lines == kPageLinesShown && !BeginNewPage(r)) return CopyEnd::kJobEnded;
      PlainTextRow(line, text + r->lines * kPageColumns);
      std::memset(markers + r->lines * kPageColumns, ' ', kPageColumns);
    } else {
      PageLineParts parts;
      SplitPageLine(line, TabChoice::kLast, &parts);
      if (parts.control == '1' && !BeginNewPage(r)) return CopyEnd::kJobEnded;
      PlacePendingPictures(&r->pending, r->path, ExtensionDot::kLast, r->lines);
      std::memcpy(text + r->lines * kPageColumns, parts.text, kPageColumns);
      std::memcpy(markers + r->lines * kPageColumns, parts.markers, kPageColumns);
    }
    if (r->lines < kPageLinesShown) ++r->lines;
    if (r->page >= g_printJob.lastPage) return CopyEnd::kRead;  // the range is done
  }
  if (r->lines > 0) {
    if (!EndThePage(r)) return CopyEnd::kJobEnded;
    if (!EndSheet(r->owner)) return CopyEnd::kJobEnded;
  }
  return CopyEnd::kRead;
}

}  // namespace

int32_t PrintReport(void* owner, void* instance, const char* path, int32_t silent) {
  g_printJob.silent = silent;
  g_drawingState.renderTarget = kRenderPrinter;
  g_pageRender.pagesPerSheet = ReadPagesPerSheet();
  g_printJob.sheetStarted = 0;
  g_printJob.sheetHasPage = 0;
  g_printJob.sheetsEnded = 0;
  if (g_steps->command(owner, instance, "INITIALIZATION", 0, 0, 0) == 0) return 0;
  if (!StartSheet(owner)) return 0;

  int32_t pagesOfLastCopy = 0;
  while (g_printJob.copiesLeft > 0) {
    g_printJob.drawingCounter = 0;
    ClearPictures();
    FILE* file = os::OpenFile(path, "rb");
    if (file == nullptr) {
      g_steps->closeUnended(owner);
      return 0;
    }
    CopyReader r = {};
    r.owner = owner;
    r.instance = instance;
    r.path = path;
    BlankPageBuffer();
    const CopyEnd end = ReadCopy(&r, file);
    std::fclose(file);
    if (end == CopyEnd::kJobEnded) return 0;
    pagesOfLastCopy = r.page;
    --g_printJob.copiesLeft;
    // The next copy starts on a sheet of its own; the last partial sheet of
    // this one comes out now.
    if (g_printJob.sheetHasPage != 0 && !EndSheet(owner)) return 0;
  }
  if (pagesOfLastCopy == 0) {
    g_steps->closeUnended(owner);
    return 0;
  }
  // Every started sheet is ended before the document is: even one that no
  // page of the range reached.
  if (!EndSheet(owner)) return 0;
  g_steps->command(owner, instance, "END", 0, 0, 0);
  return 0;
}

void SetPrintStepsForTests(const PrintSteps* steps) {
  g_steps = steps != nullptr ? steps : &kPlatformSteps;
}

void ResetPrintJobForTests() {
  std::memset(&g_printJob, 0, sizeof g_printJob);
  g_steps = &kPlatformSteps;
  ResetPrintPlatformForTests();
}
