// Whole runs through VESKAR for the main calculation's tests: a program folder
// whose databases are built from a .PDA builder description, jobs written into
// an input folder, and every process-wide block back at its load-time state
// before each test (a test that needs two runs in one process makes them
// itself).
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace main_test {

// Every process-wide block of the library and of the stand-ins as a freshly
// loaded library has it.
void ResetProcessState();

// The source tree's examples folder (a POSIX path ending in '/').
std::string ExamplesDir();
// A file of the source tree, whole ("" when it cannot be read).
std::string ReadSourceFile(const std::string& relativePath);

// One scalar record of a job: the input index and its value as the file
// writes it.
struct ScalarInput {
  int index;
  const char* value;
};
// A run input file (CR LF) of the VESKAR section with the given scalar
// records; an empty list gives a section with no scalars.
std::string JobText(std::initializer_list<ScalarInput> scalars);

class RunTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Builds the databases of a description into the program's DAT\PDA\.
  void BuildDatabases(const std::string& description);
  // The example's own databases, from examples/materials.txt.
  void BuildExampleDatabases();
  void RemoveDatabase(const std::string& fileName);

  // Writes the job <name>.KVT into the input folder, runs it through VESKAR
  // and returns its results file (the whole file, CR LF as written).
  std::string Run(const std::string& name, const std::string& jobText);
  // Runs the job already in the input folder (or missing from it).
  std::string RunExisting(const std::string& name);

  std::string program_;  // Windows paths ending in '\'
  std::string data_;     // program_ + "DAT\PDA\"
  std::string input_;
  std::string temp_;
};

}  // namespace main_test
