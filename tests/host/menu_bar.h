// The host's own menu bars (main window and compose window), printing a menu tree, and finding an
// item by its caption path as a user would choose it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "commands.h"
#include "options.h"
#include "win_handle.h"

namespace b2host {

struct MenuLayout {
  MenuLanguage language = MenuLanguage::kJapanese;
  bool toolMenu = true;   // -menu-no-tool leaves it out
  bool aboutItem = true;  // -menu-no-about leaves it out of the help menu
};

// Items of the host's own menus have ids below 40000.
UniqueMenu BuildMainMenuBar(const MenuLayout& layout);
UniqueMenu BuildComposeMenuBar(const MenuLayout& layout);

// Prints `title`, then every item indented two spaces per level: its caption as written ("----" for
// a separator), " [bitmap]" when it has an unchecked check-mark bitmap, and " -> "description""
// when its id is a registered plug-in command.
void PrintMenuTree(HMENU menuBar, std::wstring_view title, const CommandTable& commands);

struct MenuChoice {
  UINT id;
  bool enabled;
};

// The command item at `path` (captions separated by ">"). A segment matches an item whose caption
// equals it, else one whose caption equals it without "&", else one whose caption begins with it.
std::optional<MenuChoice> FindMenuItem(HMENU menuBar, std::wstring_view path);

}  // namespace b2host
