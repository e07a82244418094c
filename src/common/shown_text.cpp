#include "common/shown_text.h"

namespace quorvel {

ShownText& ShownText::Add(std::string_view bytes, bool fixed) {
  if (bytes.empty()) return *this;
  // Neighbours of one kind make one piece.
  if (!pieces_.empty() && pieces_.back().fixed == fixed) {
    pieces_.back().bytes.append(bytes);
  } else {
    pieces_.push_back({std::string(bytes), fixed});
  }
  return *this;
}

}  // namespace quorvel
