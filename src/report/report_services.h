// Small routines of the report library that only the host calls: one host
// service, a stored value, and two routines that do nothing.
#pragma once

#include <cstdint>

// Hands a NUL-terminated text (at most 80 characters) to the host's text
// service and returns its result unchanged.
int32_t PassHostText(const char* text);

// A process-wide value, 0 at load; nothing else in the library reads it.
int32_t SetReportValue(int32_t value);  // stores and returns it
int32_t GetReportValue();

void EmptyReportHook();
void EmptyReportRoutine(void* first, void* second);

void ResetReportServicesForTests();
