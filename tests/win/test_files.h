// Files and folders for the Windows-side tests.
#pragma once

#include <windows.h>

#include <string>

namespace quorvel::test {

// The folder of the running test program, with its final "\".
inline std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string full(path);
  return full.substr(0, full.find_last_of('\\') + 1);
}

// A new empty folder under the temporary folder, removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    for (unsigned n = GetTickCount();; ++n) {
      path_ = std::string(temp) + "quorvel-test-" + std::to_string(GetCurrentProcessId()) + "-" +
              std::to_string(n) + "\\";
      if (CreateDirectoryA(path_.c_str(), nullptr)) break;
    }
  }
  ~TempFolder() { RemoveTree(path_); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }

 private:
  static void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = folder + name;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveTree(path + "\\");
        } else {
          DeleteFileA(path.c_str());
        }
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
  }
  std::string path_;
};

inline void WriteFileBytes(const std::string& path, const std::string& bytes) {
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

// A path written as a value of the test plug-in's .cfg file, whose values take backslash escapes.
inline std::string CfgPath(const std::string& path) {
  std::string escaped;
  for (char c : path)
    escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
  return escaped;
}

}  // namespace quorvel::test
