#include "shell_recorder.h"

#include <windows.h>

#include "pe_image.h"
#include "text_lines.h"

namespace quorvel::test {
namespace {

void SetDefaultValue(const std::string& key, const std::string& value) {
  HKEY opened = nullptr;
  if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &opened, nullptr) !=
      ERROR_SUCCESS) {
    return;
  }
  RegSetValueExA(opened, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
  RegCloseKey(opened);
}

}  // namespace

void UseShellRecorder(const std::string& buildFolder, const std::string& logPath) {
  const std::string fileType = "QuorvelTest.Document";
  for (const char* extension : {".hlp", ".txt", ".html"})
    SetDefaultValue(extension, fileType);
  SetDefaultValue(fileType + "\\shell\\open\\command", "\"" + buildFolder + "ShellRecorder.exe\" \"%1\"");
  SetEnvironmentVariableA("QUORVEL_SHELL_LOG", logPath.c_str());
}

std::vector<std::string> RecordedOpenings(const std::string& logPath, size_t atLeast, int waitMs) {
  std::vector<std::string> lines = SplitLines(ReadWholeFile(logPath));
  for (int waited = 0; lines.size() < atLeast && waited < waitMs; waited += 50) {
    Sleep(50);
    lines = SplitLines(ReadWholeFile(logPath));
  }
  return lines;
}

}  // namespace quorvel::test
