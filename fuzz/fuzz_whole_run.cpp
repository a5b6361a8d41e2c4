// Arbitrary bytes as the run input file of a whole run through VESKAR, on the
// example's databases: whatever the job holds, the run ends, and nothing reads
// or writes outside a table, a block or a buffer of the library. The process
// state is kept from one input to the next, as in a host that runs many jobs.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/material/material_diagnostics.h"
#include "entry/entry_points.h"
#include "gantry/gantry_standin.h"
#include "os/os.h"
#include "pdabuild/pdabuild.h"
#include "relay/relay_standin.h"
#include "scratch_folder.h"

namespace {

std::string g_posixRoot;
std::string g_program;  // Windows paths ending in '\'
std::string g_input;
std::string g_job;

std::string WindowsPath(const std::string& posix) {
  std::string w = "Z:" + posix;
  for (char& c : w) {
    if (c == '/') c = '\\';
  }
  return w;
}

void RemoveTree() {
  std::string command = "rm -rf '" + g_posixRoot + "'";
  if (std::system(command.c_str()) != 0) std::fputs("fuzz_whole_run: clean-up failed\n", stderr);
}

void Quiet(const char*, size_t) {}

void SetUpOnce() {
  if (!g_job.empty()) return;
  char root[64];
  MakeFuzzScratchFolder("run", root, sizeof root);
  g_posixRoot = root;
  std::atexit(RemoveTree);
  g_program = WindowsPath(g_posixRoot + "/PROG/");
  g_input = WindowsPath(g_posixRoot + "/JOBS/");
  g_job = g_input + "FUZZJOB.KVT";
  for (const std::string& f : {g_program, g_program + "DAT\\", g_program + "DAT\\PDA\\", g_input}) {
    os::CreateFolder(f.c_str());
  }
  std::string description;
  FILE* f = std::fopen(VESKAR_SOURCE_DIR "/examples/materials.txt", "rb");
  if (!f) std::abort();
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) description.append(buf, n);
  std::fclose(f);
  // The builder writes through the C library, which takes POSIX paths only.
  std::vector<pdabuild::PdaFile> files;
  std::string error;
  if (!pdabuild::Build(description, &files, &error) ||
      !pdabuild::WriteFiles(files, g_posixRoot + "/PROG/DAT/PDA/", &error)) {
    std::fprintf(stderr, "fuzz_whole_run: %s\n", error.c_str());
    std::abort();
  }
  // A host data folder of its own, empty: the shared databases are looked
  // for there first and then in the program's folder. A blank one would send
  // that first look to the current folder, which holds the fuzzer's growing
  // corpus and would be searched name by name at every look-up.
  const std::string host = WindowsPath(g_posixRoot + "/HOST/");
  os::CreateFolder(host.c_str());
  GantryStandin_SetDataFolder(host.c_str(), static_cast<int64_t>(host.size()));
  os::SetTempPathOverride(g_input.c_str());
  // The settings file too: a bare name would otherwise be looked for in the
  // current folder, the fuzzer's corpus.
  os::SetSettingsFolder(g_input.c_str());
  RelayStandin_SetQuiet(1);
  SetMaterialStdoutSink(Quiet);
  SetMaterialDiagnosticSink(Quiet);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SetUpOnce();
  FILE* job = os::OpenFile(g_job.c_str(), "wb");
  if (!job) std::abort();
  if (size > 0) std::fwrite(data, 1, size, job);
  std::fclose(job);
  VESKAR(0, g_program.c_str(), g_job.c_str(), "BATCH", 0);
  RelayStandin_Reset();
  RelayStandin_SetQuiet(1);
  return 0;
}
