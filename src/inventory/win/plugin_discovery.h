// The plug-in inventory: every "*.DLL" of the host's two PlugIns folders, sorted.
#pragma once

#include <string>
#include <vector>

namespace quorvel::win {

inline constexpr char kPlugInFolder[] = "PlugIns\\";

// The full paths of the installed plug-in modules: first the host program folder's PlugIns\, then
// the host data folder's (when the host API is bound and it is another folder), sorted stably by
// their upper-cased form.
std::vector<std::string> ListPlugInFiles();

}  // namespace quorvel::win
