#include "report/screen/screen_services.h"

#include <cstring>

#include "os/os.h"
#include "run/run_context.h"

namespace {
// The words point into this copy of the text, so they stay valid until the
// next split.
char g_splitText[kSplitTextLimit + 1];
}  // namespace

void SplitWords(const char* text, int32_t* count, char** wordSlots) {
  std::strncpy(g_splitText, text, kSplitTextLimit);
  g_splitText[kSplitTextLimit] = '\0';
  if (g_splitText[0] == '\0') {
    *count = 0;
    return;
  }
  *count = 1;
  char* piece = g_splitText;
  while (*count < kWordSlots) {
    char* blank = std::strchr(piece, ' ');
    if (blank != nullptr) *blank = '\0';
    if (*piece != '\0') wordSlots[(*count)++] = piece;
    if (blank == nullptr) break;
    piece = blank + 1;
  }
}

void GetRunNames(char* baseName, char* runId) {
  std::strcpy(baseName, GetBaseName());
  std::strcpy(runId, GetRunId());
}

void EndProcess() { os::EndProcess(0); }

void ResetScreenServicesForTests() { std::memset(g_splitText, 0, sizeof g_splitText); }
