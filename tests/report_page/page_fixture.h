// Report-page tests: the report fixture (run folders, settings, every
// report-library state reset) plus the page renderer's and the file
// operations' own state, message boxes recorded instead of shown, and
// helpers that build composed pages and drawing files.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "os/os.h"
#include "report/page/page_state.h"
#include "report/page/report_files.h"
#include "report/report_fixture.h"

struct ShownMessage {
  std::string text;
  std::string title;
  uint32_t flags;
};

class PageTest : public ReportTest {
 protected:
  // The report fixture returns the whole library to its load-time state.
  void SetUp() override {
    ReportTest::SetUp();
    Messages().clear();
    os::SetMessageBoxHook(&RecordMessage);
  }

  static std::vector<ShownMessage>& Messages() {
    static std::vector<ShownMessage> messages;
    return messages;
  }
  static int RecordMessage(void*, const char* text, const char* title, uint32_t flags) {
    Messages().push_back({text, title, flags});
    return os::kIdOk;
  }

  std::string RunDrawingFile() const { return input_ + "A1B2C3.KFD"; }
};

// A composed page of 24 rows of 80 characters with its template rows (only
// their column 80 counts) and a marker map of 25 rows.
struct PageFixture {
  char page[24 * 80];
  char templateRows[24 * 80];
  char markers[25 * 80];
  PageFixture() {
    std::memset(page, ' ', sizeof page);
    std::memset(templateRows, ' ', sizeof templateRows);
    std::memset(markers, ' ', sizeof markers);
  }
  // Row r counted from 1, as the report counts them.
  void Row(int r, const std::string& text, char control = ' ') {
    std::memcpy(page + (r - 1) * 80, text.data(), text.size());
    page[(r - 1) * 80 + 79] = control;
    templateRows[(r - 1) * 80 + 79] = control;
  }
  void Control(int r, char control) { Row(r, "", control); }
  void Marker(int r, int column, char m) { markers[(r - 1) * 80 + column - 1] = m; }
};

// The page line of a row as the report holds it (CR LF included).
inline std::string PageLine(const std::string& text, char control,
                            const std::string& markers = "") {
  std::string line = text + std::string(80 - text.size(), ' ');
  return line + "\t" + std::string(1, control) + markers + "\r\n";
}
