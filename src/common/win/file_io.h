// Reading and replacing whole files.
#pragma once

#include <optional>
#include <string>

namespace quorvel::win {

enum class FileRead { kRead, kMissing, kUnreadable };

// The bytes of the file at `path`: kMissing when there is no such file, kUnreadable when it exists
// but cannot be opened or read (locked, no permission).
FileRead ReadWholeFile(const std::string& path, std::string& bytes);

// Replaces the file at `path` with `bytes` in one step: they go to a new file beside it first, which
// then takes the old one's place. When anything fails the old file stays as it was and no temporary
// file is left behind.
bool ReplaceWholeFile(const std::string& path, const std::string& bytes);

// Creates or truncates the file at `path` and writes `bytes`. 0 when it did, else the system's error
// code of what failed.
unsigned long WriteWholeFile(const std::string& path, const std::string& bytes);

}  // namespace quorvel::win
