// The help file beside the module, chosen by language, and the message when it is missing.
#pragma once

#include <string>

#include "common/shown_text.h"

namespace quorvel {

inline constexpr char kEnglishHelpEnding[] = "E.hlp";
inline constexpr char kJapaneseHelpEnding[] = ".hlp";
// Current Windows opens no help files any more: the same help as pages, used when no help file of
// the language is there.
inline constexpr char kEnglishPageEnding[] = "E.html";
inline constexpr char kJapanesePageEnding[] = ".html";

struct MissingHelpMessage {
  ShownText text;       // the path in the system's code page, then the module's words
  const char* caption;  // the module's own
};

// Names the help file that could not be found, in the language in force.
MissingHelpMessage MissingHelp(const std::string& path, bool japanese);

}  // namespace quorvel
