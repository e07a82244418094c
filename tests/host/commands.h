// Commands that plug-ins register with BKA_RegisterCommand: each gets a menu-item id of its own,
// and the window procedures call its callback when that id arrives in WM_COMMAND.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "plugin_api.h"

namespace b2host {

class PlugIn;

struct Command {
  UINT id;
  std::string description;  // ANSI, as the plug-in gave it
  int windowType;
  CommandCallback callback;
  PlugIn* owner;  // null when the registering plug-in could not be told
  std::wstring ownerName;
};

class CommandTable {
 public:
  // Ids start at 40001, above every item id of the host's own menus.
  static constexpr UINT kFirstId = 40001;

  UINT Register(std::string description, int windowType, CommandCallback callback, PlugIn* owner);
  const Command* Find(UINT id) const;
  const std::vector<Command>& All() const { return commands_; }

 private:
  std::vector<Command> commands_;
};

}  // namespace b2host
