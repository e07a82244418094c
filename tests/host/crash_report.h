// A plug-in that faults ends the host with a line saying so, instead of a debugger dialog that
// nobody would close.
#pragma once

#include <string>

namespace b2host {

inline constexpr int kCrashExitCode = 3;

// What the host knows about an address that a plug-in could not read ("" for nothing).
using AddressDescriber = std::wstring (*)(const void* address);

// Prints "host crashed: exception 0x... at <module>+0x..." and ends the process with kCrashExitCode.
// For an access violation at an address that `describe` knows, " (the address is in <what>)" follows.
void ReportCrashes(AddressDescriber describe);

}  // namespace b2host
