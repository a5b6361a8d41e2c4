// Relay.dll stand-in: keeps and prints the host messages.
#include "relay/relay_standin.h"

#include <cstdio>
#include <cstring>

#include "host/relay.h"

namespace {
constexpr int kMaxMessages = 256;
constexpr int kMessageSize = 512;
struct Message {
  char text[kMessageSize];
};
standin::CallLog<Message, kMaxMessages> g_log;
int32_t g_quiet = 0;
}  // namespace

STANDIN_API int32_t WriteMessage(const char* text) {
  standin::CopyTextField(g_log.Add()->text, kMessageSize, text ? text : "");
  if (!g_quiet) {
    std::printf("%s\n", text ? text : "");
    std::fflush(stdout);
  }
  return 0;
}

STANDIN_API void RelayStandin_Reset(void) {
  g_log.Clear();
  g_quiet = 0;
}
STANDIN_API int32_t RelayStandin_Count(void) { return g_log.count; }
STANDIN_API const char* RelayStandin_Message(int32_t index) {
  const Message* m = g_log.At(index);
  return m ? m->text : nullptr;
}
STANDIN_API void RelayStandin_SetQuiet(int32_t quiet) { g_quiet = quiet; }
