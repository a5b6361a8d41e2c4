// The trace level that the run input file can hand to the host.
#pragma once

#include <cstdint>

// The last level worked out, process-wide: 0 when none was found.
extern int64_t g_traceLevel;

// Works the level out of the first line of group 13001 ("TRACE=" and one digit)
// and, when it lies from 1 to 9, hands it to the host's trace-level service.
void ApplyTraceLevel();
