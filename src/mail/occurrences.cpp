#include "mail/occurrences.h"

#include <cstring>

namespace quorvel {

Occurrences::Occurrences(std::string_view pattern, std::string_view text)
    : pattern_(pattern), border_(pattern.size(), 0), text_(text) {
  for (size_t i = 1, k = 0; i < pattern_.size(); ++i) {
    while (k > 0 && pattern_[i] != pattern_[k])
      k = border_[k - 1];
    if (pattern_[i] == pattern_[k]) ++k;
    border_[i] = k;
  }
}

size_t Occurrences::Next() {
  return Scan(text_, at_, matched_);
}

void Occurrences::Search(std::string_view text, size_t from) {
  text_ = text;
  at_ = from;
  matched_ = 0;
}

size_t Occurrences::FirstIn(std::string_view text) const {
  size_t at = 0, matched = 0;
  return Scan(text, at, matched);
}

size_t Occurrences::Scan(std::string_view text, size_t& at, size_t& matched) const {
  const size_t size = text.size(), length = pattern_.size();
  if (length == 0) {
    at = size;
    return kNone;
  }
  while (at < size) {
    if (matched == 0) {
      // Nothing matched: only the pattern's first byte can start an occurrence, and memchr finds
      // it far faster than stepping byte by byte.
      const void* first = std::memchr(text.data() + at, pattern_[0], size - at);
      if (first == nullptr) break;
      at = static_cast<size_t>(static_cast<const char*>(first) - text.data());
    }
    const char c = text[at++];
    while (matched > 0 && pattern_[matched] != c)
      matched = border_[matched - 1];
    if (pattern_[matched] == c) ++matched;
    if (matched == length) {
      matched = border_[length - 1];
      return at - length;
    }
  }
  at = size;
  return kNone;
}

}  // namespace quorvel
