// The engine's own copy of the run's folders and identifiers.
//
// The run shell hands the engine its run context once per run through
// SetRunPaths; the engine keeps it as blank-padded fixed-length fields (its
// texts are never NUL-terminated) together with the host data folder, the
// normalised run-mode word, what that word selects and the language code.
// The block lives for the whole process.
#pragma once

#include <cstdint>

// What the run-mode word selects. Eight-byte integers, never cleared: a field
// keeps its value until a later run initialisation sets it.
struct RunModeBlock {
  int64_t kind;     // 1 batch-type word, 2 "/AS" or "/AO", 3 "WYNDALE"
  int64_t subMode;  // 1, 2 or 3
  int64_t aoFlag1;  // both set by "/AO"
  int64_t aoFlag2;
  int64_t adFlag;  // set by "/AD"
  int64_t silent;
};

constexpr int kRunFolderWidth = 256;
constexpr int kRunIdWidth = 6;
constexpr int kApplicationNumberWidth = 2;
constexpr int kLanguageCodeWidth = 3;

struct RunPaths {
  char programFolder[256];
  char tempFolder[256];
  char inputFolder[256];     // ends with '\', or all blanks
  char hostDataFolder[256];  // as the host writes it
  char runId[6];
  char applicationNumber[2];
  char baseName[256];
  char runModeWord[256];  // normalised in place by run initialisation
  RunModeBlock modeBlock;
  char languageCode[3];
};

extern RunPaths g_runPaths;

// Copies each text (address and length) into its field, cut or blank-padded,
// then asks the host for the host data folder.
void SetRunPaths(const char* programFolder, int64_t programFolderLength, const char* tempFolder,
                 int64_t tempFolderLength, const char* inputFolder, int64_t inputFolderLength,
                 const char* applicationNumber, int64_t applicationNumberLength,
                 const char* baseName, int64_t baseNameLength, const char* runModeWord,
                 int64_t runModeWordLength, const char* runId, int64_t runIdLength);

// Load-time state: every byte zero, as a freshly loaded library has it.
void ResetRunPathsForTests();
