// The plug-in list in its three layouts, with the plug-ins that the host does not load marked.
#pragma once

#include <string>
#include <vector>

#include "common/dbcs.h"
#include "common/upper_case.h"
#include "inventory/plugin_fields.h"

namespace quorvel {

enum TPlugInListKind { lkWithPath = 0, lkWithoutPath = 1, lkDetail = 2 };

inline constexpr char kNotInUse[] = "not in use";

struct ListedPlugIn {
  std::string path;
  PlugInFields fields;
};

// The host's NoLoadPin value as the marking searches it: "/" + value + "/", used as stored.
std::string NoLoadText(const std::string& noLoadPin);

// Whether "/" + the upper-cased file name of `path` + "/" occurs in the no-load text.
bool IsNotInUse(const std::string& path, const std::string& noLoadText, const LeadBytes& rule,
                UpperCase upper);

// Appends spaces to every line until each is one byte longer than the longest was.
void PadLines(std::vector<std::string>& lines);

// The lines of the list: one per plug-in in columns (path, name, version, and "not in use" when any
// plug-in is), or for lkDetail a group of lines per plug-in with an empty line between groups.
std::vector<std::string> BuildPlugInList(TPlugInListKind kind, const std::vector<ListedPlugIn>& plugIns,
                                         const std::string& noLoadText, const LeadBytes& rule,
                                         UpperCase upper);

// The lines joined with CR LF after each, the last one included.
std::string JoinLines(const std::vector<std::string>& lines);

}  // namespace quorvel
