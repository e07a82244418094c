// Where the module's own file lies: the settings file, the help and the list file are beside it.
#pragma once

#include <string>

namespace quorvel::win {

// Full long path of the module file, worked out once from the module's own instance, under any file
// name and in any folder. Empty when the system cannot name it.
const std::string& GetOwnFileName();

// GetOwnFileName up to and including its last delimiter; empty when that is empty.
const std::string& GetOwnFolder();

}  // namespace quorvel::win
