// The print job: a report file printed one, two or four pages to a sheet, on
// the printer chosen in the print dialog or, silently, on the default printer,
// with copies, a page range and a progress dialog whose button cancels.
//
// PrintReport reads the report once for each copy and hands each page it has
// read to PrintCommand("PRINT"), which draws it when its number lies in the
// range. The reading and the sheet sequencing are the same on every system
// (print_report.cpp); the printer, the dialogs and the drawing are Windows
// code (print_command_win32.cpp). The native build has no printer: its
// commands fail as a machine without one does.
//
// Sheets are tracked so that every StartPage has its EndPage: the first sheet
// starts when the job starts; a later one only when a page of the range is
// about to be drawn; EndPage ends only a started sheet; and before the job's
// end and before the next copy, a started sheet holding a drawn page is ended,
// so the last partial sheet of a range comes out and no sheet starts twice.
//
// Handles (windows, device contexts, module instances) are plain pointers.
// One job per process; it runs on the thread that owns the owner window.
#pragma once

#include <cstdint>

// The messages of the job; each is shown with the title "Print" and the
// calling window as owner.
constexpr const char* kPrintTitle = "Print";
constexpr const char* kMsgNoDefaultPrinter =
    "No default printer.\n\n Use Control Panel to install and select a default printer.";
constexpr const char* kMsgCannotSend = "Can not send to printer.";
constexpr const char* kMsgIncorrectSetup = "Incorrect setup for the printer.\n\nPlease try again.";
constexpr const char* kMsgNoProgressDialog = "Unable to create a message dialog.";
constexpr const char* kMsgNoAbortProc = "Can not create abort procedure.";
constexpr const char* kMsgCannotStartJob = "Can not start the print job.";
constexpr const char* kMsgCannotStartPage = "Cann't start a new page";
constexpr const char* kMsgCannotEndPage = "Cann't finish current page";
constexpr const char* kMsgCancelled = "Print job has been canceled by user.";
constexpr const char* kMsgPrintingError = "Printing error occured.";

// The dialog template of the progress dialog, in the calling module.
constexpr const char* kProgressDialogTemplate = "PRINTDIALOGENG";
constexpr const char* kPrintDocName = "KVOR Output";
constexpr int32_t kDefaultFirstPage = 1;
constexpr int32_t kDefaultLastPage = 1000;
// The profile's "device" value is read into this many bytes; a value that
// still fills them is taken as no printer rather than as a cut name.
constexpr int32_t kDefaultPrinterTextSize = 1024;

struct PrintJob {
  void* printerDC;       // the job's printer, or none
  int32_t cancel;        // 1 once the progress dialog's button was pressed
  void* progressDialog;  // the modeless progress dialog, or none
  int32_t silent;        // non-zero: the default printer, no dialog
  int32_t copies;
  int32_t copiesLeft;
  int32_t firstPage;  // the page range, pages counted from 1
  int32_t lastPage;
  int32_t drawingCounter;  // drawings of the report's drawing file met in this copy
  // Sheet tracking.
  int32_t sheetStarted;  // a StartPage has no EndPage yet
  int32_t sheetHasPage;  // a page was drawn on the started sheet
  int32_t sheetsEnded;   // EndPage calls that succeeded in this job
  char defaultPrinter[kDefaultPrinterTextSize];
};
extern PrintJob g_printJob;

// Prints the report at `path`; the module instance holds the progress
// dialog's template. Always 0.
int32_t PrintReport(void* owner, void* instance, const char* path, int32_t silent);

// "INITIALIZATION", "PRINT" or "END" (any other text performs only the end
// checks of a page): 1 while the job goes on, 0 once it has ended.
int32_t PrintCommand(void* owner, void* instance, const char* command, int32_t sequence,
                     int32_t page, int32_t lines);
// StartPage / EndPage on the printer: 1, or 0 after the job was aborted.
int32_t StartPrintPage(void* owner);
int32_t EndPrintPage(void* owner);
// Ends a job that cannot go on: AbortDoc, the message (stop icon), the printer
// released, the owner enabled and the progress dialog destroyed.
void AbortPrintJob(void* owner, void* printerDC, const char* message);
// Closes a job that ends without "END" (a report that cannot be opened, or a
// last copy without pages): EndDoc when a sheet was ended, otherwise
// AbortDoc; the printer released, the owner enabled, the dialog destroyed; no
// message.
void CloseUnendedJob(void* owner);
// The printer of the profile's "windows" "device" value (name, driver, port),
// or none.
void* OpenDefaultPrinter();

// Tests replace the steps PrintReport takes, to trace the reading and the sheet
// sequencing on both builds (nullptr: the real steps).
struct PrintSteps {
  int32_t (*command)(void* owner, void* instance, const char* command, int32_t sequence,
                     int32_t page, int32_t lines);
  int32_t (*startSheet)(void* owner);
  int32_t (*endSheet)(void* owner);
  void (*closeUnended)(void* owner);
};
void SetPrintStepsForTests(const PrintSteps* steps);

// Load-time state (no job, no steps replaced, the printer calls real).
void ResetPrintPlatformForTests();
void ResetPrintJobForTests();
