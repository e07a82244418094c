#include "common/win/module_paths.h"

#include <windows.h>

#include "common/win/system_text.h"
#include "host/win/module_state.h"

namespace quorvel::win {

const std::string& GetOwnFileName() {
  ModuleState& module = Module();
  if (!module.ownFileName) {
    // The module's own instance, whatever its file is called and wherever it lies.
    char buffer[1024] = {};
    const DWORD length = GetModuleFileNameA(module.instance, buffer, sizeof buffer - 1);
    module.ownFileName = length > 0 && length < sizeof buffer - 1 ? ExpandLongPath(buffer) : std::string();
  }
  return *module.ownFileName;
}

const std::string& GetOwnFolder() {
  ModuleState& module = Module();
  if (!module.ownFolder) module.ownFolder = FolderOf(GetOwnFileName());
  return *module.ownFolder;
}

}  // namespace quorvel::win
