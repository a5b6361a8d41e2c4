#include "report_base/engine_interface.h"

#include "host/gantry.h"

namespace engine_call {

int32_t TakeInt32(const int64_t* value) {
  if (value == nullptr) return 0;
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(*value)));
}

}  // namespace engine_call

namespace {
engine_call::TextBuffer<engine_call::kNameLimit> g_hostText;
int32_t g_reportValue = 0;
}  // namespace

int32_t PassHostText(const char* text) { return HostPassText(text); }

int32_t HostTextCall(const char* text, int64_t textLength) {
  return PassHostText(engine_call::TakeText(&g_hostText, text, textLength));
}

int32_t SetReportValue(int32_t value) {
  g_reportValue = value;
  return value;
}

int32_t GetReportValue() { return g_reportValue; }

void EmptyReportHook() {}

void ReportHookCall() {}

void EmptyReportRoutine(void* /*first*/, void* /*second*/) {}

void ResetReportServicesForTests() { g_reportValue = 0; }
