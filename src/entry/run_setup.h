// What the run shell does with the job path at the start of a run: the run id,
// the run context (with the engine's copy of it) and the results file name.
#pragma once

#include <cstdint>

// Writes the run id (six upper-case hexadecimal digits of the low 24 bits of
// the current time) and a NUL into `out` (at least 7 bytes).
void MakeRunId(char* out);

// Fills the run context from the job path and hands the engine its copy.
void SetUpRunContext(const char* programFolder, const char* jobPath, const char* applicationNumber,
                     const char* runModeWord, const char* runId);

// The results file name of a job path into `out` (kRunFolderSize bytes):
// false (out empty) when it does not fit.
bool MakeResultsFileName(const char* jobPath, char* out);
