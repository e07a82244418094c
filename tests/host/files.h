// File and folder helpers of the host; paths are wide so any file name works under any code page.
#pragma once

#include <string>
#include <vector>

namespace b2host {

bool ReadWholeFile(const std::wstring& path, std::string& bytes);

// The folder of the running host, with a final backslash.
std::wstring ProgramFolder();

// `folder` made absolute, with a final backslash.
std::wstring FolderPath(const std::wstring& folder);

// `path` resolved against `base` (a folder ending in a backslash) unless it is already absolute.
std::wstring ResolveAgainst(const std::wstring& base, const std::wstring& path);

// Names of the files (not folders) in `folder` whose extension is ".DLL" in any case, sorted by
// name case-insensitively.
std::vector<std::wstring> DllFileNames(const std::wstring& folder);

}  // namespace b2host
