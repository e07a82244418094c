// A plug-in that faults ends the host with a line saying so, instead of a debugger dialog that
// nobody would close.
#pragma once

namespace b2host {

inline constexpr int kCrashExitCode = 3;

// Prints "host crashed: exception 0x... at <module>+0x..." and ends the process with kCrashExitCode.
void ReportCrashes();

}  // namespace b2host
