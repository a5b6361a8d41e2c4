// The structured-exception frame, for x86-64 Windows.
//
// GCC has no __try/__except, so the frame is a small function written in
// assembly whose unwind data names GuardHandler as its exception handler. The
// function keeps the filter and its context in its own stack frame, so guards
// may nest (a test's outer frame around the run's own guard). When the filter
// abandons the call, the handler unwinds every frame above the guard and
// resumes at the guard's exit with 1 in RAX, which the guard returns.
#include "entry/exception_guard.h"

#include <windows.h>

extern "C" {
int32_t veskar_guarded_call(void (*body)(void*), void* bodyArgument, ExceptionFilter filter,
                            void* filterContext);
extern char veskar_guarded_call_abandoned[];
EXCEPTION_DISPOSITION veskar_guard_handler(EXCEPTION_RECORD* record, void* establisherFrame,
                                           CONTEXT* context, DISPATCHER_CONTEXT* dispatch);
}

// Frame layout, from the stack pointer after the prologue: 32 bytes of home
// space for the body's arguments, the filter at +32, its context at +40, and
// 8 bytes that keep the stack 16-byte aligned at the call.
asm(R"(
  .text
  .p2align 4
  .globl veskar_guarded_call
  .globl veskar_guarded_call_abandoned
  .def veskar_guarded_call; .scl 2; .type 32; .endef
  .seh_proc veskar_guarded_call
veskar_guarded_call:
  subq $56, %rsp
  .seh_stackalloc 56
  .seh_endprologue
  .seh_handler veskar_guard_handler, @except
  movq %r8, 32(%rsp)
  movq %r9, 40(%rsp)
  movq %rcx, %rax
  movq %rdx, %rcx
  call *%rax
  xorl %eax, %eax
veskar_guarded_call_abandoned:
  addq $56, %rsp
  ret
  .seh_endproc
)");

extern "C" EXCEPTION_DISPOSITION veskar_guard_handler(EXCEPTION_RECORD* record,
                                                      void* establisherFrame, CONTEXT* context,
                                                      DISPATCHER_CONTEXT* dispatch) {
  if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) {
    return ExceptionContinueSearch;
  }
  void* const* slots = static_cast<void* const*>(establisherFrame);
  const auto filter = reinterpret_cast<ExceptionFilter>(slots[4]);
  void* const filterContext = slots[5];
  EXCEPTION_POINTERS pointers{record, context};
  const int32_t disposition = filter(filterContext, record->ExceptionCode, &pointers);
  if (disposition < 0) return ExceptionContinueExecution;
  if (disposition == 0) return ExceptionContinueSearch;
  ::RtlUnwindEx(establisherFrame, veskar_guarded_call_abandoned, record, reinterpret_cast<void*>(1),
                dispatch->ContextRecord, dispatch->HistoryTable);
  return ExceptionContinueSearch;  // not reached: the unwind resumes in the guard
}

int32_t CallWithExceptionGuard(void (*body)(void*), void* bodyArgument, ExceptionFilter filter,
                               void* filterContext) {
  return veskar_guarded_call(body, bodyArgument, filter, filterContext);
}
