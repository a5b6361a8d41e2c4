// Gantry.dll stand-in: records calls and answers as scripted.
#include "gantry/gantry_standin.h"

#include <cstring>

#include "host/gantry.h"

namespace {

constexpr int kMaxCalls = 4096;
constexpr int kMaxOrdinal = 64;

struct Script {
  int32_t disposition = 0;  // EXCEPTION_CONTINUE_SEARCH
  int32_t writeError = 0;
  int32_t errorCode = 0;
  char dataFolder[kGantryTextSize] = {};
  int64_t dataCount = 0;
  char secondFolder[kGantryTextSize] = {};
  int64_t secondCount = 0;
  int32_t usesAsme = 0;
  int32_t passTextResult = 0;
  void (*hooks[kMaxOrdinal])(void) = {};
};

Script g_script;
standin::CallLog<GantryCall, kMaxCalls> g_log;

GantryCall* NewCall(int32_t ordinal) {
  GantryCall* c = g_log.Add();
  c->ordinal = ordinal;
  return c;
}

void CopyText(GantryCall* c, int slot, const char* text) {
  if (text) c->textLength[slot] = standin::CopyTextField(c->text[slot], kGantryTextSize, text);
}

void RunHook(int32_t ordinal) {
  if (ordinal >= 0 && ordinal < kMaxOrdinal && g_script.hooks[ordinal]) g_script.hooks[ordinal]();
}

// Ordinals 33 and 35: the call recorded, the scripted folder written into
// the field (at most its length, no NUL) and the scripted count returned.
int64_t FolderQuery(int32_t ordinal, const char* folder, int64_t count, char* field,
                    int64_t fieldLength) {
  GantryCall* c = NewCall(ordinal);
  c->address[0] = field;
  c->value[0] = fieldLength;
  RunHook(ordinal);
  const int64_t n = static_cast<int64_t>(std::strlen(folder));
  const int64_t k = n < fieldLength ? n : fieldLength;
  if (k > 0) std::memcpy(field, folder, static_cast<size_t>(k));
  return count;
}

}  // namespace

STANDIN_API int32_t HostRunStart(void* module, const char* programFolder, const char* jobPath,
                                 const char* runModeWord) {
  GantryCall* c = NewCall(23);
  c->address[0] = module;
  CopyText(c, 0, programFolder);
  CopyText(c, 1, jobPath);
  CopyText(c, 2, runModeWord);
  RunHook(23);
  return 0;
}

STANDIN_API int32_t HostExceptionDecision(int32_t zero, uint32_t exceptionCode,
                                          void* exceptionPointers, const char* emptyText,
                                          int32_t* errorCode) {
  GantryCall* c = NewCall(24);
  c->value[0] = zero;
  c->value[1] = exceptionCode;
  c->address[0] = exceptionPointers;
  c->address[1] = errorCode;
  CopyText(c, 0, emptyText);
  if (g_script.writeError && errorCode) *errorCode = g_script.errorCode;
  RunHook(24);
  return g_script.disposition;
}

STANDIN_API int32_t HostFileNotice(void) {
  NewCall(29);
  RunHook(29);
  return 0;
}

STANDIN_API int64_t HostDataFolder(char* field, int64_t fieldLength) {
  return FolderQuery(33, g_script.dataFolder, g_script.dataCount, field, fieldLength);
}

STANDIN_API int64_t HostSecondFolder(char* field, int64_t fieldLength) {
  return FolderQuery(35, g_script.secondFolder, g_script.secondCount, field, fieldLength);
}

STANDIN_API int32_t HostSetTraceLevel(const int64_t* level) {
  GantryCall* c = NewCall(15);
  c->address[0] = level;
  c->value[0] = level ? *level : 0;
  RunHook(15);
  return 0;
}

STANDIN_API int32_t HostReportOpenFailure(const char* path, int64_t length) {
  GantryCall* c = NewCall(25);
  c->address[0] = path;
  c->value[0] = length;
  const int64_t k = length < kGantryTextSize - 1 ? length : kGantryTextSize - 1;
  if (path && k > 0) std::memcpy(c->text[0], path, static_cast<size_t>(k));
  c->textLength[0] = k > 0 ? k : 0;
  RunHook(25);
  return 0;
}

STANDIN_API int32_t HostUsesAsmeLibrary(void) {
  NewCall(39);
  RunHook(39);
  return g_script.usesAsme;
}

STANDIN_API int32_t HostPassText(const char* text) {
  GantryCall* c = NewCall(41);
  c->address[0] = text;
  CopyText(c, 0, text);
  RunHook(41);
  return g_script.passTextResult;
}

STANDIN_API void GantryStandin_Reset(void) {
  g_script = Script{};
  g_log.Clear();
}
STANDIN_API int32_t GantryStandin_CallCount(void) { return g_log.count; }
STANDIN_API const GantryCall* GantryStandin_Call(int32_t index) { return g_log.At(index); }
STANDIN_API int32_t GantryStandin_CountOf(int32_t ordinal) {
  int32_t n = 0;
  for (int32_t i = 0; i < g_log.count; ++i) n += g_log.calls[i].ordinal == ordinal;
  return n;
}
STANDIN_API const GantryCall* GantryStandin_LastOf(int32_t ordinal) {
  for (int32_t i = g_log.count - 1; i >= 0; --i) {
    if (g_log.calls[i].ordinal == ordinal) return &g_log.calls[i];
  }
  return nullptr;
}
STANDIN_API void GantryStandin_SetExceptionAnswer(int32_t disposition, int32_t writeError,
                                                  int32_t errorCode) {
  g_script.disposition = disposition;
  g_script.writeError = writeError;
  g_script.errorCode = errorCode;
}
STANDIN_API void GantryStandin_SetDataFolder(const char* folder, int64_t countReturned) {
  std::strncpy(g_script.dataFolder, folder ? folder : "", kGantryTextSize - 1);
  g_script.dataCount = countReturned;
}
STANDIN_API void GantryStandin_SetSecondFolder(const char* folder, int64_t countReturned) {
  std::strncpy(g_script.secondFolder, folder ? folder : "", kGantryTextSize - 1);
  g_script.secondCount = countReturned;
}
STANDIN_API void GantryStandin_SetUsesAsme(int32_t answer) { g_script.usesAsme = answer; }
STANDIN_API void GantryStandin_SetPassTextResult(int32_t answer) {
  g_script.passTextResult = answer;
}
STANDIN_API void GantryStandin_SetHook(int32_t ordinal, void (*hook)(void)) {
  if (ordinal >= 0 && ordinal < kMaxOrdinal) g_script.hooks[ordinal] = hook;
}
