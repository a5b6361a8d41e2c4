// Composer tests: the page test fixture plus the composer's and the screen's
// state, and small template files written from their lines.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "drawing/pictures.h"
#include "report/compose/page_composer.h"
#include "report/screen/screen_model.h"
#include "report_page/page_fixture.h"

// A screen record: two header lines and the rows, each ended by CR LF.
inline std::string Record(const std::string& header1, const std::string& header2,
                          const std::vector<std::string>& rows) {
  std::string r = header1 + "\r\n" + header2 + "\r\n";
  for (const std::string& row : rows) r += row + "\r\n";
  return r;
}
// A row of 79 text columns and its control character in column 80.
inline std::string TemplateRow(const std::string& text, char control = ' ') {
  std::string row = text + std::string(79 - text.size(), ' ');
  return row + control;
}

class ComposeTest : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    // English is the settings' default; its data file makes it selectable.
    ASSERT_TRUE(testing_support::WriteFileBytes(DataFolder() + "G_ENGLIS.PDA", "x"));
  }

  // A template file of one or more screens and its index, in the template
  // folder: entry k is the offset of the byte before screen k.
  void WriteTemplate(const std::string& stem, const std::string& code,
                     const std::vector<std::string>& screens) {
    std::string bytes;
    std::string index;
    for (const std::string& s : screens) {
      const uint32_t entry = bytes.empty() ? 0 : static_cast<uint32_t>(bytes.size() - 1);
      for (int k = 0; k < 4; ++k) index += static_cast<char>((entry >> (8 * k)) & 0xFF);
      bytes += s;
    }
    ASSERT_TRUE(testing_support::WriteFileBytes(TemplateFolder() + stem + "." + code, bytes));
    ASSERT_TRUE(testing_support::WriteFileBytes(TemplateFolder() + stem + "INDX." + code, index));
  }

  // ComposePage with its own copies of the texts.
  int32_t Compose(const char* command, const std::string& screen, const std::string& values,
                  const std::string& pictures = "", char* result = nullptr) {
    screen_ = screen;
    values_ = values;
    values_.resize(2100, '\0');
    char ignored[6] = "     ";
    return ComposePage(command, screen_.data(), values_.data(), pictures.c_str(),
                       result != nullptr ? result : ignored);
  }
  std::string screen_;
  std::string values_;
};

// A page line of the report: the text's 79 columns and a blank, TAB, the
// control character and the marker text.
inline std::string Line(const std::string& text, char control = ' ',
                        const std::string& markers = "") {
  return PageLine(text, control, markers);
}
