// The message when the list file cannot be written: the user asked for the list and gets none.
#pragma once

#include <string>

#include "common/shown_text.h"

namespace quorvel {

struct ListFileFailure {
  ShownText text;       // the file's path and the system's reason, in the system's code page
  const char* caption;  // the module's own
};

// Names the file that could not be written and why (`reason`, the system's words; may be empty), in
// the language in force.
ListFileFailure ListFileFailureMessage(const std::string& path, const std::string& reason, bool japanese);

}  // namespace quorvel
