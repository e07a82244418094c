#include "common/win/folder_listing.h"

#include <windows.h>

#include "common/win/handles.h"

namespace quorvel::win {

std::vector<std::string> ListFileNames(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  const UniqueFind search(NullIfInvalid(FindFirstFileA((folder + pattern).c_str(), &found)));
  if (!search) return names;
  do {
    constexpr DWORD kVolumeLabel = 0x08;
    if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | kVolumeLabel)) continue;
    names.emplace_back(found.cFileName);
  } while (FindNextFileA(search.get(), &found));
  return names;
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace quorvel::win
