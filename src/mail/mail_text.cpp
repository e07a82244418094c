#include "mail/mail_text.h"

namespace quorvel {
namespace {

char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsTrimmed(char c) {
  return static_cast<unsigned char>(c) <= 32;
}

}  // namespace

std::string_view Trimmed(std::string_view text) {
  size_t first = 0, last = text.size();
  while (first < last && IsTrimmed(text[first]))
    ++first;
  while (last > first && IsTrimmed(text[last - 1]))
    --last;
  return text.substr(first, last - first);
}

bool StartsWithNoCase(std::string_view text, std::string_view upperPrefix) {
  if (text.size() < upperPrefix.size()) return false;
  for (size_t i = 0; i < upperPrefix.size(); ++i) {
    if (AsciiUpper(text[i]) != upperPrefix[i]) return false;
  }
  return true;
}

size_t FindNoCase(std::string_view text, std::string_view upperPattern) {
  if (upperPattern.size() > text.size()) return std::string_view::npos;
  // The patterns are a few letters long, so a plain search is linear in the text.
  for (size_t at = 0; at + upperPattern.size() <= text.size(); ++at) {
    if (StartsWithNoCase(text.substr(at), upperPattern)) return at;
  }
  return std::string_view::npos;
}

}  // namespace quorvel
