// The escaped form in which the settings file holds a string: one line, no control bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/dbcs.h"

namespace quorvel {

// "%" becomes "%%"; a byte below 0x20 becomes "%" and two upper-case hexadecimal digits (LF is
// "%0A"); a double-byte character is kept as it is. A lead byte followed by a byte below 0x20 is
// written as "%XX" itself, so that no raw CR, LF or NUL reaches the file. Linear time.
std::string EscapeSettingText(std::string_view text, const LeadBytes& rule);

// The reverse: "%%" becomes "%", "%" and two hexadecimal digits (either case; one at the very end)
// become that byte, and the walk goes on behind the digits. nullopt for a "%" at the very end or
// followed by anything but hexadecimal digits. UnescapeSettingText(EscapeSettingText(s)) == s for
// every byte string s. Linear time.
std::optional<std::string> UnescapeSettingText(std::string_view text, const LeadBytes& rule);

}  // namespace quorvel
