#include "inventory/win/plugin_discovery.h"

#include "common/paths.h"
#include "common/string_sort.h"
#include "common/win/folder_listing.h"
#include "common/win/system_text.h"
#include "host/win/host_location.h"
#include "host/win/module_state.h"

namespace quorvel::win {
namespace {

void AddPlugIns(const std::string& folder, std::vector<std::string>& paths) {
  // The pattern also matches the short name of "Foo.dll_" or "Foo.dllold", which is how users switch
  // a plug-in off: only a long name ending in ".dll" is a plug-in.
  for (const std::string& name : ListFileNames(folder, "*.DLL")) {
    if (IsPlugInFileName(name)) paths.push_back(folder + name);
  }
}

// A portable installation keeps its data in the program folder: one folder, scanned once.
bool SameFolder(const std::string& a, const std::string& b) {
  return AnsiUpperCase(ExpandLongPath(a)) == AnsiUpperCase(ExpandLongPath(b));
}

}  // namespace

std::vector<std::string> HostPlugInFolders() {
  std::vector<std::string> folders;
  // An empty folder text would make "PlugIns\" relative to whatever the current folder is.
  const std::string& programFolder = GetHostProgramFolder();
  if (!programFolder.empty()) folders.push_back(programFolder + kPlugInFolder);
  const ModuleState& module = Module();
  if (module.hostApiBound) {
    const char* dataFolder = module.hostApi.GetDataFolder();
    const std::string data = dataFolder ? dataFolder : "";
    if (!data.empty() && !SameFolder(data, programFolder)) folders.push_back(data + kPlugInFolder);
  }
  return folders;
}

std::vector<std::string> ListPlugInFiles() {
  std::vector<std::string> paths;
  for (const std::string& folder : HostPlugInFolders())
    AddPlugIns(folder, paths);

  TIntegerList positions;
  SortStrings(false, paths, positions, AnsiUpperCase);
  return paths;
}

}  // namespace quorvel::win
