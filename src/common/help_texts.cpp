#include "common/help_texts.h"

namespace quorvel {

MissingHelpMessage MissingHelp(const std::string& path, bool japanese) {
  if (japanese) return {ShownText().System(path).Fixed(" がありません"), "エラー"};
  return {ShownText().System(path).Fixed(" is not found."), "Error"};
}

}  // namespace quorvel
