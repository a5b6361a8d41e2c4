#include "report_print/print_seam_win32.h"

#include "os/os.h"
#include "report/print/print_calls.h"
#include "support/test_support.h"
#include "support/test_window_win32.h"

PrintSeam* g_seam = nullptr;

namespace {

// Records the call; false when it is the one to fail.
bool Step(const char* name) {
  const int n = ++g_seam->counts[name];
  if (g_seam->before) g_seam->before(name, n);
  const bool fail = g_seam->failCall == name && g_seam->failAt == n;
  if (!g_seam->trace.empty()) g_seam->trace += ' ';
  g_seam->trace += name;
  if (fail) g_seam->trace += '!';
  return !fail;
}

int SeamSetAbortProc(void* dc, void* proc) {
  g_seam->abortProc = proc;
  g_seam->printerDC = dc;
  if (!Step("SetAbortProc")) return SP_ERROR;
  return RealPrintCalls().setAbortProc(dc, proc);
}
int SeamStartDoc(void* dc, const void* info) {
  if (!Step("StartDoc")) return SP_ERROR;
  const int result = RealPrintCalls().startDoc(dc, info);
  if (g_seam->abortProcInStartDoc && g_seam->abortProc != nullptr)
    reinterpret_cast<ABORTPROC>(g_seam->abortProc)(static_cast<HDC>(dc), 0);
  return result;
}
int SeamEscape(void* dc, int code, int size, const char* in, void* out) {
  if (g_seam->escapeFails) {
    Step("Escape");
    return SP_ERROR;
  }
  return RealPrintCalls().escape(dc, code, size, in, out);
}
int SeamStartPage(void* dc) {
  if (!Step("StartPage")) return SP_ERROR;
  return RealPrintCalls().startPage(dc);
}
int SeamEndPage(void* dc) {
  if (!Step("EndPage")) return SP_ERROR;
  const int result = RealPrintCalls().endPage(dc);
  // The spooler gives the application a turn while it works on the page.
  if (g_seam->abortProc != nullptr)
    reinterpret_cast<ABORTPROC>(g_seam->abortProc)(static_cast<HDC>(dc), 0);
  return result;
}
int SeamEndDoc(void* dc) {
  if (!Step("EndDoc")) return SP_ERROR;
  return RealPrintCalls().endDoc(dc);
}
int SeamAbortDoc(void* dc) {
  Step("AbortDoc");
  return RealPrintCalls().abortDoc(dc);
}

int SeamPrintDialog(void* p) {
  auto* pd = static_cast<PRINTDLGA*>(p);
  if (++g_seam->dialogCalls == 1) {
    if (g_seam->failFirstDialog) return 0;
    return RealPrintCalls().printDialog(p);
  }
  if (pd->hDevMode != nullptr) {
    g_seam->lockCountSeen = GlobalFlags(pd->hDevMode) & GMEM_LOCKCOUNT;
    auto* mode = static_cast<DEVMODEA*>(GlobalLock(pd->hDevMode));
    g_seam->orientationSeen = mode->dmOrientation;
    if (!g_seam->failSecondDialog) pd->hDC = CreateDCA("WINSPOOL", kTestPrinter, nullptr, mode);
    GlobalUnlock(pd->hDevMode);
  }
  if (g_seam->failSecondDialog) return 0;
  pd->nCopies = static_cast<WORD>(g_seam->copies);
  if (g_seam->fromPage != 0) {
    pd->Flags |= PD_PAGENUMS;
    pd->nFromPage = static_cast<WORD>(g_seam->fromPage);
    pd->nToPage = static_cast<WORD>(g_seam->toPage);
  }
  return 1;
}

int RecordMessage(void* owner, const char* text, const char* title, uint32_t flags) {
  g_seam->messages.push_back({owner, text, title != nullptr ? title : "", flags});
  return IDOK;
}

const PrintCalls kSeamCalls = {SeamSetAbortProc, SeamStartDoc, SeamEscape,   SeamStartPage,
                               SeamEndPage,      SeamEndDoc,   SeamAbortDoc, SeamPrintDialog};

}  // namespace

void InstallPrintSeam(PrintSeam* seam) {
  g_seam = seam;
  g_printCalls = kSeamCalls;
  os::SetMessageBoxHook(RecordMessage);
}

void RemovePrintSeam() {
  ResetPrintCallsForTests();
  os::SetMessageBoxHook(nullptr);
  g_seam = nullptr;
}

bool MapTestPort(const std::string& windowsPath) {
  // Z:\a\b is /a/b to Wine.
  std::string linux = windowsPath.substr(2);
  for (char& c : linux) c = c == '\\' ? '/' : c;
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\Printing\\Spooler", 0, nullptr, 0,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const LONG rc =
      RegSetValueExA(key, kTestPort, 0, REG_SZ, reinterpret_cast<const BYTE*>(linux.c_str()),
                     static_cast<DWORD>(linux.size() + 1));
  RegCloseKey(key);
  return rc == ERROR_SUCCESS;
}

int CountPostScriptPages(const std::string& windowsPath) {
  std::string bytes;
  if (!testing_support::ReadFileBytes(windowsPath, &bytes)) return -1;
  int pages = 0;
  for (size_t at = bytes.find("%%Page:"); at != std::string::npos;
       at = bytes.find("%%Page:", at + 1)) {
    if (at == 0 || bytes[at - 1] == '\n' || bytes[at - 1] == '\r') ++pages;
  }
  return pages;
}

HWND MakeOwnerWindow() {
  return gdi_test::CreateTestWindow(
      {.clientWidth = 400, .clientHeight = 300, .style = WS_OVERLAPPEDWINDOW, .title = "owner"});
}
