// A text for the user, made of pieces of two kinds: the module's own fixed texts, written in
// Shift-JIS whatever the system, and texts of the system, the host or mail, in the system's code
// page. Each piece is decoded by its own code page where the text is shown, so Japanese reads as
// Japanese on every system and a name from a message reads as the system reads it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

struct TextPiece {
  std::string bytes;
  bool fixed;  // one of the module's own texts (code page 932), else the system's code page
};

class ShownText {
 public:
  ShownText() = default;
  // A text of the module's own.
  explicit ShownText(std::string_view fixed) { Fixed(fixed); }

  ShownText& Fixed(std::string_view bytes) { return Add(bytes, true); }
  ShownText& System(std::string_view bytes) { return Add(bytes, false); }

  const std::vector<TextPiece>& Pieces() const { return pieces_; }

 private:
  ShownText& Add(std::string_view bytes, bool fixed);

  std::vector<TextPiece> pieces_;
};

}  // namespace quorvel
