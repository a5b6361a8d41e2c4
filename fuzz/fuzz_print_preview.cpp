// Arbitrary bytes as a report file, read by the print job (with the printer
// left out: its steps only check the sheet sequencing) and loaded into the
// preview's page store. Neither may crash, touch memory outside its buffers
// or blocks, start a sheet twice or end one that was not started. The first
// three bytes pick pages per sheet, plain-text mode, copies and the range.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "os/os.h"
#include "report/page/page_state.h"
#include "scratch_folder.h"

// Compiled into this program so that the fuzzer sees their branches; their
// symbols take the place of the library's copies.
#include "report/preview/page_store.cpp"
#include "report/print/page_reading.cpp"
#include "report/print/print_report.cpp"

namespace {

int Silent(void*, const char*, const char*, uint32_t) { return os::kIdOk; }

std::string Folder() { return FuzzScratchFolder("print"); }

struct Setup {
  int32_t copies, first, last;
};
Setup g_setup;
bool g_started = false;

int32_t FuzzCommand(void*, void*, const char* command, int32_t, int32_t page, int32_t lines) {
  if (std::strcmp(command, "INITIALIZATION") == 0) {
    g_printJob.copies = g_setup.copies;
    g_printJob.copiesLeft = g_setup.copies;
    g_printJob.firstPage = g_setup.first;
    g_printJob.lastPage = g_setup.last;
    return 1;
  }
  if (std::strcmp(command, "PRINT") == 0) {
    if (lines < 1 || lines > kPageLinesShown || page < 1) std::abort();
    if (page >= g_setup.first && page <= g_setup.last && !g_started)
      std::abort();  // drawn on no sheet
    if (g_pageBuffer.pictureCount < 0 || g_pageBuffer.pictureCount > kPagePictureLimit)
      std::abort();
  }
  return 1;
}
int32_t FuzzStartSheet(void*) {
  if (g_started) std::abort();
  g_started = true;
  return 1;
}
int32_t FuzzEndSheet(void*) {
  if (!g_started) std::abort();
  g_started = false;
  return 1;
}
void FuzzClose(void*) {}

const PrintSteps kSteps = {FuzzCommand, FuzzStartSheet, FuzzEndSheet, FuzzClose};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const std::string folder = Folder();
  os::SetSettingsFolder(folder.c_str());
  os::SetMessageBoxHook(Silent);
  static const char* const kFormats[] = {"1 per 1", "2 per 1", "4 per 1"};
  os::WriteSetting("Print Format", "Output", kFormats[data[0] % 3],
                   (folder + "KVORSCRN.INI").c_str());
  SelectPrintTextMode((data[0] >> 2) & 1);
  g_setup.copies = 1 + ((data[0] >> 3) & 1);
  g_setup.first = 1 + data[1] % 8;
  g_setup.last = g_setup.first + data[2] % 8;

  const std::string path = folder + "R.KVO";
  FILE* f = os::OpenFile(path.c_str(), "wb");
  if (f == nullptr) std::abort();
  std::fwrite(data + 3, 1, size - 3, f);
  std::fclose(f);

  ResetPrintJobForTests();
  SetPrintStepsForTests(&kSteps);
  g_started = false;
  PrintReport(nullptr, nullptr, path.c_str(), 0);

  const int32_t loaded = LoadReportPages(nullptr, path.c_str());
  if ((loaded == 1) != (g_preview.pagesStored > 0) || g_preview.pagesStored > kPageStoreSize)
    std::abort();
  for (int32_t i = 0; i < kPageStoreSize; ++i) CopyStoredPage(i);
  ResetPreviewForTests();
  return 0;
}
