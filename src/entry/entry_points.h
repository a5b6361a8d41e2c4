// The library's exported entry points: one call runs one job.
#pragma once

#include <cstdint>

extern "C" {
// Runs the job named by jobPath (folder, base name, extension); returns the
// run's error code: 0 unless the host, asked about an exception in the main
// calculation, wrote another value.
int32_t VESKAR(int32_t hostWindow, const char* programFolder, const char* jobPath,
               const char* runModeWord, int32_t option);
// The same call, for hosts that bind the second export.
int32_t VESKAR_VB(int32_t hostWindow, const char* programFolder, const char* jobPath,
                  const char* runModeWord, int32_t option);
}

// Test seam: the routine the exception guard calls in place of the main
// calculation (nullptr: the main calculation again). Tests use it to raise
// exceptions from inside the guarded call.
void SetGuardedCalculationForTests(void (*calculation)());
