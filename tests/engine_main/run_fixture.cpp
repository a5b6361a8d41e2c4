#include "run_fixture.h"

#include <vector>

#include "curves/stream_curve_block.h"
#include "engine/files/run_services.h"
#include "engine/input/input_tables.h"
#include "engine/main/main_calculation.h"
#include "engine/material/material_cache.h"
#include "entry/entry_points.h"
#include "entry/library_reset.h"
#include "gantry/gantry_standin.h"
#include "os/os.h"
#include "osric/osric_standin.h"
#include "pdabuild/pdabuild.h"
#include "ravel/ravel_standin.h"
#include "relay/relay_standin.h"
#include "run/results_writer.h"
#include "run/run_context.h"
#include "support/kvt_writer.h"
#include "support/test_support.h"
#include "tarsus/tarsus_standin.h"

namespace main_test {

void ResetProcessState() {
  ResetLibraryForTests();
  GantryStandin_Reset();
  TarsusStandin_Reset();
  RavelStandin_Reset();
  OsricStandin_Reset();
  RelayStandin_Reset();
  RelayStandin_SetQuiet(1);
}

std::string ExamplesDir() { return testing_support::SourceDir() + "/examples/"; }

std::string ReadSourceFile(const std::string& relativePath) {
  return testing_support::ReadFileOrEmpty(
      testing_support::WindowsPath(testing_support::SourceDir() + "/" + relativePath));
}

std::string JobText(std::initializer_list<ScalarInput> scalars) {
  testing_support::KvtWriter job;
  job.Heading("a test job", "CorvoSoft/K-VOR 6.0 run input file").Application().InputScalar();
  for (const ScalarInput& s : scalars) job.Scalar(s.index, s.value);
  return job.InputArray().ResultsScalar().Bytes();
}

void RunTest::SetUp() {
  ResetProcessState();
  program_ = testing_support::MakeTempFolder("main-program");
  ASSERT_TRUE(os::CreateFolder((program_ + "DAT").c_str()));
  ASSERT_TRUE(os::CreateFolder((program_ + "DAT\\PDA").c_str()));
  data_ = program_ + "DAT\\PDA\\";
  input_ = testing_support::MakeTempFolder("main-input");
  temp_ = testing_support::MakeTempFolder("main-temp");
  os::SetTempPathOverride(temp_.c_str());
}

void RunTest::TearDown() { ResetProcessState(); }

void RunTest::BuildDatabases(const std::string& description) {
  std::vector<pdabuild::PdaFile> files;
  std::string error;
  ASSERT_TRUE(pdabuild::Build(description, &files, &error)) << error;
  for (const auto& f : files) {
    ASSERT_TRUE(testing_support::WriteFileBytes(data_ + f.name, f.bytes)) << data_ + f.name;
  }
}

void RunTest::BuildExampleDatabases() {
  const std::string text = ReadSourceFile("examples/materials.txt");
  ASSERT_FALSE(text.empty()) << "examples/materials.txt not found under " << ExamplesDir();
  BuildDatabases(text);
}

void RunTest::RemoveDatabase(const std::string& fileName) {
  ASSERT_TRUE(os::RemoveFile((data_ + fileName).c_str())) << fileName;
}

std::string RunTest::Run(const std::string& name, const std::string& jobText) {
  EXPECT_TRUE(testing_support::WriteFileBytes(input_ + name + ".KVT", jobText));
  return RunExisting(name);
}

std::string RunTest::RunExisting(const std::string& name) {
  const std::string job = input_ + name + ".KVT";
  EXPECT_EQ(VESKAR(0, program_.c_str(), job.c_str(), "BATCH", 0), 0);
  return testing_support::ReadFileOrEmpty(input_ + name + ".KOU");
}

}  // namespace main_test
