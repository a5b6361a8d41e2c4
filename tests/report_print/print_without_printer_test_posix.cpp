// The native build has no printer: a job fails as on a machine without one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report_print/print_fixture.h"

namespace {

std::vector<std::string>* g_shown = nullptr;

TEST_F(PrintTest, WithoutAPrinterNoJobStarts) {
  std::vector<std::string> shown;
  g_shown = &shown;
  os::SetMessageBoxHook([](void*, const char* text, const char* title, uint32_t flags) {
    g_shown->push_back(std::string(text) + "|" + title + "|" + std::to_string(flags));
    return 1;
  });
  const std::string path = WriteReport("REP.KVO", Pages(1));
  PrintReport(nullptr, nullptr, path.c_str(), 0);
  PrintReport(nullptr, nullptr, path.c_str(), 1);
  os::SetMessageBoxHook(nullptr);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0],
            "No default printer.\n\n Use Control Panel to install and select a default "
            "printer.|Print|48");
  // Silently the missing printer shows at the abort procedure.
  EXPECT_EQ(shown[1], "Can not create abort procedure.|Print|16");
}

}  // namespace
