// Menu entries that another vendor's plug-in has made before the module builds its own: items in the
// shared submenus of the help menu, and a maker group in the tool menu (a heading, a submenu of the
// plug-in's own, a separator), which BKC_OnStart may finish by turning the heading into a separator.
#pragma once

#include <windows.h>

#include "config.h"

namespace testplugin {

// The popup that command items and the maker group go to: command-popup, else the one before the
// last (the tool menu).
HMENU ToolPopup(HMENU menuBar, const Config& config);

// Adds the help-submenu items and the maker group to the main window's menu bar. Each item is a
// registered command that logs "command <caption>" when chosen.
void AddMenuGroups(HMENU menuBar, const Config& config);

// The first item of the tool popup, going up from the bottom, whose caption begins with the maker
// heading is replaced by a separator.
void FinishMakerGroup(HMENU menuBar, const Config& config);

}  // namespace testplugin
