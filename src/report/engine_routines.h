// Engine-callable routines of the report library (see engine_call.h for their
// argument convention). None of them is called inside the library.
#pragma once

#include <cstdint>

// At most 80 characters of the text and a NUL to the host's text service; the
// service's result is this routine's result.
int32_t HostTextCall(const char* text, int64_t textLength);
// The empty report hook.
void ReportHookCall();
// *flag (32-bit) = 1 while rich-text output is on, else 0.
void RichTextQueryCall(int32_t* flag);
