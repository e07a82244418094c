// Every occurrence of a pattern in a text, in order, overlapping ones included, in time linear in
// the text and the pattern whatever bytes either holds: a MIME boundary comes from the message
// itself and may be as long and as repetitive as the text it is searched in.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

class Occurrences {
 public:
  static constexpr size_t kNone = std::string_view::npos;

  // `text` must outlive the object. An empty pattern occurs nowhere.
  Occurrences(std::string_view pattern, std::string_view text);

  // Start of the next occurrence, kNone after the last one.
  size_t Next();

 private:
  std::string pattern_;
  std::vector<size_t> border_;  // border_[i]: longest proper border of pattern_[0..i]
  std::string_view text_;
  size_t at_ = 0;       // next byte of the text to read
  size_t matched_ = 0;  // bytes of the pattern matched just in front of at_
};

}  // namespace quorvel
