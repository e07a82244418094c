// Where the module's own file lies: the settings file, the help and the list file are beside it.
#pragma once

#include <string>

namespace quorvel::win {

// Full long path of the module file, worked out once. The module is looked for as "Quorvel.dll";
// installed under another name, it is found by its plug-in name in the host program folder's
// PlugIns\, then (once the host API is bound) the host data folder's. Empty when all fail.
const std::string& GetOwnFileName();

// GetOwnFileName up to and including its last delimiter; empty when that is empty.
const std::string& GetOwnFolder();

}  // namespace quorvel::win
