// Small text rules shared by the header parsing and the version watch.
#pragma once

#include <cstddef>
#include <string_view>

namespace quorvel {

// Without the characters of code 32 or less (space, TAB, CR, LF, other control bytes) at both ends.
std::string_view Trimmed(std::string_view text);

// Header names and the markers searched in headers are ASCII. The system's upper- and lower-casing
// keeps ASCII letters ASCII, turns no other byte into one of them and leaves double-byte characters
// whole, so comparing ASCII letters without regard to case gives the same answers as casing the text
// first, at the same positions, with no copy of the text.

// Whether `text` begins with `upperPrefix` (upper-case ASCII), letter case of `text` ignored.
bool StartsWithNoCase(std::string_view text, std::string_view upperPrefix);

// Position of the first occurrence of `upperPattern` (upper-case ASCII) in `text`, letter case of
// `text` ignored; npos if none.
size_t FindNoCase(std::string_view text, std::string_view upperPattern);

}  // namespace quorvel
