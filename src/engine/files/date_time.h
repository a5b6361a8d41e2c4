// Date and time texts, and the seconds since the previous reading.
#pragma once

#include <cstdint>

// Date "mm/dd/yy" and time "HH:MM:SS" into texts (cut or blank-padded) and the
// seconds since the previous reading (0 for the first).
void GetDateTime(char* date, int64_t dateLength, char* time, int64_t timeLength,
                 int32_t* elapsedSeconds);
// Exactly 8 bytes of date and 8 bytes of time (no terminators).
void FormatDateTime(char* date8, char* time8, int32_t* elapsedSeconds);

// Load-time state: no previous reading.
void ResetClockReadingForTests();
