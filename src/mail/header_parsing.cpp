#include "mail/header_parsing.h"

#include "mail/mail_text.h"
#include "mail/occurrences.h"

namespace quorvel {
namespace {

bool IsContinuation(std::string_view line) {
  return !line.empty() && (line[0] == ' ' || line[0] == '\t');
}

bool IsWhiteSpaceOrControl(char c) {
  return static_cast<unsigned char>(c) <= 32;
}

// The body of a multipart message: boundary lines switch to a part header, which ends at an empty
// line and whose Content-Type line decides whether the part's lines are taken.
void WalkParts(const MessageLines& lines, size_t firstBodyLine, std::string_view boundary, UpperCase upper,
               LineList& bodyLines) {
  // The boundary holds no line break (it comes from one header value), so a line is a boundary line
  // when the line alone holds it.
  Occurrences occurrences(boundary, std::string_view());
  MessageLines::Reader reader(lines, firstBodyLine);
  bool inPartHeader = false;
  bool take = true;
  for (std::string_view line; reader.Next(line);) {
    const size_t at = occurrences.FirstIn(line);
    if (at != Occurrences::kNone) {
      inPartHeader = true;
      take = true;
      // The separator is the boundary where it stands in this line, so it lives as long as the lines.
      if (!bodyLines.empty()) bodyLines.push_back(line.substr(at, boundary.size()));
    } else if (inPartHeader) {
      if (line.empty()) {
        inPartHeader = false;
      } else if (StartsWithNoCase(line, "CONTENT-TYPE:")) {
        take = upper(std::string(line)).find("TEXT") != std::string::npos;
      }
    } else if (take) {
      bodyLines.push_back(line);
    } else {
      // Nothing more of this part is taken: go straight to the line that holds the next boundary,
      // so that an attachment of many megabytes costs one search, and no cut into lines.
      reader.PassOverLinesWithout(occurrences);
    }
  }
}

}  // namespace

std::string FindHeaderValue(std::string_view name, const LineList& lines) {
  for (size_t i = 0; i < lines.size(); ++i) {
    if (!StartsWithNoCase(lines[i], name)) continue;
    std::string value(Trimmed(lines[i].substr(name.size())));
    for (size_t next = i + 1; next < lines.size() && IsContinuation(lines[next]); ++next)
      value.append(lines[next].substr(1));
    return value;
  }
  return std::string();
}

std::optional<std::string_view> ReadBoundary(std::string_view contentType,
                                             std::string_view upperContentType) {
  constexpr std::string_view kWord = "BOUNDARY";
  const size_t word = upperContentType.find(kWord);
  if (word == std::string_view::npos) return std::nullopt;
  if (word + kWord.size() > contentType.size()) return std::string_view();  // casing that changed the length
  std::string_view rest = Trimmed(contentType.substr(word + kWord.size()));
  const bool equals = !rest.empty() && rest[0] == '=';
  if (equals) rest = Trimmed(rest.substr(1));
  if (!rest.empty() && rest[0] == '"') {
    rest.remove_prefix(1);
    const size_t quote = rest.find('"');
    return quote == std::string_view::npos ? std::string_view() : rest.substr(0, quote);
  }
  if (!equals) return std::string_view();
  size_t end = 0;
  while (end < rest.size() && rest[end] != ';' && !IsWhiteSpaceOrControl(rest[end]))
    ++end;
  return rest.substr(0, end);
}

void SplitMessage(const MessageLines& lines, LineList& headerLines, LineList& bodyLines, UpperCase upper,
                  const SplitWarning& warn) {
  headerLines.clear();
  bodyLines.clear();
  // The lines are cut only as far as they are read: the header here, the body below.
  size_t emptyLine = 0;
  while (lines.Has(emptyLine) && !lines[emptyLine].empty())
    ++emptyLine;
  headerLines.reserve(emptyLine);
  for (size_t i = 0; i < emptyLine; ++i)
    headerLines.push_back(lines[i]);
  if (!lines.Has(emptyLine)) return;

  const std::string contentType = FindHeaderValue("CONTENT-TYPE:", headerLines);
  const std::string upperType = upper(contentType);
  if (upperType.empty() || upperType.find("TEXT") != std::string::npos) {
    MessageLines::Reader reader(lines, emptyLine + 1);
    for (std::string_view line; reader.Next(line);)
      bodyLines.push_back(line);
    return;
  }
  if (upperType.find("MULTIPART") == std::string::npos) return;

  const std::optional<std::string_view> boundary = ReadBoundary(contentType, upperType);
  if (!boundary) {
    warn(kNoBoundaryWarning + contentType);
    return;
  }
  if (boundary->empty()) warn(kIllegalBoundaryWarning + contentType);
  WalkParts(lines, emptyLine + 1, *boundary, upper, bodyLines);
}

}  // namespace quorvel
