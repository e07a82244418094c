// The header of a received message and the text lines of its body.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/upper_case.h"
#include "mail/message_lines.h"

namespace quorvel {

// Lines as views into the text of a MessageLines (or of any text that outlives them).
using LineList = std::vector<std::string_view>;

// Shows the warning text to the user (a message box with an empty caption and the exclamation
// icon); the split goes on when it returns.
using SplitWarning = std::function<void(const std::string& text)>;

inline constexpr char kNoBoundaryWarning[] = "No boundary in Content-Type: ";
inline constexpr char kIllegalBoundaryWarning[] = "Illegal boundary in Content-Type: ";

// The value of header `name` (upper case with its colon, such as "X-MAILER:") in `lines`: the first
// line that begins with the name in any letter case gives the rest of that line, trimmed; each
// following line that begins with a space or a TAB adds its text without that first character, as
// it is. Empty when no line begins with the name. The whole list is searched.
std::string FindHeaderValue(std::string_view name, const LineList& lines);

// The boundary parameter of a multipart content type: nothing when the type does not hold the word
// BOUNDARY. After the first BOUNDARY and an optional "=": a value in double quotes runs to the next
// double quote, and an unquoted one (boundary=abc) is a token up to ";" or white space. Empty for a
// value that cannot be read (nothing behind the "=", "", an opening quote without its closing one,
// or neither "=" nor a quote behind the word). A view into `contentType`; `upperContentType` is it
// upper-cased (same length).
std::optional<std::string_view> ReadBoundary(std::string_view contentType, std::string_view upperContentType);

// Cuts a message into the lines in front of its first empty line and, after that line, the body
// lines that are text: all of them for a message without Content-Type or of a type that names
// TEXT; for a multipart one, the lines of the parts whose own Content-Type line names TEXT (or that
// have none) and the lines in front of the first boundary, with the boundary text as a separator
// line in front of each later part; none for any other type. A message without an empty line is
// all header. A multipart type without a boundary parameter warns and gives no body; one whose
// boundary cannot be read warns and gives every line after the empty one (no line is then a
// boundary line). Each warning comes at most once per message. The views point into `lines`.
void SplitMessage(const MessageLines& lines, LineList& headerLines, LineList& bodyLines, UpperCase upper,
                  const SplitWarning& warn);

// The header lines of SplitMessage with the same warnings, the body left unread: for a reader of the
// header alone, whose cost then does not grow with the body.
void SplitHeader(const MessageLines& lines, LineList& headerLines, UpperCase upper, const SplitWarning& warn);

}  // namespace quorvel
