// Deleting the run's temporary files at the end of a run.
#pragma once

// Deletes the run's temporary files, after telling the host: the files of
// the temp folder whose long names begin with the run id and end in .TMP,
// .KEX or .KVB (found by one search), and those of the input folder that end
// in .XML.
void CleanUpRunFiles();
// Deletes every file of `folder` matching `pattern` (run id + "*" + extension).
void DeleteMatchingFiles(const char* folder, const char* pattern);
