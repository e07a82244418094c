#include "common/win/module_paths.h"

#include <windows.h>

#include "common/win/folder_listing.h"
#include "common/win/system_text.h"
#include "host/identity.h"
#include "host/win/module_state.h"
#include "inventory/win/plugin_discovery.h"
#include "inventory/win/plugin_info_reader.h"

namespace quorvel::win {
namespace {

std::string LoadedUnderOwnName() {
  const HMODULE module = GetModuleHandleA(kModuleFileName);
  if (!module) return {};
  char buffer[1024] = {};
  if (GetModuleFileNameA(module, buffer, sizeof buffer - 1) == 0) return {};
  return ExpandLongPath(buffer);
}

// The first module of `folder` whose plug-in name is the module's own.
std::string FoundByPlugInName(const std::string& folder) {
  for (const std::string& name : ListFileNames(folder, "*.DLL")) {
    if (GetPlugInName(folder + name) == kProductName) return folder + name;
  }
  return {};
}

}  // namespace

const std::string& GetOwnFileName() {
  ModuleState& module = Module();
  if (!module.ownFileName) {
    std::string path = LoadedUnderOwnName();
    // Under another file name: the module that answers with the module's own plug-in name.
    if (path.empty()) {
      for (const std::string& folder : HostPlugInFolders()) {
        path = FoundByPlugInName(folder);
        if (!path.empty()) break;
      }
    }
    module.ownFileName = path;
  }
  return *module.ownFileName;
}

const std::string& GetOwnFolder() {
  ModuleState& module = Module();
  if (!module.ownFolder) module.ownFolder = FolderOf(GetOwnFileName());
  return *module.ownFolder;
}

}  // namespace quorvel::win
