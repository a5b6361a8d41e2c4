// Bindings to Gantry.dll, the host application's services library.
//
// The host's library is imported by ordinal number only; the names below are
// ours (see gantry_import.def for the ordinals). Nothing of the services' work
// lies in this library: each caller relies only on what its comment says.
#pragma once

#include <cstdint>

extern "C" {

// Ordinal 23: a run starts. Result not used.
int32_t HostRunStart(void* module, const char* programFolder, const char* jobPath,
                     const char* runModeWord);

// Ordinal 24: an exception escaped the main calculation. The result is the
// exception disposition (1 handle, 0 pass on, -1 resume); the host may write
// the error code through the last argument.
int32_t HostExceptionDecision(int32_t zero, uint32_t exceptionCode, void* exceptionPointers,
                              const char* emptyText, int32_t* errorCode);

// Ordinal 29: notice before the run's temporary files are deleted and before a
// named report is converted or appended. Result not used.
int32_t HostFileNotice(void);

// Ordinal 33: writes the host data folder from the field's first character (no
// NUL) and returns the number of characters written.
int64_t HostDataFolder(char* field, int64_t fieldLength);

// Ordinal 35: a second folder query; the length written, 0 or less for none.
int64_t HostSecondFolder(char* field, int64_t fieldLength);

// Ordinal 15: the trace level, an eight-byte integer from 1 to 9, by address.
int32_t HostSetTraceLevel(const int64_t* level);

// Ordinal 25: a file failed to open; its full path without trailing blanks and
// without NUL, and the path's length by value.
int32_t HostReportOpenFailure(const char* path, int64_t length);

// Ordinal 39: non-zero when material numbers below 9000 (other than 2000 to
// 3999) are taken from the ASME material library.
int32_t HostUsesAsmeLibrary(void);

// Ordinal 41: one NUL-terminated text of at most 80 characters from engine
// code; the result is handed back unchanged.
int32_t HostPassText(const char* text);

}  // extern "C"
