// Path texts: the long form of a path, and the folder part of a path.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "common/dbcs.h"

namespace quorvel {

struct DirEntry {
  std::string name;  // as the file system stores it
  bool isFolder = false;
};

// Looks one path up in the file system. With `anyAttributes` false, hidden and system entries are
// not found.
using LookUpEntry = std::function<std::optional<DirEntry>(const std::string& path, bool anyAttributes)>;

// The long form of `path`. The part up to the first "\" (a drive such as "C:\") is kept as written.
// A name that cannot be looked up (a hidden folder, the server of a network path) is kept as written,
// so the result never holds less than the path. A path without any "\" gives the empty text.
std::string ExpandLongPath(const std::string& path, const LeadBytes& rule, const LookUpEntry& lookUp);

// The path up to and including its last delimiter (a "\" or the colon of a bare drive); empty when
// it has none. A trail byte that equals "\" is not a delimiter.
std::string FolderOf(const std::string& path, const LeadBytes& rule);

// Whether `path` names a place whatever the current folder is: a drive and "\" ("C:\...") or a
// network path ("\\server\..."). Nothing is written to a path that is not.
bool IsFullPath(const std::string& path);

// Whether a file's long name is a plug-in module's: it ends in ".dll", in any letter case.
bool IsPlugInFileName(const std::string& name);

// What follows the folder part: the file name.
std::string FileNameOf(const std::string& path, const LeadBytes& rule);

}  // namespace quorvel
