// Calls into foreign code (another vendor's plug-in) so that a fault there ends the call instead of
// the host: access violations, illegal instructions and any other exception that the foreign code
// does not handle itself.
#pragma once

namespace quorvel::win {

// Runs call(argument). True when it returned normally; false when an exception left it. Handlers of
// the foreign code still run first: only what would escape it is stopped here.
bool CallContainingFaults(void (*call)(void* argument), void* argument);

}  // namespace quorvel::win
