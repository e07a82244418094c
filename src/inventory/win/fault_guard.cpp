#include "inventory/win/fault_guard.h"

#include <windows.h>
#include <intrin.h>

namespace quorvel::win {
namespace {

// A frame of the thread's exception handler chain (the list at fs:[0]), with the place to jump back
// to. The system passes the frame's address to its handler, so the link must come first.
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

}  // namespace quorvel::win
