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

namespace {

// The header lines, and how the body is to be read.
struct Header {
  bool hasBody = false;  // an empty line ends the header
  std::string contentType, upperType;
  std::optional<std::string_view> boundary;  // of a multipart type
};

Header ReadHeader(const MessageLines& lines, LineList& headerLines, UpperCase upper,
                  const SplitWarning& warn) {
  Header header;
  headerLines.clear();
  // The lines are cut only as far as they are read: the header here, the body later, if at all.
  size_t emptyLine = 0;
  while (lines.Has(emptyLine) && !lines[emptyLine].empty())
    ++emptyLine;
  headerLines.reserve(emptyLine);
  for (size_t i = 0; i < emptyLine; ++i)
    headerLines.push_back(lines[i]);
  header.hasBody = lines.Has(emptyLine);
  if (!header.hasBody) return header;

  header.contentType = FindHeaderValue("CONTENT-TYPE:", headerLines);
  header.upperType = upper(header.contentType);
  if (header.upperType.empty() || header.upperType.find("TEXT") != std::string::npos) return header;
  if (header.upperType.find("MULTIPART") == std::string::npos) return header;
  header.boundary = ReadBoundary(header.contentType, header.upperType);
  if (!header.boundary) {
    warn(kNoBoundaryWarning + header.contentType);
  } else if (header.boundary->empty()) {
    warn(kIllegalBoundaryWarning + header.contentType);
  }
  return header;
}

}  // namespace

void SplitHeader(const MessageLines& lines, LineList& headerLines, UpperCase upper,
                 const SplitWarning& warn) {
  ReadHeader(lines, headerLines, upper, warn);
}

void SplitMessage(const MessageLines& lines, LineList& headerLines, LineList& bodyLines, UpperCase upper,
                  const SplitWarning& warn) {
  bodyLines.clear();
  const Header header = ReadHeader(lines, headerLines, upper, warn);
  if (!header.hasBody) return;
  const size_t firstBodyLine = headerLines.size() + 1;
  if (header.upperType.empty() || header.upperType.find("TEXT") != std::string::npos) {
    MessageLines::Reader reader(lines, firstBodyLine);
    for (std::string_view line; reader.Next(line);)
      bodyLines.push_back(line);
    return;
  }
  if (header.boundary) WalkParts(lines, firstBodyLine, *header.boundary, upper, bodyLines);
}

}  // namespace quorvel
