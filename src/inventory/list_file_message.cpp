#include "inventory/list_file_message.h"

namespace quorvel {

ListFileFailure ListFileFailureMessage(const std::string& path, const std::string& reason, bool japanese) {
  ShownText text;
  text.System(path).Fixed(japanese ? " に書き込めませんでした。" : " could not be written.");
  if (!reason.empty()) text.Fixed("\r\n").System(reason);
  return {text, japanese ? "エラー" : "Error"};
}

}  // namespace quorvel
