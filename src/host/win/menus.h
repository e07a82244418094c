// The module's entries in the host's menus. Places are found by their captions, in Japanese or
// English, and shared with other plug-ins that follow the same convention: the "Plugin Help" and
// "About Plugins" submenus of the help menu, and the maker group headed "ZEFO" in the tool menu.
#pragma once

#include <windows.h>

namespace quorvel::win {

void AddPluginHelpEntry(HMENU menuBar, int windowType);
void AddAboutPluginsEntry(HMENU menuBar, int windowType);

// Finds or makes the module's "Vintrell" submenu in the maker group of the tool menu, and remembers
// the menu bar for FinishToolMenu. Nothing when the menu bar has no tool menu.
HMENU GetToolSubmenu(HMENU menuBar, bool compose);

// Turns the maker heading of the remembered menu bar's tool menu into a separator.
void FinishToolMenu(bool compose);

// The whole menu work of BKC_OnMenuInit for the main window (type 0) and a compose window (type 10).
void BuildMainWindowMenu(HMENU menuBar);
void BuildComposeWindowMenu(HMENU menuBar);

}  // namespace quorvel::win
