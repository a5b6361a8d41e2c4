// Binding to Relay.dll, the host's message relay (imported by name).
#pragma once

#include <cstdint>

extern "C" {
// Takes one NUL-terminated progress message; the result is not used.
int32_t WriteMessage(const char* text);
}
