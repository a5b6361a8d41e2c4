// The library's load callback: it records the module handle on every call,
// whatever the reason, and does nothing else.
#include <windows.h>

#include "run/run_context.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD, LPVOID) {
  SetModuleHandleOfLibrary(module);
  return TRUE;
}
