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
  if (pattern_.empty()) at_ = text_.size();
}

size_t Occurrences::Next() {
  const size_t size = text_.size(), length = pattern_.size();
  while (at_ < size) {
    if (matched_ == 0) {
      // Nothing matched: only the pattern's first byte can start an occurrence, and memchr finds
      // it far faster than stepping byte by byte.
      const void* first = std::memchr(text_.data() + at_, pattern_[0], size - at_);
      if (first == nullptr) break;
      at_ = static_cast<size_t>(static_cast<const char*>(first) - text_.data());
    }
    const char c = text_[at_++];
    while (matched_ > 0 && pattern_[matched_] != c)
      matched_ = border_[matched_ - 1];
    if (pattern_[matched_] == c) ++matched_;
    if (matched_ == length) {
      matched_ = border_[length - 1];
      return at_ - length;
    }
  }
  at_ = size;
  return kNone;
}

}  // namespace quorvel
