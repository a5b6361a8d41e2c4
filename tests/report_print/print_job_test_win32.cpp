// The print job on Wine's PostScript print-to-file printer: the order of the
// print calls through the seam, the real PostScript file's page count as a
// cross-check, the dialogs, the progress dialog from the module's template,
// the failures of each call, cancelling with the dialog's button and silent
// printing on the profile's default printer.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "report/print/print_job.h"
#include "report_print/print_fixture.h"
#include "report_print/print_seam_win32.h"

namespace {

class PrintJobTest : public PrintTest {
 protected:
  void SetUp() override {
    PrintTest::SetUp();
    owner_ = MakeOwnerWindow();
    ASSERT_NE(owner_, nullptr);
    InstallPrintSeam(&seam_);
    UseNewOutput();
  }
  void TearDown() override {
    RemovePrintSeam();
    DestroyWindow(owner_);
    PrintTest::TearDown();
  }

  // A file of its own for the next job's PostScript.
  void UseNewOutput() {
    output_ = root_ + "out" + std::to_string(++outputs_) + ".ps";
    ASSERT_TRUE(MapTestPort(output_));
  }
  void Run(const std::string& report, const char* format, int32_t silent = 0,
           HINSTANCE instance = GetModuleHandleA(nullptr)) {
    SetPrintFormat(format);
    const std::string path = WriteReport("REP.KVO", report);
    EXPECT_EQ(PrintReport(owner_, instance, path.c_str(), silent), 0);
  }
  // What every way out of a job leaves: the owner enabled, the progress
  // dialog destroyed, the printer's device context deleted.
  void ExpectReleased() {
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_EQ(g_printJob.progressDialog, nullptr);
    EXPECT_EQ(g_printJob.printerDC, nullptr);
    if (seam_.printerDC != nullptr) {
      EXPECT_EQ(GetObjectType(static_cast<HGDIOBJ>(seam_.printerDC)), 0u);
    }
  }
  std::string Messages() const {
    std::string all;
    for (const ShownMessage& m : seam_.messages) {
      all += m.text + "|" + m.title + "|" + std::to_string(m.flags) + ";";
    }
    return all;
  }

  HWND owner_ = nullptr;
  PrintSeam seam_;
  std::string output_;
  int outputs_ = 0;
};

constexpr unsigned kStop = MB_OK | MB_ICONSTOP;
constexpr unsigned kExclamation = MB_OK | MB_ICONEXCLAMATION;

struct JobCase {
  const char* name;
  const char* format;
  std::string report;
  int copies, from, to;
  const char* trace;
  int pages;  // PostScript pages; -1: no file
};

TEST_F(PrintJobTest, SheetsReachThePrinterInOrder) {
  const std::string job = "SetAbortProc StartDoc ";
  const std::string sheet = "StartPage EndPage ";
  const JobCase cases[] = {
      {"one per sheet", "1 per 1", Pages(3), 1, 0, 0, "", 3},
      {"two per sheet", "2 per 1", Pages(3), 1, 0, 0, "", 2},
      {"four per sheet", "4 per 1", Pages(5), 1, 0, 0, "", 2},
      {"two copies of two per sheet", "2 per 1", Pages(3), 2, 0, 0, "", 4},
      {"range 3 to 4 of 6", "1 per 1", Pages(6), 1, 3, 4, "", 2},
      {"range 2 to 3, two per sheet", "2 per 1", Pages(4), 1, 2, 3, "", 2},
      {"range after the last page: one empty sheet", "1 per 1", Pages(3), 1, 5, 6, "", 1},
  };
  for (const JobCase& c : cases) {
    SCOPED_TRACE(c.name);
    ResetPrintState();
    InstallPrintSeam(&seam_);
    seam_ = PrintSeam{};
    seam_.copies = c.copies;
    seam_.fromPage = c.from;
    seam_.toPage = c.to;
    UseNewOutput();
    Run(c.report, c.format);
    std::string expected = job;
    for (int i = 0; i < c.pages; ++i) expected += sheet;
    expected += "EndDoc";
    EXPECT_EQ(seam_.trace, expected);
    EXPECT_EQ(CountPostScriptPages(output_), c.pages);
    EXPECT_EQ(Messages(), "");
    ExpectReleased();
  }
}

TEST_F(PrintJobTest, AnEmptyReportIsAbandonedWithoutMessage) {
  Run("", "1 per 1");
  EXPECT_EQ(seam_.trace, "SetAbortProc StartDoc StartPage AbortDoc");
  EXPECT_EQ(CountPostScriptPages(output_), -1);
  EXPECT_EQ(Messages(), "");
  ExpectReleased();
}

TEST_F(PrintJobTest, AMissingReportIsAbandonedWithoutMessage) {
  SetPrintFormat("1 per 1");
  PrintReport(owner_, GetModuleHandleA(nullptr), (input_ + "MISSING.KVO").c_str(), 0);
  EXPECT_EQ(seam_.trace, "SetAbortProc StartDoc StartPage AbortDoc");
  EXPECT_EQ(Messages(), "");
  ExpectReleased();
}

TEST_F(PrintJobTest, TwoPagesPerSheetPrintInLandscape) {
  const struct {
    const char* format;
    short orientation;
    const char* postScript;
  } cases[] = {
      {"2 per 1", DMORIENT_LANDSCAPE, "%%Orientation: Landscape"},
      {"4 PER 1", DMORIENT_PORTRAIT, "%%Orientation: Portrait"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.format);
    seam_ = PrintSeam{};
    UseNewOutput();
    Run(Pages(2), c.format);
    EXPECT_EQ(seam_.orientationSeen, c.orientation);
    EXPECT_EQ(seam_.lockCountSeen, 0u);  // the setup block was unlocked again
    EXPECT_NE(testing_support::ReadFileOrEmpty(output_).find(c.postScript), std::string::npos);
  }
}

TEST_F(PrintJobTest, EachFailingPrintCallEndsTheJobWithItsMessage) {
  const struct {
    const char* call;
    int at;
    const char* trace;
    const char* message;
  } cases[] = {
      {"SetAbortProc", 1, "SetAbortProc!", "Can not create abort procedure."},
      {"StartDoc", 1, "SetAbortProc StartDoc! Escape", "Can not start the print job."},
      {"StartPage", 1, "SetAbortProc StartDoc StartPage! AbortDoc", "Cann't start a new page"},
      {"StartPage", 2, "SetAbortProc StartDoc StartPage EndPage StartPage! AbortDoc",
       "Cann't start a new page"},
      {"EndPage", 1, "SetAbortProc StartDoc StartPage EndPage! AbortDoc",
       "Cann't finish current page"},
      {"EndDoc", 1,
       "SetAbortProc StartDoc StartPage EndPage StartPage EndPage StartPage EndPage EndDoc! "
       "AbortDoc",
       "Printing error occured."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.call) + " " + std::to_string(c.at));
    ResetPrintState();
    InstallPrintSeam(&seam_);
    seam_ = PrintSeam{};
    seam_.failCall = c.call;
    seam_.failAt = c.at;
    UseNewOutput();
    Run(Pages(3), "1 per 1");
    EXPECT_EQ(seam_.trace, c.trace);
    EXPECT_EQ(Messages(), std::string(c.message) + "|Print|" + std::to_string(kStop) + ";");
    ASSERT_FALSE(seam_.messages.empty());
    EXPECT_EQ(seam_.messages[0].owner, owner_);
    ExpectReleased();
  }
}

TEST_F(PrintJobTest, TheOlderStartDocEscapeStartsTheJobWhenStartDocFails) {
  seam_.failCall = "StartDoc";
  seam_.escapeFails = false;
  Run(Pages(1), "1 per 1");
  EXPECT_EQ(seam_.trace, "SetAbortProc StartDoc! StartPage EndPage EndDoc");
  EXPECT_EQ(Messages(), "");
}

TEST_F(PrintJobTest, DialogOutcomesThatStartNoJob) {
  const struct {
    const char* name;
    bool failFirst, failSecond;
    int copies, from, to;
    const char* message;
  } cases[] = {
      {"no default printer", true, false, 1, 0, 0,
       "No default printer.\n\n Use Control Panel to install and select a default printer."},
      {"dialog cancelled", false, true, 1, 0, 0, "Can not send to printer."},
      {"no copies", false, false, 0, 0, 0, "Incorrect setup for the printer.\n\nPlease try again."},
      {"first page after the last", false, false, 1, 3, 2,
       "Incorrect setup for the printer.\n\nPlease try again."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    seam_ = PrintSeam{};
    seam_.failFirstDialog = c.failFirst;
    seam_.failSecondDialog = c.failSecond;
    seam_.copies = c.copies;
    seam_.fromPage = c.from;
    seam_.toPage = c.to;
    Run(Pages(2), "1 per 1");
    EXPECT_EQ(seam_.trace, "");
    EXPECT_EQ(Messages(), std::string(c.message) + "|Print|" + std::to_string(kExclamation) + ";");
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_EQ(g_printJob.printerDC, nullptr);
  }
}

TEST_F(PrintJobTest, AModuleWithoutTheDialogTemplateStartsNoJob) {
  Run(Pages(1), "1 per 1", 0, GetModuleHandleA("kernel32.dll"));
  EXPECT_EQ(seam_.trace, "");
  EXPECT_EQ(Messages(), std::string("Unable to create a message dialog.|Print|") +
                            std::to_string(kExclamation) + ";");
  ExpectReleased();
}

TEST_F(PrintJobTest, TheProgressDialogShowsWhileTheOwnerIsDisabled) {
  bool checked = false;
  seam_.before = [&](const std::string& call, int) {
    if (call != "StartPage" || checked) return;
    checked = true;
    HWND dialog = static_cast<HWND>(g_printJob.progressDialog);
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(GetParent(dialog), owner_);
    EXPECT_FALSE(IsWindowEnabled(owner_));
  };
  Run(Pages(1), "1 per 1");
  EXPECT_TRUE(checked);
  ExpectReleased();
}

TEST_F(PrintJobTest, TheDialogButtonCancelsAtTheNextPage) {
  // The user clicks Cancel while the first sheet is being printed; the abort
  // procedure passes the click to the dialog while the spooler works.
  seam_.before = [&](const std::string& call, int n) {
    if (call == "EndPage" && n == 1) {
      HWND dialog = static_cast<HWND>(g_printJob.progressDialog);
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
    }
  };
  Run(Pages(4), "1 per 1");
  EXPECT_EQ(seam_.trace, "SetAbortProc StartDoc StartPage EndPage StartPage AbortDoc");
  EXPECT_EQ(Messages(), std::string("Print job has been canceled by user.|Print|") +
                            std::to_string(kStop) + ";");
  EXPECT_EQ(CountPostScriptPages(output_), -1);
  ExpectReleased();
}

TEST_F(PrintJobTest, AQuitMessageSeenWhilePrintingIsKeptAndTheJobGoesOn) {
  seam_.before = [&](const std::string& call, int n) {
    if (call == "EndPage" && n == 1) PostQuitMessage(7);
  };
  Run(Pages(3), "1 per 1");
  EXPECT_EQ(CountPostScriptPages(output_), 3);
  EXPECT_EQ(g_printJob.cancel, 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(PrintJobTest, SilentPrintingUsesTheProfilesPrinterInItsOwnOrientation) {
  const std::string win = settings_ + "WIN.INI";
  ASSERT_TRUE(os::WriteSetting("windows", "device", kTestPrinterDevice, win.c_str()));
  Run(Pages(3), "2 per 1", 1);
  EXPECT_EQ(seam_.dialogCalls, 0);
  EXPECT_EQ(seam_.trace, "SetAbortProc StartDoc StartPage EndPage StartPage EndPage EndDoc");
  EXPECT_EQ(CountPostScriptPages(output_), 2);
  EXPECT_NE(testing_support::ReadFileOrEmpty(output_).find("%%Orientation: Portrait"),
            std::string::npos);
  ExpectReleased();
}

TEST_F(PrintJobTest, ADefaultPrinterNameLongerThanEightyCharactersIsUsed) {
  const std::string win = settings_ + "WIN.INI";
  const std::string device = std::string(kLongTestPrinter) + ",wineps.drv,VESKARPS:";
  ASSERT_TRUE(os::WriteSetting("windows", "device", device.c_str(), win.c_str()));
  Run(Pages(1), "1 per 1", 1);
  EXPECT_EQ(Messages(), "");
  EXPECT_EQ(CountPostScriptPages(output_), 1);
}

TEST_F(PrintJobTest, SilentPrintingWithoutAPrinterFailsAtTheAbortProcedure) {
  const std::string win = settings_ + "WIN.INI";
  const struct {
    const char* name;
    std::string device;
  } cases[] = {
      {"no device", ""},
      // A value that does not fit the buffer is no printer, never a cut name.
      {"a value too long to read whole", std::string(kTestPrinterDevice) + std::string(1100, 'X')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    seam_ = PrintSeam{};
    ASSERT_TRUE(os::WriteSetting("windows", "device", c.device.empty() ? nullptr : c.device.c_str(),
                                 win.c_str()));
    Run(Pages(1), "1 per 1", 1);
    EXPECT_EQ(seam_.trace, "SetAbortProc");
    EXPECT_EQ(Messages(),
              std::string("Can not create abort procedure.|Print|") + std::to_string(kStop) + ";");
    ExpectReleased();
  }
}

}  // namespace
