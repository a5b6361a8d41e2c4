// Date and time texts, and the seconds since the previous reading.
#include "engine/files/date_time.h"

#include <cstring>

#include "os/os.h"
#include "run/text.h"

namespace {

// The previous reading of the process clock in whole seconds; 0 means none
// (also for a reading taken in the process's first second).
int32_t g_previousSeconds = 0;

void TwoDigits(char* out, int value) {
  const int v = ((value % 100) + 100) % 100;
  out[0] = static_cast<char>('0' + v / 10);
  out[1] = static_cast<char>('0' + v % 10);
}

void ThreeFields(char* out8, int a, int b, int c, char separator) {
  TwoDigits(out8, a);
  out8[2] = separator;
  TwoDigits(out8 + 3, b);
  out8[5] = separator;
  TwoDigits(out8 + 6, c);
}

}  // namespace

void FormatDateTime(char* date8, char* time8, int32_t* elapsedSeconds) {
  const os::LocalTime t = os::ToLocalTime(os::TimeNow());
  if (date8) ThreeFields(date8, t.month, t.day, t.year, '/');
  if (time8) ThreeFields(time8, t.hour, t.minute, t.second, ':');

  const int32_t now = static_cast<int32_t>(os::ProcessClockMillis() / 1000);
  if (elapsedSeconds) *elapsedSeconds = g_previousSeconds == 0 ? 0 : now - g_previousSeconds;
  g_previousSeconds = now;
}

void GetDateTime(char* date, int64_t dateLength, char* time, int64_t timeLength,
                 int32_t* elapsedSeconds) {
  char date8[8];
  char time8[8];
  FormatDateTime(date8, time8, elapsedSeconds);
  fixed::CopyToArgument(date, dateLength, date8, 8);
  fixed::CopyToArgument(time, timeLength, time8, 8);
}

void ResetClockReadingForTests() { g_previousSeconds = 0; }
