// Deleting the run's temporary files at the end of a run.
#pragma once

// Deletes the run's temporary files, after telling the host.
void CleanUpRunFiles();
// Deletes every file of `folder` matching `pattern` (run id + "*" + extension).
void DeleteMatchingFiles(const char* folder, const char* pattern);
