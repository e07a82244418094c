#include "inventory/win/fault_guard.h"

#include <windows.h>
#include <intrin.h>

// The two architectures find exception handlers differently, so each has its own guard below; both
// let the foreign code's own handlers run first and stop only what would escape it.
namespace quorvel::win {

#if defined(__i386__)
namespace {

// x86: a frame of the thread's exception handler chain (the list at fs:[0]), with the place to jump
// back to. The system passes the frame's address to its handler, so the link must come first.
struct GuardFrame {
  EXCEPTION_REGISTRATION_RECORD link;
  void* resume[5];  // __builtin_setjmp buffer
};

EXCEPTION_DISPOSITION NTAPI StopAtGuard(EXCEPTION_RECORD* record, void* frame, CONTEXT*, void*) {
  if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) return ExceptionContinueSearch;
  // Let the handlers of the frames above this one clean up, then leave them behind.
  RtlUnwind(frame, nullptr, record, nullptr);
  __builtin_longjmp(static_cast<GuardFrame*>(frame)->resume, 1);
}

}  // namespace

__attribute__((noinline)) bool CallContainingFaults(void (*call)(void*), void* argument) {
  GuardFrame guard;
  guard.link.Next = reinterpret_cast<EXCEPTION_REGISTRATION_RECORD*>(__readfsdword(0));
  guard.link.Handler = StopAtGuard;
  volatile bool returned = false;
  if (__builtin_setjmp(guard.resume) == 0) {
    __writefsdword(0, reinterpret_cast<DWORD>(&guard.link));
    call(argument);
    returned = true;
  }
  // Whichever way the call ended, the chain is as it was before.
  __writefsdword(0, reinterpret_cast<DWORD>(guard.link.Next));
  return returned;
}

int CallWithOneArgument(void* function, void* argument) {
  // The stack pointer is kept in esi, which every x86 calling convention has the callee preserve.
  int result;
  asm volatile(
      "movl %%esp, %%esi\n\t"
      "pushl %[argument]\n\t"
      "call *%[function]\n\t"
      "movl %%esi, %%esp"
      : "=a"(result)
      : [function] "r"(function), [argument] "r"(argument)
      : "esi", "ecx", "edx", "memory", "cc");
  return result;
}

#elif defined(__x86_64__)

// x64: handlers are found through the unwind tables of the code on the stack, not through a chain.
// The small function below carries a handler in its own table entry; an exception that leaves the
// foreign code reaches it, and it unwinds the foreign frames (their clean-up runs) back to the
// function's resume point, which returns false.
extern "C" {
bool quorvel_call_guarded(void (*call)(void*), void* argument);
extern const char quorvel_guard_resume[];
EXCEPTION_DISPOSITION quorvel_stop_at_guard(EXCEPTION_RECORD* record, void* frame, CONTEXT* context,
                                            DISPATCHER_CONTEXT* dispatch) {
  if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) return ExceptionContinueSearch;
  RtlUnwindEx(frame, const_cast<char*>(quorvel_guard_resume), record, nullptr, context,
              dispatch->HistoryTable);
  return ExceptionContinueSearch;  // not reached: the unwind resumes at quorvel_guard_resume
}
}

asm(R"(
    .section .text$quorvel_call_guarded,"x"
    .def quorvel_call_guarded; .scl 2; .type 32; .endef
    .globl quorvel_call_guarded
    .seh_proc quorvel_call_guarded
quorvel_call_guarded:
    subq $40, %rsp
    .seh_stackalloc 40
    .seh_handler quorvel_stop_at_guard, @except
    .seh_endprologue
    movq %rcx, %rax
    movq %rdx, %rcx
    callq *%rax
    movl $1, %eax
    addq $40, %rsp
    retq
quorvel_guard_resume:
    xorl %eax, %eax
    addq $40, %rsp
    retq
    .seh_endproc
)");

bool CallContainingFaults(void (*call)(void*), void* argument) {
  return quorvel_call_guarded(call, argument);
}

// x64 has one calling convention, in which the caller removes what it passed.
int CallWithOneArgument(void* function, void* argument) {
  return reinterpret_cast<int (*)(void*)>(function)(argument);
}

#else
#error "the fault guard knows x86 and x64 only"
#endif

}  // namespace quorvel::win
