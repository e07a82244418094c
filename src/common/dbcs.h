// Text functions that treat a double-byte character of the ANSI code page as one character.
// Positions and counts are 1-based and count characters, not bytes.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace quorvel {

// Which bytes begin a double-byte character. The module takes the rule of the system's ANSI code
// page everywhere: on a Japanese system that is Shift-JIS, on a Western one there are no lead
// bytes, so "é" (0xE9) in a path such as C:\Users\René\ is an ordinary letter.
class LeadBytes {
 public:
  // A single-byte code page: no byte begins a double-byte character.
  LeadBytes() = default;

  template <class IsLead>
  static LeadBytes From(IsLead isLead) {
    LeadBytes rule;
    for (int b = 0; b < 256; ++b)
      rule.lead_[b] = isLead(static_cast<unsigned char>(b));
    return rule;
  }

  // Code page 932: 0x81-0x9F and 0xE0-0xFC begin a character of two bytes.
  static LeadBytes ShiftJis();

  bool IsLead(unsigned char byte) const { return lead_[byte]; }
  bool operator==(const LeadBytes& other) const { return lead_ == other.lead_; }

 private:
  std::array<bool, 256> lead_{};
};

// The count that DbcsCopy reads as "to the end of the text".
inline constexpr int kEndMarker = 0x7FFFFFFF;

// Position of the first occurrence of `pattern` that begins at a character boundary, 0 if none.
// The text ends at its first NUL byte.
int DbcsPos(std::string_view pattern, std::string_view text, const LeadBytes& rule);

// `count` characters from character `first` on. Empty when `first` is not a character of the text or
// when `count` is 0 or negative; runs to the end when the text has fewer characters.
std::string DbcsCopy(std::string_view text, int first, int count, const LeadBytes& rule);

// Number of characters over the whole text; a lead byte as the last byte counts as one.
int DbcsLength(std::string_view text, const LeadBytes& rule);

}  // namespace quorvel
