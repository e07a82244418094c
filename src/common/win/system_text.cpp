#include "common/win/system_text.h"

#include <windows.h>

#include "common/language.h"
#include "common/paths.h"
#include "common/win/handles.h"

namespace quorvel::win {
namespace {

std::optional<DirEntry> LookUpEntry(const std::string& path, bool anyAttributes) {
  // A wildcard would match some other entry and put its name into the path.
  if (path.find_first_of("*?") != std::string::npos) return std::nullopt;
  WIN32_FIND_DATAA found{};
  const UniqueFind search(NullIfInvalid(FindFirstFileA(path.c_str(), &found)));
  if (!search) return std::nullopt;
  if (!anyAttributes && (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))) {
    return std::nullopt;
  }
  return DirEntry{found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0};
}

}  // namespace

LeadBytes SystemLeadBytes() {
  return LeadBytes::From([](unsigned char b) { return IsDBCSLeadByte(b) != FALSE; });
}

std::string AnsiUpperCase(std::string text) {
  // Every code page cases ASCII alike, and the names and headers of mail are nearly always ASCII:
  // those need no call of the system (a few per retrieved message).
  bool ascii = true;
  for (char& c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      ascii = false;
      break;
    }
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  if (!ascii) CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

bool IsJapanese() {
  char languageName[128] = {};
  VerLanguageNameA(GetSystemDefaultLangID(), languageName, sizeof languageName);
  return IsJapaneseFor(AnsiUpperCase(GetCommandLineA()), languageName);
}

std::string ExpandLongPath(const std::string& path) {
  return quorvel::ExpandLongPath(path, SystemLeadBytes(), LookUpEntry);
}

std::string FolderOf(const std::string& path) {
  return quorvel::FolderOf(path, SystemLeadBytes());
}

}  // namespace quorvel::win
