// Setting up the run context at the start of a run, and the results file name.
#include "entry/run_setup.h"

#include <cstring>

#include "engine/files/run_paths.h"
#include "os/os.h"
#include "run/run_context.h"
#include "run/text.h"

void MakeRunId(char* out) {
  static const char kHex[] = "0123456789ABCDEF";
  const uint32_t low = static_cast<uint32_t>(os::TimeNow()) & 0xFFFFFFu;
  for (int i = 0; i < 6; ++i) out[i] = kHex[(low >> (4 * (5 - i))) & 0xFu];
  out[6] = '\0';
}

namespace {

// The position just after the job path's folder part: where its file name
// starts. A drive-relative path such as "C:PUMP1.JOB" keeps "C:" as its
// folder, which names the drive's current folder ("C\" would name a folder C
// of the current folder).
size_t FolderEnd(const char* jobPath) {
  return static_cast<size_t>(file_names::NameStart(jobPath) - jobPath);
}

// The folder of the run's temporary files: the system temp folder's
// "KVORTEMP\" when that exists, else the system temp folder, else (when the
// system gives none, or one longer than its buffer) the input folder.
void ChooseTempFolder(RunContext& c) {
  constexpr uint32_t kBuffer = 255;
  char system[kRunFolderSize] = {};
  const uint32_t n = os::TempFolder(kBuffer, system);
  if (n == 0 || n >= kBuffer) {
    bounded::Copy(c.tempFolder, sizeof c.tempFolder, c.inputFolder);
    c.tempFolderFits = c.inputFolderFits;
    return;
  }
  char own[kRunFolderSize];
  if (bounded::Join(own, sizeof own, system, "KVORTEMP\\") &&
      os::FileAttributes(own) != os::kInvalidAttributes) {
    bounded::Copy(c.tempFolder, sizeof c.tempFolder, own);
  } else {
    bounded::Copy(c.tempFolder, sizeof c.tempFolder, system);
  }
  c.tempFolderFits = true;
}

int64_t Length(const char* text) { return static_cast<int64_t>(std::strlen(text)); }

}  // namespace

void SetUpRunContext(const char* programFolder, const char* jobPath, const char* applicationNumber,
                     const char* runModeWord, const char* runId) {
  RunContext& c = g_runContext;
  c.programFolderFits = bounded::Copy(c.programFolder, sizeof c.programFolder, programFolder);

  const size_t folderEnd = FolderEnd(jobPath);
  c.inputFolderFits = bounded::CopyPrefix(c.inputFolder, sizeof c.inputFolder, jobPath, folderEnd);
  const char* rest = jobPath + folderEnd;
  const char* dot = std::strrchr(rest, '.');
  const size_t baseLength = dot ? static_cast<size_t>(dot - rest) : std::strlen(rest);
  c.baseNameFits = bounded::CopyPrefix(c.baseName, sizeof c.baseName, rest, baseLength);

  ChooseTempFolder(c);
  bounded::Copy(c.runId, sizeof c.runId, runId);

  SetRunPaths(c.programFolder, Length(c.programFolder), c.tempFolder, Length(c.tempFolder),
              c.inputFolder, Length(c.inputFolder), applicationNumber, Length(applicationNumber),
              c.baseName, Length(c.baseName), runModeWord, Length(runModeWord), c.runId,
              Length(c.runId));
}

bool MakeResultsFileName(const char* jobPath, char* out) {
  // Only the file name's '.' counts: a '.' in a folder name (C:\A.B\JOB) must
  // not make the results file C:\A.KOU.
  const char* name = jobPath + FolderEnd(jobPath);
  const char* dot = std::strrchr(name, '.');
  if (!dot) return bounded::Join(out, kRunFolderSize, jobPath, ".KOU");
  const size_t keep = static_cast<size_t>(dot - jobPath) + 1;
  if (!bounded::CopyPrefix(out, kRunFolderSize, jobPath, keep)) return false;
  return bounded::Join(out, kRunFolderSize, out, "KOU");
}
