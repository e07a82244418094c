// The steps a run of the host carries out, each written "name" or "name:parameter".
#pragma once

#include <string>

namespace b2host {

class Host;

// Carries out one step; false when it could not be done (an unknown step, a missing file, no
// compose window), which makes the host end with exit code 2.
bool RunStep(Host& host, const std::wstring& step);

}  // namespace b2host
