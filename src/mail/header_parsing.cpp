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
  if (firstBodyLine >= lines.Count()) return;
  const std::string_view text = lines.Text();
  const size_t bodyStart = static_cast<size_t>(lines[firstBodyLine].data() - text.data());
  // One search through the whole body instead of one per line: the boundary holds no line break,
  // so each occurrence lies inside one line, and a line is a boundary line when the first
  // occurrence at or after its start ends inside it.
  Occurrences occurrences(boundary, text.substr(bodyStart));
  size_t next = occurrences.Next();
  bool inPartHeader = false;
  bool take = true;
  for (size_t i = firstBodyLine; i < lines.Count(); ++i) {
    const std::string_view line = lines[i];
    const size_t begin = static_cast<size_t>(line.data() - text.data()) - bodyStart;
    while (next != Occurrences::kNone && next < begin)
      next = occurrences.Next();
    if (next != Occurrences::kNone && next + boundary.size() <= begin + line.size()) {
      inPartHeader = true;
      take = true;
      // The separator is the boundary where it stands in this line, so it lives as long as the lines.
      if (!bodyLines.empty()) bodyLines.push_back(line.substr(next - begin, boundary.size()));
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
      // so that an attachment of many megabytes costs one search, not a step per line.
      if (next == Occurrences::kNone) break;
      const size_t holder = lines.LineAt(bodyStart + next);
      if (holder > i + 1) i = holder - 1;
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
  size_t emptyLine = 0;
  while (emptyLine < lines.Count() && !lines[emptyLine].empty())
    ++emptyLine;
  headerLines.reserve(emptyLine);
  for (size_t i = 0; i < emptyLine; ++i)
    headerLines.push_back(lines[i]);
  if (emptyLine == lines.Count()) return;

  const std::string contentType = FindHeaderValue("CONTENT-TYPE:", headerLines);
  const std::string upperType = upper(contentType);
  if (upperType.empty() || upperType.find("TEXT") != std::string::npos) {
    bodyLines.reserve(lines.Count() - emptyLine - 1);
    for (size_t i = emptyLine + 1; i < lines.Count(); ++i)
      bodyLines.push_back(lines[i]);
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
