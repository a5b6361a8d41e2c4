#include "report/report_services.h"

#include "host/gantry.h"

namespace {
int32_t g_reportValue = 0;
}  // namespace

int32_t PassHostText(const char* text) { return HostPassText(text); }

int32_t SetReportValue(int32_t value) {
  g_reportValue = value;
  return value;
}

int32_t GetReportValue() { return g_reportValue; }

void EmptyReportHook() {}

void EmptyReportRoutine(void* /*first*/, void* /*second*/) {}

void ResetReportServicesForTests() { g_reportValue = 0; }
