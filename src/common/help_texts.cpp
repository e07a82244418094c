#include "common/help_texts.h"

namespace quorvel {

MissingHelpMessage MissingHelp(const std::string& path, bool japanese) {
  if (japanese) return {path + " がありません", "エラー"};
  return {path + " is not found.", "Error"};
}

}  // namespace quorvel
