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

  // `text` must outlive the object (until Search gives it another). An empty pattern occurs nowhere.
  Occurrences(std::string_view pattern, std::string_view text);

  // Start of the next occurrence, kNone after the last one in the text as far as it is known.
  size_t Next();

  // Searches `text` from `from` on, with nothing matched in front of `from`.
  void Search(std::string_view text, size_t from);

  // The text has grown: `text` begins with the text searched so far. The search goes on where it
  // stopped, so an occurrence across the old end is found too.
  void Extend(std::string_view text) { text_ = text; }

  // The first occurrence in `text` alone (kNone if none), leaving the search where it is.
  size_t FirstIn(std::string_view text) const;

 private:
  // Reads `text` from `at`, where `matched` bytes of the pattern are matched in front of it, up to
  // the end of the next occurrence; gives its start, or kNone with `at` at the end of the text.
  size_t Scan(std::string_view text, size_t& at, size_t& matched) const;

  std::string pattern_;
  std::vector<size_t> border_;  // border_[i]: longest proper border of pattern_[0..i]
  std::string_view text_;
  size_t at_ = 0;       // next byte of the text to read
  size_t matched_ = 0;  // bytes of the pattern matched just in front of at_
};

}  // namespace quorvel
