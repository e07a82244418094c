// The module's entry in the X-Mailer-Plugin header of outgoing mail.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

inline constexpr char kPlugInHeaderName[] = "X-Mailer-Plugin";

// The size that the host is told for the first read of the header: a 2048-byte buffer, given as 2047.
inline constexpr int kHeaderReadSize = 2047;

// The header value with the module's stamp "Vintrell Ver.0.01 Rev.4" in it: an earlier stamp (from
// "Vintrell Ver." up to the next comma) is replaced where it stands, otherwise the stamp is appended
// after ",\r\n\t". Every other entry keeps its text, order and separators.
std::string StampedPlugInHeader(std::string_view current);

// Reads a header value through a host call that writes a zero-terminated text into a buffer of
// `size` + 1 bytes, telling it `size`. A value that fills the buffer may have been cut, so it is read
// again with a buffer twice as large until it does not. Gives nothing when the value still fills a
// buffer of `maxSize`: writing back a cut value would drop other plug-ins' entries.
using ReadHeaderInto = std::function<void(char* buffer, int size)>;
std::optional<std::string> ReadWholeHeaderValue(const ReadHeaderInto& read, int maxSize = 1 << 24);

}  // namespace quorvel
