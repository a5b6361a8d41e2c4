// A run context for report tests: a program folder and an input folder of
// their own, a settings folder, and every process-wide state of the report
// library back at its load-time values before and after each test.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>

#include "engine/files/run_paths.h"
#include "entry/library_reset.h"
#include "gantry/gantry_standin.h"
#include "os/os.h"
#include "quire/quire_standin.h"
#include "report/language.h"
#include "report_base/drawing_tools.h"
#include "report_base/engine_interface.h"
#include "run/run_context.h"
#include "support/test_support.h"

// A Windows path of the tests as the file system sees it ("Z:\...\" is
// "/..." natively), for moving the current folder.
inline std::filesystem::path NativeFolder(const std::string& windowsPath) {
#ifdef _WIN32
  return windowsPath;
#else
  std::string p = windowsPath.substr(2);
  for (char& c : p) c = c == '\\' ? '/' : c;
  return p;
#endif
}

// One drawing of a binary drawing file: a header and `records` M records, a
// string area of `strings` bytes.
inline std::string DrawingBytes(int32_t records, int32_t strings, const char* title = "T") {
  std::string bytes(104, '\0');
  std::memcpy(&bytes[0], "KFD2.0", 6);
  std::memcpy(&bytes[8], title, std::strlen(title));
  std::memcpy(&bytes[88], &records, 4);
  std::memcpy(&bytes[92], &strings, 4);
  for (int32_t i = 0; i < records; ++i) {
    std::string record(25, '\0');
    record[0] = 'M';
    bytes += record;
  }
  bytes += std::string(static_cast<size_t>(strings), 'S');
  return bytes;
}

class ReportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAll();
    root_ = testing_support::MakeTempFolder(
        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    program_ = root_ + "PROG\\";
    input_ = root_ + "JOB\\";
    settings_ = root_ + "WIN\\";
    ASSERT_TRUE(os::CreateFolder(program_.c_str()));
    ASSERT_TRUE(os::CreateFolder((program_ + "DAT\\").c_str()));
    ASSERT_TRUE(os::CreateFolder(TemplateFolder().c_str()));
    ASSERT_TRUE(os::CreateFolder(DataFolder().c_str()));
    ASSERT_TRUE(os::CreateFolder(input_.c_str()));
    ASSERT_TRUE(os::CreateFolder(settings_.c_str()));
    os::SetSettingsFolder(settings_.c_str());
    SetRunFolders(program_, input_, "A1B2C3");
  }
  void TearDown() override { ResetAll(); }

  static void ResetAll() {
    ResetLibraryForTests();
    QuireStandin_Reset();
    GantryStandin_Reset();
  }

  static void SetRunFolders(const std::string& program, const std::string& input,
                            const std::string& runId) {
    std::strcpy(g_runContext.programFolder, program.c_str());
    std::strcpy(g_runContext.inputFolder, input.c_str());
    std::strcpy(g_runContext.runId, runId.c_str());
    g_runContext.inputFolderFits = true;
  }

  std::string TemplateFolder() const { return program_ + "DAT\\LAN\\"; }
  std::string DataFolder() const { return program_ + "DAT\\PDA\\"; }
  std::string SettingsFile() const { return settings_ + "KVORSCRN.INI"; }
  std::string RunReport() const { return input_ + "A1B2C3.KVO"; }

  std::string root_, program_, input_, settings_;
};
