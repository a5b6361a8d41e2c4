// Small services of the screen module that the host calls: the caret, the
// beep, a word splitter, the run's names and the end of the process.
#pragma once

#include <cstdint>

// Moves the window's caret to the cell's x and the y of the cell's bottom
// edge. The library creates no caret.
void PlaceCaret(int32_t cell);
// The system's default beep.
void ScreenBeep();

// Splits a text (at most 255 characters are taken, copied into a process-wide
// buffer) at blanks: word k goes to wordSlots[k] for k = 1 to 19 (wordSlots
// holds 20 entries; entry 0 is not used) and *count ends one above the number
// of words stored (0 for an empty text, 1 for a text of blanks).
constexpr int32_t kWordSlots = 20;
constexpr int32_t kSplitTextLimit = 255;
void SplitWords(const char* text, int32_t* count, char** wordSlots);

// Copies the run's base name (baseName: 256 bytes) and run id (runId: 16
// bytes).
void GetRunNames(char* baseName, char* runId);

// Ends the host process with exit code 0.
[[noreturn]] void EndProcess();

void ResetScreenServicesForTests();
