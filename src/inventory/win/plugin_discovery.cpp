#include "inventory/win/plugin_discovery.h"

#include "common/string_sort.h"
#include "common/win/folder_listing.h"
#include "common/win/system_text.h"
#include "host/win/host_location.h"
#include "host/win/module_state.h"

namespace quorvel::win {
namespace {

void AddPlugIns(const std::string& folder, std::vector<std::string>& paths) {
  for (const std::string& name : ListFileNames(folder, "*.DLL"))
    paths.push_back(folder + name);
}

// A portable installation keeps its data in the program folder: one folder, scanned once.
bool SameFolder(const std::string& a, const std::string& b) {
  return AnsiUpperCase(ExpandLongPath(a)) == AnsiUpperCase(ExpandLongPath(b));
}

}  // namespace

std::vector<std::string> ListPlugInFiles() {
  std::vector<std::string> paths;
  const std::string programFolder = GetHostProgramFolder();
  AddPlugIns(programFolder + kPlugInFolder, paths);

  const ModuleState& module = Module();
  if (module.hostApiBound) {
    const char* dataFolder = module.hostApi.GetDataFolder();
    const std::string data = dataFolder ? dataFolder : "";
    if (!SameFolder(data, programFolder)) AddPlugIns(data + kPlugInFolder, paths);
  }

  TIntegerList positions;
  SortStrings(false, paths, positions, AnsiUpperCase);
  return paths;
}

}  // namespace quorvel::win
