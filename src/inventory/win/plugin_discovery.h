// The plug-in inventory: every "*.DLL" of the host's two PlugIns folders, sorted.
#pragma once

#include <string>
#include <vector>

namespace quorvel::win {

inline constexpr char kPlugInFolder[] = "PlugIns\\";

// The host's plug-in folders, each ending with "\": the host program folder's PlugIns\, then the
// host data folder's when the host API is bound and it is another folder. A folder the host does
// not name is left out.
std::vector<std::string> HostPlugInFolders();

// The full paths of the installed plug-in modules: first the host program folder's PlugIns\, then
// the host data folder's (when the host API is bound and it is another folder), sorted stably by
// their upper-cased form.
std::vector<std::string> ListPlugInFiles();

}  // namespace quorvel::win
