#pragma once

#include <string>
#include <vector>

namespace quorvel::win {

// The names of the files in `folder` (ending with "\") that match `pattern`, whatever their
// attributes, in the order the system gives them; folders and volume labels are left out.
std::vector<std::string> ListFileNames(const std::string& folder, const std::string& pattern);

// Whether a file (not a folder) exists at `path`.
bool FileExists(const std::string& path);

}  // namespace quorvel::win
