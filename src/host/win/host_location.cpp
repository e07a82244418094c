#include "host/win/host_location.h"

#include <windows.h>

#include "common/win/system_text.h"
#include "host/win/module_state.h"

namespace quorvel::win {

const std::string& GetHostProgramPath() {
  auto& path = Module().hostProgramPath;
  if (!path) {
    char buffer[1024] = {};
    GetModuleFileNameA(nullptr, buffer, sizeof buffer - 1);
    path = ExpandLongPath(buffer);
  }
  return *path;
}

const std::string& GetHostProgramFolder() {
  auto& folder = Module().hostProgramFolder;
  if (!folder) folder = FolderOf(GetHostProgramPath());
  return *folder;
}

}  // namespace quorvel::win
