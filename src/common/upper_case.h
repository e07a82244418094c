#pragma once

#include <string>

namespace quorvel {

// The system's upper-casing of ANSI text, handed to the core by the shell; it keeps the length.
using UpperCase = std::string (*)(std::string);

}  // namespace quorvel
