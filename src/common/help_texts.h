// The help file beside the module, chosen by language, and the message when it is missing.
#pragma once

#include <string>

namespace quorvel {

inline constexpr char kEnglishHelpEnding[] = "E.hlp";
inline constexpr char kJapaneseHelpEnding[] = ".hlp";

struct MissingHelpMessage {
  std::string text, caption;
};

// Names the help file that could not be found, in the language in force.
MissingHelpMessage MissingHelp(const std::string& path, bool japanese);

}  // namespace quorvel
