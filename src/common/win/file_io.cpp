#include "common/win/file_io.h"

#include <windows.h>

#include <algorithm>

#include "common/win/handles.h"
#include "common/win/system_text.h"

namespace quorvel::win {
namespace {

bool WriteAll(HANDLE file, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

}  // namespace

FileRead ReadWholeFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileRead::kMissing
                                                                          : FileRead::kUnreadable;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return FileRead::kUnreadable;

  const UniqueFile file(NullIfInvalid(CreateFileA(path.c_str(), GENERIC_READ,
                                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
  if (!file) return FileRead::kUnreadable;
  char buffer[65536];
  while (true) {
    DWORD got = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) return FileRead::kUnreadable;
    if (got == 0) return FileRead::kRead;
    bytes.append(buffer, got);
  }
}

bool ReplaceWholeFile(const std::string& path, const std::string& bytes) {
  std::string folder = FolderOf(path);
  if (folder.empty()) folder = ".\\";
  char temporary[MAX_PATH] = {};
  if (!GetTempFileNameA(folder.c_str(), "qvl", 0, temporary)) return false;

  bool written;
  {
    const UniqueFile file(NullIfInvalid(
        CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)));
    written = file && WriteAll(file.get(), bytes) && FlushFileBuffers(file.get());
  }
  if (written && MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DeleteFileA(temporary);
  return false;
}

unsigned long WriteWholeFile(const std::string& path, const std::string& bytes) {
  const UniqueFile file(NullIfInvalid(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)));
  if (!file) return GetLastError();
  if (!WriteAll(file.get(), bytes)) {
    const DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? error : ERROR_WRITE_FAULT;
  }
  return ERROR_SUCCESS;
}

}  // namespace quorvel::win
