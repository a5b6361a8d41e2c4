// The report library's interface to engine code outside this library: the
// argument convention of its engine-callable routines, the host-text service,
// a stored value and two routines that do nothing.
//
// Engine code passes every argument by address; a text comes as its address
// followed at once by its length, an eight-byte integer passed by value.
// Whole numbers are eight-byte integers unless a routine says otherwise.
//
// A routine that hands a text on copies it into a process-wide buffer of its
// own, cut to that buffer's limit and ended by a NUL, because engine texts are
// fixed-length fields without a terminator. Trailing blanks within the given
// length stay part of the text: callers pass the length of the meaningful text.
// Each routine owns its buffers, so none of them may be entered again before
// it returns.
#pragma once

#include <cstddef>
#include <cstdint>

#include "run/text.h"

namespace engine_call {

// The limit of the texts that the drawing and host-text routines hand on.
constexpr int64_t kNameLimit = 80;

// A routine's own buffer for one text of up to Limit characters and a NUL.
template <int64_t Limit>
struct TextBuffer {
  static constexpr int64_t kLimit = Limit;
  char text[Limit + 1];
};

// Taking an engine text into a buffer and giving a result text back follow the
// library's text rules (run/text.h).
using fixed::GiveText;
using fixed::TakePaddedText;
using fixed::TakeText;

template <int64_t Limit>
inline const char* TakeText(TextBuffer<Limit>* buffer, const char* text, int64_t length) {
  TakeText(buffer->text, Limit, text, length);
  return buffer->text;
}

// An eight-byte integer passed by address, as the 32-bit value a routine of the
// library takes (a null address reads as 0; the value is truncated to its low
// 32 bits, as the engine's callers expect of window sizes and flags).
int32_t TakeInt32(const int64_t* value);

}  // namespace engine_call

// ---- routines for engine code outside this library ---------------------------
// Nothing in the library calls them.

// Hands a NUL-terminated text (at most 80 characters) to the host's text
// service and returns its result unchanged.
int32_t PassHostText(const char* text);
// At most 80 characters of an engine text and a NUL to PassHostText; its
// result is this routine's result.
int32_t HostTextCall(const char* text, int64_t textLength);

// A process-wide value, 0 at load; nothing else in the library reads it.
int32_t SetReportValue(int32_t value);  // stores and returns it
int32_t GetReportValue();

// Routines that do nothing.
void EmptyReportHook();
void ReportHookCall();
void EmptyReportRoutine(void* first, void* second);

// Load-time state: the stored value 0.
void ResetReportServicesForTests();
