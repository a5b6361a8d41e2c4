// Deleting the run's temporary files at the end of a run.
#include "entry/run_cleanup.h"

#include <cstring>

#include "host/gantry.h"
#include "os/os.h"
#include "run/run_context.h"
#include "run/text.h"

void DeleteMatchingFiles(const char* folder, const char* pattern) {
  char namePattern[kRunFolderSize];
  char search[kRunFolderSize];
  if (!bounded::Copy(namePattern, sizeof namePattern, pattern) ||
      !bounded::Join(search, sizeof search, folder, pattern)) {
    return;
  }
  if (!std::strchr(search, '.') &&
      (!bounded::Join(namePattern, sizeof namePattern, pattern, "*.TMP") ||
       !bounded::Join(search, sizeof search, folder, namePattern))) {
    return;
  }
  os::FindData found;
  os::FindHandle* h = os::FindFirst(search, &found);
  if (!h) return;
  do {
    // Windows also matches the pattern against 8.3 short names, so a file
    // whose long name has another extension can be found ("X.TMPA" has the
    // short name "X~1.TMP"): only a long name that itself matches goes.
    if (found.isFolder || !os::WildcardMatch(namePattern, found.name)) continue;
    char path[kRunFolderSize];
    if (bounded::Join(path, sizeof path, folder, found.name)) os::RemoveFile(path);
  } while (os::FindNext(h, &found));
  os::FindClose(h);
}

void CleanUpRunFiles() {
  HostFileNotice();
  const RunContext& c = g_runContext;
  static const char* const kTempExtensions[] = {"*.TMP", "*.KEX", "*.KVB"};
  char pattern[kRunFolderSize];
  for (const char* extension : kTempExtensions) {
    if (c.tempFolderFits && bounded::Join(pattern, sizeof pattern, c.runId, extension)) {
      DeleteMatchingFiles(c.tempFolder, pattern);
    }
  }
  if (c.inputFolderFits && bounded::Join(pattern, sizeof pattern, c.runId, "*.XML")) {
    DeleteMatchingFiles(c.inputFolder, pattern);
  }
}
