// Where the host program lives. Each text is worked out at its first use and then kept.
#pragma once

#include <string>

namespace quorvel::win {

// Full long path of the executable of the process that loaded the module.
const std::string& GetHostProgramPath();

// GetHostProgramPath up to and including its last delimiter, so it ends with "\".
const std::string& GetHostProgramFolder();

}  // namespace quorvel::win
