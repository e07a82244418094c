#include "common/dbcs.h"

#include <cstdint>

namespace quorvel {
namespace {

// The text up to its first NUL byte, as the searches see it.
std::string_view UpToNul(std::string_view text) {
  const auto nul = text.find('\0');
  return nul == std::string_view::npos ? text : text.substr(0, nul);
}

// Length in bytes of the character that starts at `at`; a lead byte at the end stands alone.
size_t CharBytes(std::string_view text, size_t at, const LeadBytes& rule) {
  return rule.IsLead(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

}  // namespace

LeadBytes LeadBytes::ShiftJis() {
  return From([](unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); });
}

int DbcsPos(std::string_view pattern, std::string_view text, const LeadBytes& rule) {
  text = UpToNul(text);
  int position = 1;
  for (size_t at = 0; at < text.size(); at += CharBytes(text, at, rule), ++position) {
    if (text.compare(at, pattern.size(), pattern) == 0) return position;
  }
  return 0;
}

std::string DbcsCopy(std::string_view text, int first, int count, const LeadBytes& rule) {
  if (first < 1 || count <= 0) return {};
  text = UpToNul(text);
  const int64_t end = static_cast<int64_t>(first) + count;  // first character not taken
  size_t begin = std::string_view::npos;
  int64_t position = 1;
  size_t at = 0;
  for (; at < text.size() && position < end; at += CharBytes(text, at, rule), ++position) {
    if (position == first) begin = at;
  }
  if (begin == std::string_view::npos) return {};
  return std::string(text.substr(begin, at - begin));
}

int DbcsLength(std::string_view text, const LeadBytes& rule) {
  int length = 0;
  for (size_t at = 0; at < text.size(); at += CharBytes(text, at, rule))
    ++length;
  return length;
}

}  // namespace quorvel
