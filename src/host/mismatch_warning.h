// The warning shown at load when the host does not export every function the module binds.
#pragma once

#include <string>

namespace quorvel {

inline constexpr char kMismatchCaption[] = "Quorvel";

std::string MismatchWarningText(bool japanese);

}  // namespace quorvel
