// The print tests' view of the printer: a seam over the print calls that
// records StartDoc, StartPage, EndPage, EndDoc, AbortDoc and SetAbortProc and
// can fail any of them, its EndPage calling the job's abort procedure as
// Windows does while the driver works; a print dialog that answers as a user
// would; message boxes recorded; and the test printer's port mapped to a file
// of the test's own, whose PostScript pages are counted.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

constexpr char kTestPrinter[] = "VESKAR PostScript";
constexpr char kTestPrinterDevice[] = "VESKAR PostScript,wineps.drv,VESKARPS:";
constexpr char kLongTestPrinter[] =
    "VESKAR PostScript printer with a name well beyond eighty characters for the profile test";
constexpr char kTestPort[] = "VESKARPS:";

struct ShownMessage {
  void* owner;
  std::string text;
  std::string title;
  unsigned flags;
};

struct PrintSeam {
  std::string trace;  // the calls in order, a failed one marked '!'
  std::map<std::string, int> counts;
  std::string failCall;  // this call fails on its failAt-th use
  int failAt = 1;
  bool escapeFails = true;  // the older STARTDOC escape fails too
  // Runs before a call is recorded (the call's name and its count).
  std::function<void(const std::string&, int)> before;
  void* abortProc = nullptr;
  void* printerDC = nullptr;  // the DC the job used
  // StartDoc calls the abort procedure too once the document has started (a
  // driver may give the application a turn there; Wine's own StartDoc does).
  bool abortProcInStartDoc = false;

  // The print dialog: the first call (the default printer) is the real one;
  // the second answers with the test printer as the user confirms it.
  int dialogCalls = 0;
  bool failFirstDialog = false;
  bool failSecondDialog = false;
  int copies = 1;
  int fromPage = 0;  // 0: all pages (no PD_PAGENUMS)
  int toPage = 0;
  short orientationSeen = 0;
  unsigned lockCountSeen = 99;

  std::vector<ShownMessage> messages;
};
extern PrintSeam* g_seam;

// Installs the seam, the print dialog and the message-box hook.
void InstallPrintSeam(PrintSeam* seam);
void RemovePrintSeam();

// Maps the test printer's port to a file (a Windows path); the next job
// writes there.
bool MapTestPort(const std::string& windowsPath);
// "%%Page:" lines of a PostScript file; -1 when there is no file.
int CountPostScriptPages(const std::string& windowsPath);

// A hidden top-level window that owns the job.
HWND MakeOwnerWindow();
