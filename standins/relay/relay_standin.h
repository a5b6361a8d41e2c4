// Control of the Relay.dll stand-in: every message is kept (and printed on
// standard output, so a person running a job sees them).
#pragma once

#include <cstdint>

#include "standin_common.h"

STANDIN_API void RelayStandin_Reset(void);
STANDIN_API int32_t RelayStandin_Count(void);
STANDIN_API const char* RelayStandin_Message(int32_t index);  // 0-based; nullptr past the end
STANDIN_API void RelayStandin_SetQuiet(int32_t quiet);        // non-zero: do not print
