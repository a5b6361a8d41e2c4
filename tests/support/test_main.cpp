// The main of every test program. Under Wine an unhandled exception can end a
// process with exit status 0; here it always ends the process with 0xE0, so a
// crash fails the run.
#include <gtest/gtest.h>

#include <cstdio>

#ifdef _WIN32
#include <windows.h>

static LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info) {
  std::fprintf(stderr, "test program crashed: exception 0x%08lX at %p\n",
               info->ExceptionRecord->ExceptionCode, info->ExceptionRecord->ExceptionAddress);
  std::fflush(stderr);
  std::fflush(stdout);
  ::TerminateProcess(::GetCurrentProcess(), 0xE0);
  return EXCEPTION_EXECUTE_HANDLER;
}
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
  ::SetUnhandledExceptionFilter(ReportCrash);
  ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
#endif
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
