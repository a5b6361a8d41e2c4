// RunService: run initialisation, date and time, existence test and deletion
// of a named file, and the job's base name, in one routine for engine code.
//
// Engine-callable routines take every argument by address and each text as its
// address followed by its eight-byte length.
#pragma once

#include <cstdint>

// mode 0, 1, 100: run initialisation (location code receives the application
//                 number);
// mode 2: text 1 the date, text 2 the time;
// mode 3: error 1 when the file (text 1 name, text 2 extension, location code)
//         does not exist;
// mode 5: as mode 3, and the file is deleted when it exists (error 2 when it
//         exists but cannot be deleted);
// mode 13: text 1 the base name, texts 2 and 3 blanks.
// Every mode first sets error to 0; any other mode does nothing more.
void RunService(const int64_t* mode, int64_t* error, char* text1, int64_t text1Length, char* text2,
                int64_t text2Length, char* text3, int64_t text3Length, int64_t* locationCode);

// Every process-wide value of the file services (run paths, unit table, unit
// connections, the clock reading, the second-folder buffer) back at its
// load-time state.
void ResetFileServicesForTests();
