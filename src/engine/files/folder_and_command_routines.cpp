// Routines for engine code outside this library: folders and a command line.
#include "engine/files/folder_and_command_routines.h"

#include <cstring>

#include "engine/files/file_units.h"
#include "engine/files/run_paths.h"
#include "engine/files/unit_table.h"
#include "host/gantry.h"
#include "run/system_routines.h"
#include "run/text.h"

namespace {

char g_secondFolder[256];

// A command line of up to 32767 characters, as the system accepts.
constexpr size_t kCommandCapacity = 32768;
char g_commandLine[kCommandCapacity];

void TrimmedInto(char* result256, const char* field) {
  fixed::CopyPadded(result256, 256, field, fixed::TrimmedLength(field, 256));
}

}  // namespace

void GetEngineProgramDir(char* result256) {
  if (result256) TrimmedInto(result256, g_runPaths.programFolder);
}

void GetSecondHostFolder(char* result256) {
  int64_t n = HostSecondFolder(g_secondFolder, static_cast<int64_t>(sizeof g_secondFolder));
  if (!result256) return;
  if (n > 0) {
    if (n > 256) n = 256;
    fixed::Blank(g_secondFolder + n, static_cast<size_t>(256 - n));
    TrimmedInto(result256, g_secondFolder);
  } else {
    TrimmedInto(result256, g_runPaths.inputFolder);
  }
}

void GetJobStemPath(char* result256) {
  if (!result256) return;
  const size_t folder = fixed::TrimmedLength(g_runPaths.inputFolder, 256);
  std::memcpy(result256, g_runPaths.inputFolder, folder);
  fixed::CopyPadded(result256 + folder, 256 - folder, g_runPaths.baseName, 256);
}

void EmptyRunServiceHook() {}

void RunCommandText(const char* command, int64_t commandLength) {
  size_t n = fixed::ArgumentLength(command, commandLength);
  if (n > kCommandCapacity - 1) n = kCommandCapacity - 1;
  if (n > 0) std::memcpy(g_commandLine, command, n);
  g_commandLine[n] = '\0';
  RunCommand(g_commandLine);
}

void ResetFolderRoutinesForTests() { std::memset(g_secondFolder, 0, sizeof g_secondFolder); }
