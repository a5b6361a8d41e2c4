// Arbitrary bytes as the index file and the property file of the ASME
// database set (and as the currency table), read through the local look-up:
// no crash, no hang, no read or write outside a table or a record, whatever
// the files hold. The first 16 bytes choose what is asked: an index entry
// whose material is looked up, the mode, unit system, selector, currency and
// temperature; the next 4000 are the index, the rest the property file.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/files/file_units.h"
#include "engine/files/run_paths.h"
#include "engine/files/unit_table.h"
#include "engine/material/material_cache.h"
#include "engine/material/material_diagnostics.h"
#include "engine/material/material_property.h"
#include "gantry/gantry_standin.h"
#include "os/os.h"
#include "scratch_folder.h"

namespace {

char g_program[96];
char g_data[128];

void Quiet(const char*, size_t) {}

void SetUpOnce() {
  if (g_program[0] != '\0') return;
  const std::string w = FuzzScratchFolder("material");
  std::strcpy(g_program, w.c_str());
  os::CreateFolder((w + "DAT").c_str());
  os::CreateFolder((w + "DAT\\PDA").c_str());
  std::strcpy(g_data, (w + "DAT\\PDA\\").c_str());
  // The database folder also serves as the host data folder, where shared
  // databases are looked for first: a blank one would send that look to the
  // current folder, which holds the fuzzer's growing corpus.
  const size_t n = std::strlen(g_program);
  GantryStandin_SetDataFolder(g_data, static_cast<int64_t>(std::strlen(g_data)));
  SetRunPaths(g_program, static_cast<int64_t>(n), g_program, static_cast<int64_t>(n), g_program,
              static_cast<int64_t>(n), "1", 1, "FUZZ", 4, "", 0, "0A1B2C", 6);
  FillUnitTable();
  SetMaterialStdoutSink(Quiet);
  SetMaterialDiagnosticSink(Quiet);
}

void Write(const char* name, const uint8_t* data, size_t size) {
  WriteFuzzFile(std::string(g_data) + name, data, size);
}

float FloatAt(const uint8_t* p) {
  float f;
  std::memcpy(&f, p, sizeof f);
  return f;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SetUpOnce();
  if (size < 16) return 0;
  const uint8_t* choice = data;
  const uint8_t* rest = data + 16;
  const size_t restSize = size - 16;
  const size_t indexSize = restSize < 4000 ? restSize : 4000;
  Write("N_ASMEI.PDA", rest, indexSize);
  Write("N_ASMEP.PDA", rest + indexSize, restSize - indexSize);
  Write("N_STDLAB.PDA", rest + indexSize, restSize - indexSize < 800 ? restSize - indexSize : 800);

  units::DisconnectAll();
  ResetMaterialStateForTests();

  // The material: an index entry when it lies in the ASME ranges, so that the
  // record behind it is read; otherwise a number of the first range.
  const size_t entry =
      (static_cast<size_t>(choice[0]) | (static_cast<size_t>(choice[1]) << 8)) % 2000;
  int64_t number = 1000 + (choice[1] % 100);
  if (2 * entry + 1 < indexSize) {
    const int16_t listed = static_cast<int16_t>(rest[2 * entry] | (rest[2 * entry + 1] << 8));
    if ((listed >= 1000 && listed <= 1999) || (listed >= 11000 && listed <= 11999)) number = listed;
  }
  const float modes[] = {0.0f, 1.0f, 2.0f, 3.0f, 4.0f};
  const float mode = modes[choice[2] % 5];
  const float unitSystem = static_cast<float>(choice[3] % 5);  // 0 and 4 too
  const float alternative = static_cast<float>(choice[4] % 3);
  const float currency = static_cast<float>(static_cast<int8_t>(choice[5]) % 12);
  const float temperature = FloatAt(choice + 8);
  const float extraCode = static_cast<float>(choice[6] | (choice[7] << 8)) / 100.0f;
  // Three codes an input: one of the kinds below, any code, any real; each
  // asked in the chosen unit system and then in US units (a hit converted
  // again). An input that asked every kind would spend its time on look-ups
  // that the next input repeats.
  static const float kKinds[] = {1.0f,   5.0f,   10.0f,  31.0f,  45.0f,  61.0f,  81.0f,
                                 111.0f, 120.0f, 121.0f, 146.0f, 181.0f, 191.0f, 206.0f,
                                 231.0f, 251.0f, 281.0f, 302.0f, 305.0f};
  const float codes[] = {kKinds[(choice[6] ^ choice[7]) % (sizeof kKinds / sizeof kKinds[0])],
                         extraCode, FloatAt(choice + 12)};
  for (const float code : codes) {
    for (const float u : {unitSystem, 1.0f}) {
      float result[30] = {};
      int64_t status = 0;
      char text[80];
      GetMaterialProperty(&code, &mode, &u, &alternative, &currency, &number, &temperature, result,
                          &status, text, sizeof text);
      if (status < 0 || status > 2) std::abort();
    }
  }
  return 0;
}
