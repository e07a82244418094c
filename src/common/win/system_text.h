// The system's text rules for the ANSI code page, and the services built on them.
#pragma once

#include <string>

#include "common/dbcs.h"

namespace quorvel::win {

// The lead-byte rule of the system's ANSI code page.
LeadBytes SystemLeadBytes();

// Upper-cased by the system's ANSI rules; the length stays the same.
std::string AnsiUpperCase(std::string text);

// The language in force, worked out afresh on every call from the host's command line and the
// system's default language.
bool IsJapanese();

// The long form of a path on this file system (see quorvel::ExpandLongPath).
std::string ExpandLongPath(const std::string& path);

// The folder part of a path, ending with its delimiter.
std::string FolderOf(const std::string& path);

}  // namespace quorvel::win
