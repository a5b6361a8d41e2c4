// Relay.dll stand-in: keeps and prints the host messages.
#include "relay/relay_standin.h"

#include <cstdio>
#include <cstring>

#include "host/relay.h"

namespace {
constexpr int kMaxMessages = 256;
constexpr int kMessageSize = 512;
char g_messages[kMaxMessages][kMessageSize];
int32_t g_count = 0;
int32_t g_quiet = 0;
}  // namespace

STANDIN_API int32_t WriteMessage(const char* text) {
  if (g_count < kMaxMessages) {
    std::strncpy(g_messages[g_count], text ? text : "", kMessageSize - 1);
    g_messages[g_count][kMessageSize - 1] = '\0';
    ++g_count;
  }
  if (!g_quiet) {
    std::printf("%s\n", text ? text : "");
    std::fflush(stdout);
  }
  return 0;
}

STANDIN_API void RelayStandin_Reset(void) {
  g_count = 0;
  g_quiet = 0;
}
STANDIN_API int32_t RelayStandin_Count(void) { return g_count; }
STANDIN_API const char* RelayStandin_Message(int32_t index) {
  return index >= 0 && index < g_count ? g_messages[index] : nullptr;
}
STANDIN_API void RelayStandin_SetQuiet(int32_t quiet) { g_quiet = quiet; }
