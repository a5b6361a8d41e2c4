// A program folder with DAT\PDA\ databases built by pdabuild, the engine's run
// paths and unit table set up, every stand-in reset, and the material state at
// its load-time values; plus a one-line way to call GetMaterialProperty.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

struct Retrieval {
  float result[30];
  int64_t status;
  char text[81];
};

struct Ask {
  float mode = 1.0f;
  float unitSystem = 1.0f;
  float alternativeText = 0.0f;
  float currency = 1.0f;
  float temperature = 0.0f;
};

constexpr float kUntouched = -7.0f;  // what the result words hold before a call

class MaterialTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Builds the description's files into the program's DAT\PDA\ folder (or the
  // folder given).
  void Build(const std::string& description);
  void BuildIn(const std::string& folder, const std::string& description);
  void Remove(const std::string& fileName);  // from DAT\PDA\ .
  // The host names `folder` as its data folder (the run paths are set again).
  void UseHostDataFolder(const std::string& folder);

  // result words all kUntouched, status 99 and text dots before the call.
  Retrieval Get(float code, int64_t material, const Ask& ask = Ask());

  void SetPaths();

  std::string program_;
  std::string data_;  // program_ + "DAT\PDA\"
  std::string input_;
};

// The lines written for unit 56 and for standard output since SetUp.
extern std::vector<std::string> g_diagnosticLines;
extern std::vector<std::string> g_stdoutLines;
