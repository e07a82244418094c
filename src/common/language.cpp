#include "common/language.h"

namespace quorvel {

bool IsJapaneseFor(std::string_view upperCommandLine, std::string_view languageName) {
  if (upperCommandLine.find("/JAPANESE") != std::string_view::npos) return true;
  if (upperCommandLine.find("/ENGLISH") != std::string_view::npos) return false;
  return languageName.substr(0, 4) == "日本";
}

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
  std::vector<std::string> arguments;
  size_t at = 0;
  const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (true) {
    while (at < commandLine.size() && isBlank(commandLine[at]) && commandLine[at] != '\0')
      ++at;
    if (at >= commandLine.size() || commandLine[at] == '\0') break;
    std::string argument;
    bool quoted = false;
    for (; at < commandLine.size() && commandLine[at] != '\0'; ++at) {
      const char c = commandLine[at];
      if (c == '"') {
        quoted = !quoted;
      } else if (!quoted && isBlank(c)) {
        break;
      } else {
        argument += c;
      }
    }
    arguments.push_back(std::move(argument));
  }
  return arguments;
}

}  // namespace quorvel
