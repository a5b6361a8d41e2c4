// SetRunPaths: the engine's copy of the run context, and the host data folder.
#include "engine/files/run_paths.h"

#include <cstring>

#include "host/gantry.h"
#include "run/text.h"

RunPaths g_runPaths;

namespace {

void CopyField(char* field, size_t width, const char* text, int64_t length) {
  fixed::CopyPadded(field, width, text, fixed::ArgumentLength(text, length));
}

}  // namespace

void SetRunPaths(const char* programFolder, int64_t programFolderLength, const char* tempFolder,
                 int64_t tempFolderLength, const char* inputFolder, int64_t inputFolderLength,
                 const char* applicationNumber, int64_t applicationNumberLength,
                 const char* baseName, int64_t baseNameLength, const char* runModeWord,
                 int64_t runModeWordLength, const char* runId, int64_t runIdLength) {
  RunPaths& p = g_runPaths;
  CopyField(p.programFolder, sizeof p.programFolder, programFolder, programFolderLength);
  CopyField(p.tempFolder, sizeof p.tempFolder, tempFolder, tempFolderLength);
  CopyField(p.inputFolder, sizeof p.inputFolder, inputFolder, inputFolderLength);
  CopyField(p.applicationNumber, sizeof p.applicationNumber, applicationNumber,
            applicationNumberLength);
  CopyField(p.baseName, sizeof p.baseName, baseName, baseNameLength);
  CopyField(p.runModeWord, sizeof p.runModeWord, runModeWord, runModeWordLength);
  CopyField(p.runId, sizeof p.runId, runId, runIdLength);

  // The host writes its folder from the field's first character and says how
  // many characters it wrote. The count is taken as 0..256: a negative count
  // names no folder, a count of 256 or more leaves the field as written.
  constexpr int64_t width = static_cast<int64_t>(sizeof p.hostDataFolder);
  int64_t count = HostDataFolder(p.hostDataFolder, width);
  if (count < 0) count = 0;
  if (count > width) count = width;
  fixed::Blank(p.hostDataFolder + count, static_cast<size_t>(width - count));
}

void ResetRunPathsForTests() { std::memset(&g_runPaths, 0, sizeof g_runPaths); }
