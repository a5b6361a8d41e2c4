#include "material_fixture.h"

#include <cstring>

#include "engine/files/file_units.h"
#include "engine/files/run_paths.h"
#include "engine/files/unit_table.h"
#include "engine/material/material_cache.h"
#include "engine/material/material_diagnostics.h"
#include "engine/material/material_property.h"
#include "entry/library_reset.h"
#include "gantry/gantry_standin.h"
#include "os/os.h"
#include "osric/osric_standin.h"
#include "pdabuild/pdabuild.h"
#include "ravel/ravel_standin.h"
#include "support/test_support.h"
#include "tarsus/tarsus_standin.h"

std::vector<std::string> g_diagnosticLines;
std::vector<std::string> g_stdoutLines;

namespace {
void ToDiagnostics(const char* text, size_t length) {
  g_diagnosticLines.emplace_back(text, length);
}
void ToStdout(const char* text, size_t length) { g_stdoutLines.emplace_back(text, length); }
}  // namespace

void MaterialTest::SetUp() {
  ResetLibraryForTests();
  GantryStandin_Reset();
  TarsusStandin_Reset();
  RavelStandin_Reset();
  OsricStandin_Reset();
  g_diagnosticLines.clear();
  g_stdoutLines.clear();
  SetMaterialDiagnosticSink(ToDiagnostics);
  SetMaterialStdoutSink(ToStdout);

  program_ = testing_support::MakeTempFolder("material-program");
  ASSERT_TRUE(os::CreateFolder((program_ + "DAT").c_str()));
  ASSERT_TRUE(os::CreateFolder((program_ + "DAT\\PDA").c_str()));
  data_ = program_ + "DAT\\PDA\\";
  input_ = testing_support::MakeTempFolder("material-input");
  SetPaths();
  FillUnitTable();
}

void MaterialTest::SetPaths() {
  const std::string temp = input_;
  SetRunPaths(program_.data(), static_cast<int64_t>(program_.size()), temp.data(),
              static_cast<int64_t>(temp.size()), input_.data(), static_cast<int64_t>(input_.size()),
              "1", 1, "JOB", 3, "", 0, "0A1B2C", 6);
}

void MaterialTest::UseHostDataFolder(const std::string& folder) {
  GantryStandin_SetDataFolder(folder.c_str(), static_cast<int64_t>(folder.size()));
  SetPaths();
}

void MaterialTest::TearDown() { ResetLibraryForTests(); }

void MaterialTest::Build(const std::string& description) { BuildIn(data_, description); }

void MaterialTest::BuildIn(const std::string& folder, const std::string& description) {
  std::vector<pdabuild::PdaFile> files;
  std::string error;
  ASSERT_TRUE(pdabuild::Build(description, &files, &error)) << error;
  for (const auto& f : files) {
    ASSERT_TRUE(testing_support::WriteFileBytes(folder + f.name, f.bytes)) << folder + f.name;
  }
}

void MaterialTest::Remove(const std::string& fileName) {
  ASSERT_TRUE(os::RemoveFile((data_ + fileName).c_str())) << fileName;
}

Retrieval MaterialTest::Get(float code, int64_t material, const Ask& ask) {
  Retrieval r;
  for (float& w : r.result) w = kUntouched;
  r.status = 99;
  std::memset(r.text, '.', sizeof r.text - 1);
  r.text[80] = '\0';
  const float c = code, mode = ask.mode, unit = ask.unitSystem, alt = ask.alternativeText,
              cur = ask.currency, temp = ask.temperature;
  const int64_t number = material;
  GetMaterialProperty(&c, &mode, &unit, &alt, &cur, &number, &temp, r.result, &r.status, r.text,
                      80);
  return r;
}
