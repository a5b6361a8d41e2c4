// One whole run of the example's carbon steel job (21 temperatures, seven
// properties, header, gasket and name) through VESKAR, natively:
//   cold: the material cache, the loaded index and the currency table are back
//         at their load-time state before every run, so each run reads the
//         currency table, the index and the record from disk;
//   warm: the cache holds the material from the run before, so the run reads
//         only the run input file.
// Both include what every run does anyway: run set-up, reading the run input
// file, writing the results file and the report text file, clean-up.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/material/material_cache.h"
#include "entry/entry_points.h"
#include "os/os.h"
#include "pdabuild/pdabuild.h"
#include "relay/relay_standin.h"

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool WriteAll(const std::string& windowsPath, const std::string& bytes) {
  FILE* f = os::OpenFile(windowsPath.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

std::string WindowsPath(const std::string& posix) {
  std::string p = "Z:" + posix;
  for (char& c : p) {
    if (c == '/') c = '\\';
  }
  return p;
}

struct Example {
  std::string program;  // Windows paths ending in '\'
  std::string job;
  bool ready = false;
};

// The program folder with the example's databases and the job, built once.
const Example& SetUpExample() {
  static Example e;
  if (e.ready) return e;
  const std::string source = VESKAR_SOURCE_DIR;
  const std::string root = "/tmp/veskar-bench-" + std::to_string(os::TimeNow() % 1000000);
  e.program = WindowsPath(root) + "\\program\\";
  const std::string input = WindowsPath(root) + "\\input\\";
  os::CreateFolder(WindowsPath(root).c_str());
  os::CreateFolder(e.program.c_str());
  os::CreateFolder((e.program + "DAT").c_str());
  os::CreateFolder((e.program + "DAT\\PDA").c_str());
  os::CreateFolder(input.c_str());
  std::vector<pdabuild::PdaFile> files;
  std::string error;
  if (!pdabuild::Build(ReadAll(source + "/examples/materials.txt"), &files, &error)) {
    std::fprintf(stderr, "bench: %s\n", error.c_str());
    return e;
  }
  for (const auto& f : files) WriteAll(e.program + "DAT\\PDA\\" + f.name, f.bytes);
  e.job = input + "CARBON.KVT";
  WriteAll(e.job, ReadAll(source + "/examples/jobs/CARBON.KVT"));
  RelayStandin_SetQuiet(1);
  e.ready = true;
  return e;
}

void RunOnce(benchmark::State& state, const Example& e) {
  if (VESKAR(0, e.program.c_str(), e.job.c_str(), "BATCH", 0) != 0) {
    state.SkipWithError("VESKAR failed");
  }
}

void BM_WholeRunColdCache(benchmark::State& state) {
  const Example& e = SetUpExample();
  if (!e.ready) return state.SkipWithError("no example");
  for (auto _ : state) {
    ResetMaterialStateForTests();
    RunOnce(state, e);
  }
}
BENCHMARK(BM_WholeRunColdCache)->Unit(benchmark::kMicrosecond);

void BM_WholeRunWarmCache(benchmark::State& state) {
  const Example& e = SetUpExample();
  if (!e.ready) return state.SkipWithError("no example");
  RunOnce(state, e);  // fills the cache
  for (auto _ : state) RunOnce(state, e);
}
BENCHMARK(BM_WholeRunWarmCache)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
