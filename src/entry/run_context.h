// The run context: what one run knows about where it stands (program folder,
// temp folder, input folder, base name, run id), the host window and the entry
// option, and the library's module handle.
//
// One process-wide record. Each run overwrites it at its start and it keeps
// the last run's values until the next run, so the report library can still
// read them after VESKAR has returned. Texts are NUL-terminated ANSI texts
// owned by the record; callers only read them.
#pragma once

#include <cstdint>

constexpr int kRunFolderSize = 256;  // up to 255 characters and a NUL
constexpr int kRunIdSize = 16;       // up to 15 characters; 6 in use

struct RunContext {
  char programFolder[kRunFolderSize];
  char tempFolder[kRunFolderSize];
  char inputFolder[kRunFolderSize];
  char baseName[kRunFolderSize];
  char runId[kRunIdSize];
  int32_t entryOption;
  void* hostWindow;
  void* moduleHandle;
  // False when the text meant for the field did not fit (the field is then
  // empty): no file is named from such a field. Before any run nothing has
  // failed to fit, and the empty fields name the current folder.
  bool programFolderFits = true;
  bool inputFolderFits = true;
  bool baseNameFits = true;
  bool tempFolderFits = true;
};

extern RunContext g_runContext;

// Getters: the field's text, valid for the rest of the process.
const char* GetProgramDir();
const char* GetTempDir();
const char* GetInputDir();
const char* GetBaseName();
const char* GetRunId();

void SetHostWindow(void* window);
void* GetHostWindow();
void SetEntryOption(int32_t option);
int32_t GetEntryOption();

// The library's own module handle, recorded when the library is loaded
// (natively: whatever a test recorded, else null).
void* GetModuleHandleOfLibrary();
void SetModuleHandleOfLibrary(void* module);

// Copies `first` into `destination` and appends `second`; returns destination.
// The destination must hold both and must not overlap them.
char* JoinStrings(char* destination, const char* first, const char* second);

// Writes the run id (six upper-case hexadecimal digits of the low 24 bits of
// the current time) and a NUL into `out` (at least 7 bytes).
void MakeRunId(char* out);

// Fills the run context from the job path and hands the engine its copy.
void SetUpRunContext(const char* programFolder, const char* jobPath,
                     const char* applicationNumber, const char* runModeWord,
                     const char* runId);

// The results file name of a job path into `out` (kRunFolderSize bytes):
// false (out empty) when it does not fit.
bool MakeResultsFileName(const char* jobPath, char* out);

// Converts the report file at reportPath to plain text at textPath (created or
// emptied). 0 when the text file cannot be created, else 1.
int ConvertReportToText(const char* reportPath, const char* textPath);
// Converts this run's report (input folder + run id + ".KVO") to the input
// folder + base name + ".KVX".
void ConvertRunReport();

// Deletes the run's temporary files, after telling the host.
void CleanUpRunFiles();
// Deletes every file of `folder` matching `pattern` (run id + "*" + extension).
void DeleteMatchingFiles(const char* folder, const char* pattern);

// Load-time state: every text empty, every number 0 (the module handle stays).
void ResetRunContextForTests();
