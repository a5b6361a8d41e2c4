// The run context: what one run knows about where it stands (program folder,
// temp folder, input folder, base name, run id), the host window and the entry
// option, and the library's module handle.
//
// One process-wide record. Each run overwrites it at its start and it keeps
// the last run's values until the next run, so the report library can still
// read them after VESKAR has returned. Texts are NUL-terminated ANSI texts
// owned by the record; callers only read them. The run shell fills it
// (entry/run_setup.h); engine, report and drawing code read it from below.
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

// Load-time state: every text empty, every number 0, every field marked as
// fitting (the module handle stays).
void ResetRunContextForTests();
