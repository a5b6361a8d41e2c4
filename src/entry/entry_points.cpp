// Placeholder entry points until the run shell lands.
#include "entry/entry_points.h"

#include "engine/main/main_calculation.h"

extern "C" int32_t VESKAR(int32_t, const char*, const char*, const char*, int32_t) {
  MaterialEngineMain();
  return 0;
}

extern "C" int32_t VESKAR_VB(int32_t hostWindow, const char* programFolder, const char* jobPath,
                             const char* runModeWord, int32_t option) {
  return VESKAR(hostWindow, programFolder, jobPath, runModeWord, option);
}
