// Shared set-up of the run shell's tests: every process-wide block back to its
// load-time state, the stand-ins quiet and forgetting, the OS seam real.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/files/run_paths.h"
#include "entry/entry_points.h"
#include "entry/library_reset.h"
#include "entry/report_conversion.h"
#include "entry/run_cleanup.h"
#include "entry/run_setup.h"
#include "gantry/gantry_standin.h"
#include "os/os.h"
#include "relay/relay_standin.h"
#include "run/results_writer.h"
#include "run/run_context.h"
#include "support/test_support.h"

namespace entry_test {

inline void ResetAll() {
  ResetLibraryForTests();
  GantryStandin_Reset();
  RelayStandin_Reset();
  RelayStandin_SetQuiet(1);
}

class EntryTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetAll(); }
  void TearDown() override { ResetAll(); }
};

// A whole run's folders: the temp folder the system reports and an input
// folder holding the job PUMP1.JOB. The calculations that tests put into the
// guarded call are plain functions, so the folders are process-wide.
inline std::string g_runTemp;
inline std::string g_runInput;

class RunFolderTest : public EntryTest {
 protected:
  void SetUp() override {
    EntryTest::SetUp();
    g_runTemp = testing_support::MakeTempFolder("runtemp");
    g_runInput = testing_support::MakeTempFolder("runinput");
    os::SetTempPathOverride(g_runTemp.c_str());
    job_ = g_runInput + "PUMP1.JOB";
  }
  std::string job_;
};

// The ordinals of the Gantry calls so far, in order, e.g. "23 33 29".
inline std::string GantryOrdinals() {
  std::string s;
  for (int32_t i = 0; i < GantryStandin_CallCount(); ++i) {
    if (!s.empty()) s += ' ';
    s += std::to_string(GantryStandin_Call(i)->ordinal);
  }
  return s;
}

inline std::string RelayMessages() {
  std::string s;
  for (int32_t i = 0; i < RelayStandin_Count(); ++i)
    s += std::string(RelayStandin_Message(i)) + "|";
  return s;
}

// A blank-padded engine field as a text without its trailing blanks.
inline std::string Trimmed(const char* field, size_t width) {
  size_t n = width;
  while (n > 0 && (field[n - 1] == ' ' || field[n - 1] == '\0')) --n;
  return std::string(field, n);
}

}  // namespace entry_test
