// The library's exported entry points: one call runs one job.
#pragma once

#include <cstdint>

extern "C" {
// Runs the job named by jobPath (folder, base name, extension); returns the
// run's error code, 0 on success.
int32_t VESKAR(int32_t hostWindow, const char* programFolder, const char* jobPath,
               const char* runModeWord, int32_t option);
// The same call, for hosts that bind the second export.
int32_t VESKAR_VB(int32_t hostWindow, const char* programFolder, const char* jobPath,
                  const char* runModeWord, int32_t option);
}
