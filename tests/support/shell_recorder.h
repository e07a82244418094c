// Makes the shell of the test prefix open help, text and HTML files with ShellRecorder.exe.
#pragma once

#include <string>
#include <vector>

namespace quorvel::test {

// Registers ShellRecorder.exe of `buildFolder` as the program for .hlp, .txt and .html files and
// makes `logPath` its log for this process and the processes it starts.
void UseShellRecorder(const std::string& buildFolder, const std::string& logPath);

// The command lines the recorder was started with so far, waiting up to `waitMs` for at least
// `atLeast` of them (the shell starts programs without waiting for them).
std::vector<std::string> RecordedOpenings(const std::string& logPath, size_t atLeast = 0, int waitMs = 10000);

}  // namespace quorvel::test
