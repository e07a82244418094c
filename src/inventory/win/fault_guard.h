// Calls into foreign code (another vendor's plug-in) so that a fault there ends the call instead of
// the host: access violations, illegal instructions and any other exception that the foreign code
// does not handle itself.
#pragma once

namespace quorvel::win {

// Runs call(argument). True when it returned normally; false when an exception left it. Handlers of
// the foreign code still run first: only what would escape it is stopped here.
bool CallContainingFaults(void (*call)(void* argument), void* argument);

// Calls a foreign function that takes one 32-bit argument and removes it from the stack (stdcall),
// with the stack pointer put back as it was whatever the function removes: one declared cdecl, or
// with another number of arguments, returns with the stack pointer off, and its caller would then
// return through whatever lies there. Gives the function's 32-bit result.
int CallWithOneArgument(void* function, void* argument);

}  // namespace quorvel::win
