// Path rules: a file is named by a name, an extension and a location code; the
// extension decides the folder, and a list of shared database names is looked
// for first in the host data folder. OpenDataFile connects a unit to such a
// file with the access an eight-letter mode text asks for, or disconnects it.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kFullPathWidth = 256;

// The full path (256 characters, blank-padded, cut at 256) of name.extension.
// The extension decides the folder; for .PDA files the location code does (1:
// the program's data folder; any other: the input folder), after the host data
// folder for a shared database. Location 4's second look, in the program's
// data folder, is OpenDataFile's.
void ResolvePath(char* fullPath256, const char* name, int64_t nameLength, const char* extension,
                 int64_t extensionLength, const int64_t* locationCode);

// Mode 2 disconnects the unit (deleting the file when the mode text's second
// letter is 'D'); any other mode connects it. A file that cannot be opened is
// reported to the host; error is always 0.
void OpenDataFile(const int64_t* mode, const int64_t* unit, const char* name, int64_t nameLength,
                  const char* extension, int64_t extensionLength, const int64_t* locationCode,
                  const int64_t* recordLength, const int64_t* spare, const char* modeText,
                  int64_t modeTextLength, int64_t* error);

// OpenDataFile's open (any mode but 2) for a caller to whom a missing file is
// an answer of its own: a file that is not there, or whose path does not fit
// its field, is kMissing and is not reported to the host; one that is there
// but cannot be opened is kNotOpened and is reported as OpenDataFile reports
// it. The open comes first, so a file that is there costs no look before it.
enum class DataFileOpen { kConnected, kMissing, kNotOpened };
DataFileOpen OpenDataFileIfPresent(int64_t unit, const char* name, int64_t nameLength,
                                   const char* extension, int64_t extensionLength,
                                   int64_t locationCode, int64_t recordLength, const char* modeText,
                                   int64_t modeTextLength);

// Like ResolvePath, but false when the path does not fit in 256 characters
// (the field then holds the cut path).
bool ResolvePathChecked(char* fullPath256, const char* name, int64_t nameLength,
                        const char* extension, int64_t extensionLength,
                        const int64_t* locationCode);

// The run's temporary-file name of a unit (run id and the unit number), NUL
// terminated, into a buffer of `capacity` bytes; false when it does not fit.
bool TempFileName(int64_t unit, char* out, size_t capacity);
