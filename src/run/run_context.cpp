// The run context record and its getters.
#include "run/run_context.h"

#include <cstring>

RunContext g_runContext;

const char* GetProgramDir() { return g_runContext.programFolder; }
const char* GetTempDir() { return g_runContext.tempFolder; }
const char* GetInputDir() { return g_runContext.inputFolder; }
const char* GetBaseName() { return g_runContext.baseName; }
const char* GetRunId() { return g_runContext.runId; }

void SetHostWindow(void* window) { g_runContext.hostWindow = window; }
void* GetHostWindow() { return g_runContext.hostWindow; }
void SetEntryOption(int32_t option) { g_runContext.entryOption = option; }
int32_t GetEntryOption() { return g_runContext.entryOption; }

void* GetModuleHandleOfLibrary() { return g_runContext.moduleHandle; }
void SetModuleHandleOfLibrary(void* module) { g_runContext.moduleHandle = module; }

void ResetRunContextForTests() {
  void* const module = g_runContext.moduleHandle;
  g_runContext = RunContext{};
  g_runContext.moduleHandle = module;
}
