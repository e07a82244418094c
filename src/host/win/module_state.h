// Everything the module keeps between the host's calls, in one place. It is created when the host
// loads the module and released when the host unloads it; nothing in it belongs to the host.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "common/win/handles.h"
#include "common/win/settings_store.h"
#include "host/win/host_api.h"

namespace quorvel::win {

struct ModuleState {
  HINSTANCE instance = nullptr;  // the module's own resources live here

  // Decided once at load and never changed: without a complete host API the module stays inert.
  bool hostApiBound = false;
  bool testMode = false;
  HostApi hostApi;

  UniqueBitmap menuBitmap;  // shown beside the module's menu entries

  // Worked out at first use and kept, even when empty.
  std::optional<std::string> hostProgramPath;
  std::optional<std::string> hostProgramFolder;
  std::optional<std::string> ownFileName;
  std::optional<std::string> ownFolder;

  SettingsState settings;
};

// Load-time start-up: binds the host, reads the test switch, makes the menu bitmap.
void CreateModuleState(HINSTANCE instance);
void ReleaseModuleState();

// The state between load and unload. Throws std::logic_error outside that time, which the boundary
// guard of the calling export turns into its fixed result.
ModuleState& Module();

}  // namespace quorvel::win
