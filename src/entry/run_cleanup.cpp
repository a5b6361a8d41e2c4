// Deleting the run's temporary files at the end of a run.
#include "entry/run_cleanup.h"

#include <cstring>

#include "host/gantry.h"
#include "os/os.h"
#include "run/run_context.h"
#include "run/text.h"

namespace {

// Searches `folder` with `searchPattern` and deletes every file whose long
// name itself matches one of `namePatterns`. Windows also matches a search
// against 8.3 short names, so a file whose long name has another extension,
// or does not begin with the run id at all, can be found ("X.TMPA" has the
// short name "X~1.TMP"): only a long name that itself matches goes.
void DeleteFound(const char* folder, const char* searchPattern, const char* const* namePatterns,
                 int patternCount) {
  char search[kRunFolderSize];
  if (!bounded::Join(search, sizeof search, folder, searchPattern)) return;
  os::FindData found;
  os::FindHandle* h = os::FindFirst(search, &found);
  if (!h) return;
  do {
    if (found.isFolder) continue;
    bool wanted = false;
    for (int i = 0; i < patternCount && !wanted; ++i)
      wanted = os::WildcardMatch(namePatterns[i], found.name);
    char path[kRunFolderSize];
    if (wanted && bounded::Join(path, sizeof path, folder, found.name)) os::RemoveFile(path);
  } while (os::FindNext(h, &found));
  os::FindClose(h);
}

}  // namespace

void DeleteMatchingFiles(const char* folder, const char* pattern) {
  char namePattern[kRunFolderSize];
  char search[kRunFolderSize];
  if (!bounded::Copy(namePattern, sizeof namePattern, pattern) ||
      !bounded::Join(search, sizeof search, folder, pattern)) {
    return;
  }
  if (!std::strchr(search, '.') &&
      !bounded::Join(namePattern, sizeof namePattern, pattern, "*.TMP")) {
    return;
  }
  const char* const patterns[] = {namePattern};
  DeleteFound(folder, namePattern, patterns, 1);
}

void CleanUpRunFiles() {
  HostFileNotice();
  const RunContext& c = g_runContext;
  // The temp folder is searched once for every file of the run id, and the
  // extensions are told apart here: each search is a request to the system
  // (a network round trip when the folder lies on a share).
  char search[kRunFolderSize];
  char tmp[kRunFolderSize];
  char kex[kRunFolderSize];
  char kvb[kRunFolderSize];
  if (c.tempFolderFits && bounded::Join(search, sizeof search, c.runId, "*") &&
      bounded::Join(tmp, sizeof tmp, c.runId, "*.TMP") &&
      bounded::Join(kex, sizeof kex, c.runId, "*.KEX") &&
      bounded::Join(kvb, sizeof kvb, c.runId, "*.KVB")) {
    const char* const temporary[] = {tmp, kex, kvb};
    DeleteFound(c.tempFolder, search, temporary, 3);
  }
  char xml[kRunFolderSize];
  if (c.inputFolderFits && bounded::Join(xml, sizeof xml, c.runId, "*.XML")) {
    DeleteMatchingFiles(c.inputFolder, xml);
  }
}
