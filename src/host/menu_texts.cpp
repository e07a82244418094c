#include "host/menu_texts.h"

namespace quorvel {
namespace {

bool BeginsWith(std::string_view caption, std::string_view key) {
  return caption.substr(0, key.size()) == key;
}

}  // namespace

bool MenuPlace::IsBeginningOf(std::string_view caption) const {
  return BeginsWith(caption, japanese) || BeginsWith(caption, english);
}

}  // namespace quorvel
