// Run services: run initialisation, date and time, existence test and deletion
// of a file, the job's base name, the language setting, and a few routines the
// host may call that the library itself never does.
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
void RunService(const int64_t* mode, int64_t* error, char* text1, int64_t text1Length,
                char* text2, int64_t text2Length, char* text3, int64_t text3Length,
                int64_t* locationCode);

// Three bytes of language code (no terminator); the result is the language
// number (1 English, 2 French, 3 German, 4 Spanish, 5 Italian, 6 Chinese).
int32_t ReadLanguageSetting(char* code3);
// The code into a text, cut or blank-padded.
void ReadLanguageCode(char* code, int64_t codeLength);
// The engine's language code becomes the one the settings file now gives.
void RefreshLanguageCode();

// Date "mm/dd/yy" and time "HH:MM:SS" into texts (cut or blank-padded) and the
// seconds since the previous reading (0 for the first).
void GetDateTime(char* date, int64_t dateLength, char* time, int64_t timeLength,
                 int32_t* elapsedSeconds);
// Exactly 8 bytes of date and 8 bytes of time (no terminators).
void FormatDateTime(char* date8, char* time8, int32_t* elapsedSeconds);

// ---- routines no routine of this library calls ---------------------------------

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

// The run-mode word of RunPaths normalised in place, then what it selects set in
// the RunModeBlock and the UnitTable (run initialisation calls it).
void ApplyRunModeWord();

// Load-time state of the run services' own process-wide values (the previous
// clock reading, the second-folder buffer) and of the test hooks below.
void ResetRunServicesForTests();

// Every process-wide value of the file services (run paths, unit table, unit
// connections, the values above) back at its load-time state.
void ResetFileServicesForTests();

// For tests: replace the file deletion of mode 5 (true when deleted) and the
// command-line start of RunCommandText; nullptr restores the real ones.
void SetDeleteFileHookForTests(bool (*remove)(const char* path));
void SetRunCommandHookForTests(uint32_t (*run)(const char* commandLine));
