// Splits arbitrary bytes as a message: no crash, the lines are those of the text, the header is the
// lines in front of the first empty one, at most one warning comes, and the body is what a plain
// model gives that searches the boundary line by line. The same bytes read in place, as the host's
// text is, split the same without a read behind their NUL.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "mail/header_parsing.h"

namespace {

using namespace quorvel;
using fuzz::AsciiUpper;
using fuzz::Check;

std::vector<std::string> ModelBody(const MessageLines& lines) {
  std::vector<std::string> body;
  size_t empty = 0;
  while (empty < lines.Count() && !lines[empty].empty())
    ++empty;
  if (empty == lines.Count()) return body;
  LineList header;
  for (size_t i = 0; i < empty; ++i)
    header.push_back(lines[i]);
  const std::string type = FindHeaderValue("CONTENT-TYPE:", header);
  const std::string upper = AsciiUpper(type);
  if (upper.empty() || upper.find("TEXT") != std::string::npos) {
    for (size_t i = empty + 1; i < lines.Count(); ++i)
      body.emplace_back(lines[i]);
    return body;
  }
  if (upper.find("MULTIPART") == std::string::npos) return body;
  const auto boundary = ReadBoundary(type, upper);
  if (!boundary) return body;
  const std::string mark(*boundary);
  bool inPartHeader = false, take = true;
  for (size_t i = empty + 1; i < lines.Count(); ++i) {
    const std::string line(lines[i]);
    if (!mark.empty() && line.find(mark) != std::string::npos) {
      inPartHeader = take = true;
      if (!body.empty()) body.push_back(mark);
    } else if (inPartHeader) {
      if (line.empty()) {
        inPartHeader = false;
      } else if (AsciiUpper(line.substr(0, 13)) == "CONTENT-TYPE:") {
        take = AsciiUpper(line).find("TEXT") != std::string::npos;
      }
    } else if (take) {
      body.push_back(line);
    }
  }
  return body;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const MessageLines lines(text);

  // The lines, each followed by a break, give the same lines again.
  std::string joined;
  for (size_t i = 0; i < lines.Count(); ++i) {
    Check(lines[i].find_first_of("\r\n") == std::string_view::npos);
    joined.append(lines[i]).append("\n");
  }
  const MessageLines again(joined);
  Check(again.Count() == lines.Count());
  for (size_t i = 0; i < lines.Count(); ++i)
    Check(again[i] == lines[i]);

  LineList header, body;
  int warnings = 0;
  SplitMessage(lines, header, body, AsciiUpper, [&](const std::string&) { ++warnings; });
  Check(warnings <= 1);
  size_t empty = 0;
  while (empty < lines.Count() && !lines[empty].empty())
    ++empty;
  Check(header.size() == empty);
  for (size_t i = 0; i < header.size(); ++i)
    Check(header[i].data() == lines[i].data() && header[i].size() == lines[i].size());
  const std::vector<std::string> model = ModelBody(lines);
  Check(body.size() == model.size());
  for (size_t i = 0; i < body.size(); ++i)
    Check(body[i] == model[i]);

  // The header alone: the same lines and the same warnings.
  LineList headerAlone;
  std::vector<std::string> warned, warnedAlone;
  SplitMessage(lines, header, body, AsciiUpper, [&](const std::string& text) { warned.push_back(text); });
  SplitHeader(lines, headerAlone, AsciiUpper, [&](const std::string& text) { warnedAlone.push_back(text); });
  Check(headerAlone == header);
  Check(warnedAlone == warned);

  // In a block that ends with the NUL, and split before anything else cuts it.
  const std::unique_ptr<char[]> host(new char[size + 1]);
  if (size > 0) std::memcpy(host.get(), data, size);
  host[size] = '\0';
  const MessageLines inPlace(host.get());
  LineList inPlaceHeader, inPlaceBody;
  int inPlaceWarnings = 0;
  SplitMessage(inPlace, inPlaceHeader, inPlaceBody, AsciiUpper,
               [&](const std::string&) { ++inPlaceWarnings; });
  Check(inPlaceWarnings == warnings);
  Check(inPlaceHeader == header);
  Check(inPlaceBody == body);
  Check(inPlace.Count() == lines.Count());
  return 0;
}
