// The print job's steps on a system without printers (the native build): a
// job never starts, and the owner learns why as it would on a Windows machine
// without a printer.
#include <cstring>

#include "os/os.h"
#include "report/print/print_job.h"

int32_t PrintCommand(void* owner, void*, const char* command, int32_t, int32_t, int32_t) {
  if (std::strcmp(command, "INITIALIZATION") != 0) return 0;
  if (g_printJob.silent != 0) {
    // No default printer gives no device context, and the job then fails at
    // its abort procedure.
    os::ShowMessageBox(owner, kMsgNoAbortProc, kPrintTitle, os::kMbOk | os::kMbIconStop);
  } else {
    os::ShowMessageBox(owner, kMsgNoDefaultPrinter, kPrintTitle,
                       os::kMbOk | os::kMbIconExclamation);
  }
  return 0;
}

int32_t StartPrintPage(void*) { return 0; }
int32_t EndPrintPage(void*) { return 0; }
void AbortPrintJob(void* owner, void*, const char* message) {
  os::ShowMessageBox(owner, message, kPrintTitle, os::kMbOk | os::kMbIconStop);
}
void CloseUnendedJob(void*) {}
void* OpenDefaultPrinter() { return nullptr; }
void ResetPrintPlatformForTests() {}
