// A structured-exception frame around one call.
//
// On Windows, CallWithExceptionGuard runs body(bodyArgument) inside a real
// structured-exception frame: when an exception is raised anywhere inside the
// call, filter(filterContext, exception code, EXCEPTION_POINTERS*) decides, as
// a Windows exception filter does:
//    1  the call is abandoned; CallWithExceptionGuard returns 1
//    0  the exception goes on to the handlers outside the frame
//   -1  execution resumes where the exception was raised
// The native build has no structured exceptions: the body is simply called
// and the filter is never used.
#pragma once

#include <cstdint>

using ExceptionFilter = int32_t (*)(void* context, uint32_t code, void* exceptionPointers);

// 0 when the body returned, 1 when the filter abandoned it.
int32_t CallWithExceptionGuard(void (*body)(void*), void* bodyArgument, ExceptionFilter filter,
                               void* filterContext);
