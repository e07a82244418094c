#include "common/paths.h"

namespace quorvel {

std::string ExpandLongPath(const std::string& path, const LeadBytes& rule, const LookUpEntry& lookUp) {
  int slash = DbcsPos("\\", path, rule);
  if (slash == 0) return {};

  std::string result = DbcsCopy(path, 1, slash, rule);
  std::string rest = DbcsCopy(path, slash + 1, kEndMarker, rule);

  // Every folder along the way: only ordinary entries are looked up.
  while ((slash = DbcsPos("\\", rest, rule)) != 0) {
    const std::string written = DbcsCopy(rest, 1, slash - 1, rule);
    const auto found = written.empty() ? std::nullopt : lookUp(result + written, false);
    result += found ? found->name : written;
    result += '\\';
    rest = DbcsCopy(rest, slash + 1, kEndMarker, rule);
  }
  if (rest.empty()) return result;  // the path ended with "\"

  // The last name may be a file or a folder of any attributes.
  if (const auto found = lookUp(result + rest, true)) {
    result += found->name;
    if (found->isFolder) result += '\\';
  } else {
    result += rest;
  }
  return result;
}

std::string FolderOf(const std::string& path, const LeadBytes& rule) {
  size_t end = 0;  // one past the last delimiter
  for (size_t at = 0; at < path.size(); ++at) {
    const char c = path[at];
    if (c == '\\' || c == ':') {
      end = at + 1;
    } else if (rule.IsLead(static_cast<unsigned char>(c))) {
      ++at;
    }
  }
  return path.substr(0, end);
}

std::string FileNameOf(const std::string& path, const LeadBytes& rule) {
  return path.substr(FolderOf(path, rule).size());
}

bool IsPlugInFileName(const std::string& name) {
  constexpr char kEnding[] = ".dll";
  constexpr size_t kLength = sizeof kEnding - 1;
  if (name.size() < kLength) return false;
  for (size_t i = 0; i < kLength; ++i) {
    const char c = name[name.size() - kLength + i];
    if ((c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) != kEnding[i]) return false;
  }
  return true;
}

bool IsFullPath(const std::string& path) {
  const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  if (path.size() >= 3 && isLetter(path[0]) && path[1] == ':' && path[2] == '\\') return true;
  return path.rfind("\\\\", 0) == 0 && path.size() > 2;
}

}  // namespace quorvel
