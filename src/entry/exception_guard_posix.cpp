// Native build: no structured exceptions exist, so the guard is a plain call
// and a fault inside the body ends the process as any other fault would.
#include "entry/exception_guard.h"

int32_t CallWithExceptionGuard(void (*body)(void*), void* bodyArgument, ExceptionFilter, void*) {
  body(bodyArgument);
  return 0;
}
