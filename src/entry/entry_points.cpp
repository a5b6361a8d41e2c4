// VESKAR and VESKAR_VB: the shell around one run.
#include "entry/entry_points.h"

#include <charconv>
#include <cstring>

#include "engine/main/main_calculation.h"
#include "entry/exception_guard.h"
#include "entry/report_conversion.h"
#include "entry/run_cleanup.h"
#include "entry/run_setup.h"
#include "host/gantry.h"
#include "host/relay.h"
#include "os/os.h"
#include "run/results_writer.h"
#include "run/run_context.h"

namespace {

void (*g_guardedCalculation)() = &MaterialEngineMain;

void RunCalculation(void*) { g_guardedCalculation(); }

// The guard's filter: the host decides what an exception means and may set
// the run's error code. The results file is flushed first, so that what was
// written before the exception is in the file whatever the host decides.
int32_t AskHostAboutException(void* errorCode, uint32_t code, void* exceptionPointers) {
  FlushResultsFile();
  return HostExceptionDecision(0, code, exceptionPointers, "", static_cast<int32_t*>(errorCode));
}

}  // namespace

void SetGuardedCalculationForTests(void (*calculation)()) {
  g_guardedCalculation = calculation ? calculation : &MaterialEngineMain;
}

extern "C" int32_t VESKAR(int32_t hostWindow, const char* programFolder, const char* jobPath,
                          const char* runModeWord, int32_t option) {
  HostRunStart(GetModuleHandleOfLibrary(), programFolder, jobPath, runModeWord);
  SetHostWindow(reinterpret_cast<void*>(static_cast<intptr_t>(hostWindow)));
  SetEntryOption(option);
  WriteMessage("VESKAR -> Starting the calculation...");

  char runId[kRunIdSize];
  MakeRunId(runId);
  SetUpRunContext(programFolder, jobPath, "1", runModeWord, runId);

  // A results file still open from a run the host abandoned is closed first:
  // Windows does not delete an open file. A name that does not fit is neither
  // deleted nor opened: the writers then write nothing, as when the open fails.
  CloseResultsFile();
  char resultsFile[kRunFolderSize];
  if (MakeResultsFileName(jobPath, resultsFile)) {
    os::RemoveFile(resultsFile);
    OpenResultsFile(resultsFile);
  }

  // Only the host's exception decision changes the error code. A program
  // folder, input folder or base name that did not fit its field is empty in
  // the engine's copy, so the calculation would read its run input and
  // databases from the current folder: it is not run at all.
  int32_t errorCode = 0;
  const RunContext& c = g_runContext;
  if (c.programFolderFits && c.inputFolderFits && c.baseNameFits) {
    CallWithExceptionGuard(&RunCalculation, nullptr, &AskHostAboutException, &errorCode);
  }

  CloseResultsFile();
  ConvertRunReport();
  CleanUpRunFiles();

  if (errorCode != 0) {
    char message[kRunFolderSize] = "VESKAR -> Error occurred. Error code = ";
    const size_t n = std::strlen(message);
    const auto r = std::to_chars(message + n, message + sizeof message - 1, errorCode);
    *r.ptr = '\0';
    WriteMessage(message);
  } else {
    WriteMessage("VESKAR -> Calculation is done.");
  }
  return errorCode;
}

extern "C" int32_t VESKAR_VB(int32_t hostWindow, const char* programFolder, const char* jobPath,
                             const char* runModeWord, int32_t option) {
  return VESKAR(hostWindow, programFolder, jobPath, runModeWord, option);
}
