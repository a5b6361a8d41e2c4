// The printer calls of the print job, behind one table so that tests can
// watch and fail them: Wine's spooler hides the order of StartPage, EndPage,
// EndDoc and AbortDoc (it accepts StartPage twice, ends an open page itself,
// calls the abort procedure only inside StartDoc) and the print dialog is
// modal. The table holds the real Win32 calls unless a test replaced them.
// Windows-only code uses it; handles are plain pointers.
#pragma once

struct PrintCalls {
  int (*setAbortProc)(void* dc, void* abortProc);  // SetAbortProc (proc: ABORTPROC)
  int (*startDoc)(void* dc, const void* docInfo);  // StartDocA (DOCINFOA)
  int (*escape)(void* dc, int code, int size, const char* in, void* out);  // Escape
  int (*startPage)(void* dc);
  int (*endPage)(void* dc);
  int (*endDoc)(void* dc);
  int (*abortDoc)(void* dc);
  int (*printDialog)(void* printDlg);  // PrintDlgA (PRINTDLGA)
};
extern PrintCalls g_printCalls;

// The real Win32 calls.
const PrintCalls& RealPrintCalls();
void ResetPrintCallsForTests();
