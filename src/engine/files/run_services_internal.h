// Resets of the run services' private state, shared by their own files only.
#pragma once

namespace run_services_detail {
void ResetDeleteHook();    // run_services.cpp
void ResetClockReading();  // date_time.cpp
}  // namespace run_services_detail
