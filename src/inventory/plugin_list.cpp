#include "inventory/plugin_list.h"

#include <algorithm>

#include "common/paths.h"

namespace quorvel {

std::string NoLoadText(const std::string& noLoadPin) {
  return "/" + noLoadPin + "/";
}

bool IsNotInUse(const std::string& path, const std::string& noLoadText, const LeadBytes& rule,
                UpperCase upper) {
  return noLoadText.find("/" + upper(FileNameOf(path, rule)) + "/") != std::string::npos;
}

void PadLines(std::vector<std::string>& lines) {
  size_t longest = 0;
  for (const std::string& line : lines)
    longest = std::max(longest, line.size());
  for (std::string& line : lines)
    line.resize(longest + 1, ' ');
}

std::vector<std::string> BuildPlugInList(TPlugInListKind kind, const std::vector<ListedPlugIn>& plugIns,
                                         const std::string& noLoadText, const LeadBytes& rule,
                                         UpperCase upper) {
  std::vector<bool> notInUse;
  for (const ListedPlugIn& plugIn : plugIns)
    notInUse.push_back(IsNotInUse(plugIn.path, noLoadText, rule, upper));

  std::vector<std::string> lines;
  if (kind == lkDetail) {
    for (size_t i = 0; i < plugIns.size(); ++i) {
      const ListedPlugIn& plugIn = plugIns[i];
      if (i > 0) lines.emplace_back();
      lines.insert(lines.end(), {plugIn.path, plugIn.fields.name, plugIn.fields.vendor, plugIn.fields.version,
                                 plugIn.fields.description});
      if (notInUse[i]) lines.emplace_back(kNotInUse);
    }
    return lines;
  }

  for (const ListedPlugIn& plugIn : plugIns)
    lines.push_back(kind == lkWithPath ? plugIn.path : "");
  if (kind == lkWithPath) PadLines(lines);
  for (size_t i = 0; i < plugIns.size(); ++i)
    lines[i] += plugIns[i].fields.name;
  PadLines(lines);
  for (size_t i = 0; i < plugIns.size(); ++i)
    lines[i] += plugIns[i].fields.version;

  // The marking column comes only when the host leaves at least one listed plug-in unloaded.
  if (noLoadText != "//" && std::find(notInUse.begin(), notInUse.end(), true) != notInUse.end()) {
    PadLines(lines);
    for (size_t i = 0; i < plugIns.size(); ++i) {
      if (notInUse[i]) lines[i] += kNotInUse;
    }
  }
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines)
    text += line + "\r\n";
  return text;
}

}  // namespace quorvel
