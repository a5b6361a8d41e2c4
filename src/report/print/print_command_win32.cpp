// The print job's steps on Windows: the printer from the print dialog or the
// profile's default, the modeless progress dialog, the abort procedure that
// keeps the thread's messages flowing while the driver works, the document
// and its pages, and the drawing of each page of the range.
//
// Every printer call goes through g_printCalls (print_calls.h), so that tests
// can trace and fail them.
#include <windows.h>

#include <commdlg.h>

#include <cstring>

#include "drawing/pictures.h"
#include "os/os.h"
#include "report/page/page_state.h"
#include "report/print/print_calls.h"
#include "report/print/print_job.h"
#include "report/print/print_page.h"

namespace {

// The record of the two print-dialog calls of a job.
PRINTDLGA g_printDialog;

HDC PrinterDC() { return static_cast<HDC>(g_printJob.printerDC); }
HWND Dialog() { return static_cast<HWND>(g_printJob.progressDialog); }

void Message(void* owner, const char* text, uint32_t icon) {
  os::ShowMessageBox(owner, text, kPrintTitle, os::kMbOk | icon);
}

// Every way out of a started job: the printer released, the owner enabled
// again and the progress dialog destroyed.
void ReleaseJob(void* owner) {
  if (g_printJob.printerDC != nullptr) DeleteDC(PrinterDC());
  g_printJob.printerDC = nullptr;
  EnableWindow(static_cast<HWND>(owner), TRUE);
  if (g_printJob.progressDialog != nullptr) DestroyWindow(Dialog());
  g_printJob.progressDialog = nullptr;
}

BOOL CALLBACK PrintAbortProc(HDC, int) {
  MSG msg;
  while (g_printJob.cancel == 0 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // The thread is asked to end: leave that to its own message loop.
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (g_printJob.progressDialog != nullptr && IsDialogMessageA(Dialog(), &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return g_printJob.cancel == 0 ? TRUE : FALSE;
}

INT_PTR CALLBACK PrintDialogProc(HWND, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND) {
    g_printJob.cancel = 1;
    return TRUE;
  }
  return FALSE;
}

// The print dialog: the default printer's setup with the orientation that
// the pages per sheet need, then the dialog itself. False after its message.
bool ChoosePrinter(void* owner) {
  std::memset(&g_printDialog, 0, sizeof g_printDialog);
  g_printDialog.lStructSize = sizeof g_printDialog;
  g_printDialog.Flags = PD_RETURNDEFAULT;
  g_printDialog.hwndOwner = static_cast<HWND>(owner);
  if (g_printCalls.printDialog(&g_printDialog) == 0) {
    Message(owner, kMsgNoDefaultPrinter, os::kMbIconExclamation);
    return false;
  }
  if (g_printDialog.hDevMode != nullptr) {
    auto* mode = static_cast<DEVMODEA*>(GlobalLock(g_printDialog.hDevMode));
    if (mode != nullptr) {
      mode->dmOrientation =
          g_pageRender.pagesPerSheet == 2 ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
      GlobalUnlock(g_printDialog.hDevMode);
    }
  }
  g_printDialog.hwndOwner = static_cast<HWND>(owner);
  g_printDialog.Flags = PD_RETURNDC | PD_NOSELECTION;
  g_printDialog.nFromPage = 1;
  g_printDialog.nToPage = 1;
  g_printDialog.nMinPage = 1;
  g_printDialog.nMaxPage = kDefaultLastPage;
  const int chosen = g_printCalls.printDialog(&g_printDialog);
  if (g_printDialog.hDevMode != nullptr) GlobalFree(g_printDialog.hDevMode);
  if (g_printDialog.hDevNames != nullptr) GlobalFree(g_printDialog.hDevNames);
  g_printDialog.hDevMode = nullptr;
  g_printDialog.hDevNames = nullptr;
  if (chosen == 0) {
    Message(owner, kMsgCannotSend, os::kMbIconExclamation);
    UpdateWindow(static_cast<HWND>(owner));
    return false;
  }
  g_printJob.printerDC = g_printDialog.hDC;
  if ((g_printDialog.Flags & PD_PAGENUMS) != 0) {
    g_printJob.firstPage = g_printDialog.nFromPage;
    g_printJob.lastPage = g_printDialog.nToPage;
  } else {
    g_printJob.firstPage = kDefaultFirstPage;
    g_printJob.lastPage = kDefaultLastPage;
  }
  g_printJob.copies = g_printDialog.nCopies;
  if (g_printJob.copies < 1 || g_printJob.firstPage > g_printJob.lastPage) {
    if (g_printJob.printerDC != nullptr) DeleteDC(PrinterDC());
    g_printJob.printerDC = nullptr;
    Message(owner, kMsgIncorrectSetup, os::kMbIconExclamation);
    return false;
  }
  return true;
}

int32_t Initialise(void* owner, void* instance) {
  g_printJob.cancel = 0;
  if (g_printJob.silent != 0) {
    g_printJob.printerDC = OpenDefaultPrinter();
    g_printJob.copies = 1;
    g_printJob.firstPage = kDefaultFirstPage;
    g_printJob.lastPage = kDefaultLastPage;
  } else if (!ChoosePrinter(owner)) {
    return 0;
  }

  EnableWindow(static_cast<HWND>(owner), FALSE);
  g_printJob.progressDialog =
      CreateDialogParamA(static_cast<HINSTANCE>(instance), kProgressDialogTemplate,
                         static_cast<HWND>(owner), PrintDialogProc, 0);
  if (g_printJob.progressDialog == nullptr) {
    EnableWindow(static_cast<HWND>(owner), TRUE);
    if (g_printJob.printerDC != nullptr) DeleteDC(PrinterDC());
    g_printJob.printerDC = nullptr;
    Message(owner, kMsgNoProgressDialog, os::kMbIconExclamation);
    return 0;
  }
  ShowWindow(Dialog(), SW_SHOW);
  UpdateWindow(Dialog());
  g_printJob.copiesLeft = g_printJob.copies;

  const char* failure = nullptr;
  if (g_printCalls.setAbortProc(g_printJob.printerDC, reinterpret_cast<void*>(PrintAbortProc)) <
      1) {
    failure = kMsgNoAbortProc;
  } else {
    DOCINFOA info = {};
    info.cbSize = sizeof info;
    info.lpszDocName = kPrintDocName;
    if (g_printCalls.startDoc(g_printJob.printerDC, &info) <= 0 &&
        g_printCalls.escape(g_printJob.printerDC, STARTDOC, 11, kPrintDocName, nullptr) <= 0) {
      failure = kMsgCannotStartJob;
    }
  }
  if (failure != nullptr) {
    Message(owner, failure, os::kMbIconStop);
    ReleaseJob(owner);
    return 0;
  }
  CreatePrintFonts(g_printJob.printerDC);
  return 1;
}

// Draws the page in the PageBuffer, then its pictures over the text.
void DrawPage(void* owner, int32_t sequence, int32_t lines) {
  DrawPrintedPage(g_printJob.progressDialog, g_printJob.printerDC, sequence, lines);
  for (int32_t k = 0; k < g_pageBuffer.pictureCount; ++k) {
    PictureSlot slot;
    std::memset(&slot, 0, sizeof slot);
    if (LoadPicture(&slot, g_pageBuffer.pictureRefs[k], g_pageBuffer.pictureRows[k] * kPageColumns,
                    g_pageBuffer.drawingNumbers[k]) == 0) {
      continue;  // a picture that cannot be loaded is left out
    }
    MovePictureBelowText(&slot, lines);
    DrawPrintedPicture(&slot, owner, g_printJob.printerDC, sequence);
    FreePicture(&slot);
  }
}

}  // namespace

int32_t PrintCommand(void* owner, void* instance, const char* command, int32_t sequence,
                     int32_t page, int32_t lines) {
  if (std::strcmp(command, "INITIALIZATION") == 0) return Initialise(owner, instance);
  const bool print = std::strcmp(command, "PRINT") == 0;
  if (print && page >= g_printJob.firstPage && page <= g_printJob.lastPage) {
    DrawPage(owner, sequence, lines);
  }
  if (g_pageBuffer.pictureCount != 0) FreeAllPictures();
  if (g_printJob.cancel != 0) {
    g_printCalls.abortDoc(g_printJob.printerDC);
    Message(owner, kMsgCancelled, os::kMbIconStop);
    ReleaseJob(owner);
    return 0;
  }
  if (std::strcmp(command, "END") != 0) return 1;
  if (g_printCalls.endDoc(g_printJob.printerDC) <= 0) {
    g_printCalls.abortDoc(g_printJob.printerDC);
    Message(owner, kMsgPrintingError, os::kMbIconStop);
  }
  ReleaseJob(owner);
  return 0;
}

int32_t StartPrintPage(void* owner) {
  if (g_printCalls.startPage(g_printJob.printerDC) < 1) {
    AbortPrintJob(owner, g_printJob.printerDC, kMsgCannotStartPage);
    return 0;
  }
  return 1;
}

int32_t EndPrintPage(void* owner) {
  if (g_printCalls.endPage(g_printJob.printerDC) < 1) {
    AbortPrintJob(owner, g_printJob.printerDC, kMsgCannotEndPage);
    return 0;
  }
  return 1;
}

void AbortPrintJob(void* owner, void* printerDC, const char* message) {
  g_printCalls.abortDoc(printerDC);
  Message(owner, message, os::kMbIconStop);
  ReleaseJob(owner);
}

void CloseUnendedJob(void* owner) {
  if (g_printJob.sheetsEnded > 0) {
    if (g_printCalls.endDoc(g_printJob.printerDC) <= 0) g_printCalls.abortDoc(g_printJob.printerDC);
  } else {
    g_printCalls.abortDoc(g_printJob.printerDC);
  }
  ReleaseJob(owner);
}

void* OpenDefaultPrinter() {
  char* text = g_printJob.defaultPrinter;
  const uint32_t n = os::ReadSystemSetting("windows", "device", "", text, kDefaultPrinterTextSize);
  if (n >= static_cast<uint32_t>(kDefaultPrinterTextSize - 1)) return nullptr;  // never a cut name
  // "name,driver,port": each comma ends a part, blanks after it are skipped.
  // CharNextA keeps multi-byte characters of the name whole.
  char* parts[2] = {nullptr, nullptr};
  int commas = 0;
  for (char* p = text; *p != '\0' && commas < 2;) {
    if (*p != ',') {
      p = CharNextA(p);
      continue;
    }
    *p++ = '\0';
    while (*p == ' ') ++p;
    parts[commas++] = p;
  }
  return CreateDCA(parts[0], text, parts[1], nullptr);
}

void ResetPrintPlatformForTests() {
  std::memset(&g_printDialog, 0, sizeof g_printDialog);
  ResetPrintCallsForTests();
}
