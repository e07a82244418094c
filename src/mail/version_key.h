// Version keys: free-form version texts (ver. 2.05.07, Ver.0.01 Rev.4) turned into texts of
// four-digit groups that compare byte by byte.
#pragma once

#include <string>
#include <string_view>

namespace quorvel {

// Every digit run becomes a group of four digits. A run right after a "/" is a fraction: its first
// four digits, zeros added on the right (05 -> 0500). Any other run is a whole number: its last four
// digits, zeros added on the left (2 -> 0002, 12345 -> 2345), however long the run. A dot after a
// digit puts "/" behind the group; a dot at the start or after a space puts "0000/"; other dots are
// ignored. Anything else between groups becomes one space, and a "/" that no digits follow gets
// the zero group. No space at either end. A text without digits gives "" unless a dot opens it or
// follows a space (". " gives 0000/0000).
std::string NormalizeVersion(std::string_view text);

// Whether key `a` is newer than key `b`: greater in a comparison of unsigned bytes, a key that begins
// a longer one being the older. Equal keys are not newer.
bool IsNewerVersion(std::string_view a, std::string_view b);

}  // namespace quorvel
