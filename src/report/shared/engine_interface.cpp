#include "report/shared/engine_interface.h"

#include <cstring>

#include "host/gantry.h"

namespace engine_call {

int64_t TakeText(char* buffer, int64_t limit, const char* text, int64_t length) {
  int64_t n = length;
  if (text == nullptr || n < 0) n = 0;
  if (n > limit) n = limit;
  if (n > 0) std::memcpy(buffer, text, static_cast<size_t>(n));
  buffer[n] = '\0';
  return n;
}

void TakePaddedText(char* buffer, int64_t width, const char* text, int64_t length) {
  const int64_t n = TakeText(buffer, width, text, length);
  if (width > n) std::memset(buffer + n, ' ', static_cast<size_t>(width - n));
  buffer[width] = '\0';
}

void GiveText(char* field, int64_t fieldLength, const char* result, int64_t resultLength) {
  if (field == nullptr || fieldLength <= 0) return;
  int64_t n = resultLength < fieldLength ? resultLength : fieldLength;
  if (result == nullptr || n < 0) n = 0;
  if (n > 0) std::memmove(field, result, static_cast<size_t>(n));
  if (fieldLength > n) std::memset(field + n, ' ', static_cast<size_t>(fieldLength - n));
}

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
