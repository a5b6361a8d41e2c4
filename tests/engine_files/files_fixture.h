// A fixture for the file services: a fresh folder tree for each test, the run
// paths pointing into it, and every process-wide value back at its load-time
// state before and after.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/files/date_time.h"
#include "engine/files/file_units.h"
#include "engine/files/folder_and_command_routines.h"
#include "engine/files/language_setting.h"
#include "engine/files/run_paths.h"
#include "engine/files/run_services.h"
#include "engine/files/unit_table.h"
#include "entry/library_reset.h"
#include "gantry/gantry_standin.h"
#include "os/os.h"
#include "support/test_support.h"

namespace files_test {

inline std::string Field(const char* field, size_t width) { return std::string(field, width); }

inline std::string Padded(const std::string& text, size_t width) {
  std::string s = text.substr(0, width);
  s.resize(width, ' ');
  return s;
}

inline void ResetAll() {
  ResetLibraryForTests();
  GantryStandin_Reset();
}

inline void SetPaths(const std::string& program, const std::string& temp, const std::string& input,
                     const std::string& base, const std::string& word = "",
                     const std::string& runId = "0A1B2C", const std::string& app = "1") {
  SetRunPaths(program.data(), static_cast<int64_t>(program.size()), temp.data(),
              static_cast<int64_t>(temp.size()), input.data(), static_cast<int64_t>(input.size()),
              app.data(), static_cast<int64_t>(app.size()), base.data(),
              static_cast<int64_t>(base.size()), word.data(), static_cast<int64_t>(word.size()),
              runId.data(), static_cast<int64_t>(runId.size()));
}

// Folders PROG\ (with DAT\PDA\, DAT\LAN\, XEQ\), TEMP\, JOBS\ and HOST\ under a
// fresh folder, which is also the settings folder (no KVORSCRN.INI at first).
class FilesTest : public ::testing::Test {
 protected:
  std::string root, prog, temp, input, host;

  void SetUp() override {
    ResetAll();
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root = testing_support::MakeTempFolder(std::string("files-") + info->name());
    prog = root + "PROG\\";
    temp = root + "TEMP\\";
    input = root + "JOBS\\";
    host = root + "HOST\\";
    for (const std::string& f : {prog, prog + "DAT\\", prog + "DAT\\PDA\\", prog + "DAT\\LAN\\",
                                 prog + "XEQ\\", temp, input, host}) {
      ASSERT_TRUE(os::CreateFolder(f.c_str())) << f;
      EmptyFolder(f);
    }
    os::SetSettingsFolder(root.c_str());
  }
  void TearDown() override { ResetAll(); }

  // The run paths into this test's folders; the host names `hostFolder`.
  void UsePaths(const std::string& hostFolder = "", const std::string& base = "JOB",
                const std::string& word = "") {
    GantryStandin_SetDataFolder(hostFolder.c_str(), static_cast<int64_t>(hostFolder.size()));
    SetPaths(prog, temp, input, base, word);
  }

  // A reused test folder is emptied only at its top; the subfolders of an
  // earlier run of the same name would still hold that run's files.
  static void EmptyFolder(const std::string& folder) {
    os::FindData fd;
    if (os::FindHandle* h = os::FindFirst((folder + "*").c_str(), &fd)) {
      do {
        if (!fd.isFolder) os::RemoveFile((folder + fd.name).c_str());
      } while (os::FindNext(h, &fd));
      os::FindClose(h);
    }
  }

  static void Write(const std::string& path, const std::string& bytes) {
    ASSERT_TRUE(testing_support::WriteFileBytes(path, bytes)) << path;
  }
  static bool Exists(const std::string& path) { return testing_support::FileExists(path); }
};

}  // namespace files_test
