// Everything the module keeps between the host's calls, in one place. It is created when the host
// loads the module and released when the host unloads it; nothing in it belongs to the host.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "common/win/handles.h"
#include "common/win/settings_store.h"
#include "mail/known_software.h"
#include "mail/message_lines.h"
#include "mail/version_watch.h"
#include "host/win/host_api.h"

namespace quorvel::win {

struct ModuleState {
  HINSTANCE instance = nullptr;  // the module's own resources live here

  // Decided once at load and never changed: without a complete host API the module stays inert.
  bool hostApiBound = false;
  bool testMode = false;
  HostApi hostApi;

  UniqueBitmap menuBitmap;  // shown beside the module's menu entries

  // The menu bars whose tool menus got the module's submenu last; the host owns them.
  HMENU mainMenuHandle = nullptr;
  HMENU composeMenuHandle = nullptr;

  // Worked out at first use and kept, even when empty.
  std::optional<std::string> hostProgramPath;
  std::optional<std::string> hostProgramFolder;
  std::optional<std::string> ownFileName;
  std::optional<std::string> ownFolder;

  SettingsState settings;

  // The version watch: the known-software list (there once it is loaded, freed at the host's exit),
  // the lines of the message being scanned, the findings not yet shown, the mailer filter.
  std::optional<KnownSoftware> knownSoftware;
  // The list's revision last written to the settings table: a scan that found nothing writes nothing.
  std::optional<uint64_t> knownSoftwareWritten;
  MessageLines messageLines;
  PendingTexts pending;
  std::string mailerFilter;
  // A message was scanned since the last end of a retrieval, which then looks at the settings file.
  bool scannedSinceFinish = false;
};

// Load-time start-up: binds the host, reads the test switch, makes the menu bitmap.
void CreateModuleState(HINSTANCE instance);
void ReleaseModuleState();

// The state between load and unload. Throws std::logic_error outside that time, which the boundary
// guard of the calling export turns into its fixed result.
ModuleState& Module();

}  // namespace quorvel::win
