// ShellRecorder.exe: stands in for the programs that the shell would open documents with, so tests
// see what a module asked the shell to open instead of a viewer window. It appends its command line
// to the file named by QUORVEL_SHELL_LOG.
#include <windows.h>

int main() {
  char log[MAX_PATH] = {};
  if (!GetEnvironmentVariableA("QUORVEL_SHELL_LOG", log, MAX_PATH)) return 1;
  const HANDLE file = CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 2;
  const char* line = GetCommandLineA();
  DWORD written = 0;
  WriteFile(file, line, lstrlenA(line), &written, nullptr);
  WriteFile(file, "\r\n", 2, &written, nullptr);
  CloseHandle(file);
  return 0;
}
