// What the print and preview tests share: a report test with the page
// renderer, pictures and print job back at their load-time state, and small
// report builders.
#pragma once

#include <cstdint>
#include <string>

#include "drawing/pictures.h"
#include "report/page/page_state.h"
#include "report/print/print_job.h"
#include "report/report_fixture.h"

class PrintTest : public ReportTest {
 protected:
  void SetUp() override {
    ReportTest::SetUp();
    ResetPrintState();
  }
  void TearDown() override {
    ResetPrintState();
    ReportTest::TearDown();
  }
  static void ResetPrintState() {
    ResetPrintJobForTests();
    ResetPageStateForTests();
    ResetPicturesForTests();
  }

  // Writes the settings file's print format ("2 per 1", ...).
  void SetPrintFormat(const char* value) {
    ASSERT_TRUE(os::WriteSetting("Print Format", "Output", value, SettingsFile().c_str()));
  }

  // Writes `text` (lines ended by "\n") as a report file with CR LF.
  std::string WriteReport(const std::string& name, const std::string& text) {
    const std::string path = input_ + name;
    EXPECT_TRUE(testing_support::WriteFileBytes(path, testing_support::Crlf(text)));
    return path;
  }
};

// A page line: the 79 text columns (blank-padded), a blank, TAB and the
// carriage control, then the markers.
inline std::string PageLine(const std::string& text, char control = ' ',
                            const std::string& markers = "") {
  std::string line = text.substr(0, 79);
  line.resize(80, ' ');
  return line + "\t" + control + markers + "\n";
}

// A report of `pages` pages of `lines` lines each: each page's first line has
// the control '1', and line j of page p reads "PAGE p LINE j".
inline std::string Pages(int pages, int lines = 3, int firstNumber = 1) {
  std::string report;
  for (int p = 0; p < pages; ++p) {
    for (int j = 1; j <= lines; ++j) {
      report += PageLine("PAGE " + std::to_string(firstNumber + p) + " LINE " + std::to_string(j),
                         j == 1 ? '1' : ' ');
    }
  }
  return report;
}
