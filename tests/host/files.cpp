#include "files.h"

#include <windows.h>

#include <algorithm>

#include "text.h"
#include "win_handle.h"

namespace b2host {

bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return false;
  bytes.clear();
  char buffer[65536];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) return false;
    if (got == 0) return true;
    bytes.append(buffer, got);
  }
}

std::wstring ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

std::wstring FolderPath(const std::wstring& folder) {
  std::wstring full = folder;
  DWORD n = GetFullPathNameW(folder.c_str(), 0, nullptr, nullptr);
  if (n > 0) {
    full.assign(n, L'\0');
    n = GetFullPathNameW(folder.c_str(), n, full.data(), nullptr);
    full.resize(n);
  }
  if (full.empty() || (full.back() != L'\\' && full.back() != L'/')) full += L'\\';
  return full;
}

std::wstring ResolveAgainst(const std::wstring& base, const std::wstring& path) {
  bool absolute = (path.size() >= 2 && path[1] == L':') || StartsWith(path, L"\\") || StartsWith(path, L"/");
  return absolute ? path : base + path;
}

std::vector<std::wstring> DllFileNames(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  UniqueFind find(FindFirstFileW((folder + L"*").c_str(), &found));
  if (find.get() == INVALID_HANDLE_VALUE) return names;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    std::wstring name = found.cFileName;
    if (name.size() >= 4 && Upper(name.substr(name.size() - 4)) == L".DLL") names.push_back(name);
  } while (FindNextFileW(find.get(), &found));
  std::sort(names.begin(), names.end(),
            [](const std::wstring& a, const std::wstring& b) { return Upper(a) < Upper(b); });
  return names;
}

}  // namespace b2host
