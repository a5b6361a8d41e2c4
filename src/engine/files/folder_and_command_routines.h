// Routines for engine code outside this library: the run's folders as
// blank-padded texts, a command line started from an engine text, and an
// empty hook. Nothing in the library calls them.
#pragma once

#include <cstdint>

// The program folder, blank-padded to 256 characters.
void GetEngineProgramDir(char* result256);
// The host's second folder (when it names one), else the input folder; 256
// characters, blank-padded.
void GetSecondHostFolder(char* result256);
// The input folder followed by the base name; 256 characters, blank-padded.
void GetJobStemPath(char* result256);
void EmptyRunServiceHook();
// Starts the whole command text (trailing blanks included) as a command line.
void RunCommandText(const char* command, int64_t commandLength);

// Load-time state of the second-folder buffer.
void ResetFolderRoutinesForTests();
