#include "engine/input/trace_level.h"

#include <cstring>

#include "engine/input/input_tables.h"
#include "host/gantry.h"

int64_t g_traceLevel;

void ApplyTraceLevel() {
  g_traceLevel = 0;
  const char* first = g_inputTextLines.group13001[0];
  // Only the one character after "TRACE=" counts, so "TRACE=12" gives 1.
  if (std::memcmp(first, "TRACE=", 6) == 0) {
    g_traceLevel = static_cast<unsigned char>(first[6]) - static_cast<unsigned char>('0');
  }
  if (g_traceLevel >= 1 && g_traceLevel <= 9) HostSetTraceLevel(&g_traceLevel);
}
