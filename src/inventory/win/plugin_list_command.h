// The plug-in list command: the list in one of its layouts, written to Quorvel.txt beside the module
// and opened, or pasted into the message being written.
#pragma once

#include <windows.h>

#include "inventory/plugin_list.h"

namespace quorvel::win {

// `window` is the compose window to paste into when `toCompose` is set. A list file that cannot be
// written ends the command with a warning that names it and why; a clipboard that cannot be opened
// ends it without delivering.
void ShowPlugInList(HWND window, bool toCompose, TPlugInListKind kind);

// The host's callbacks of the four list commands.
void WINAPI ListWithPathCommand(HWND window, LPARAM);
void WINAPI ListWithoutPathCommand(HWND window, LPARAM);
void WINAPI ListDetailCommand(HWND window, LPARAM);
void WINAPI ComposeListCommand(HWND window, LPARAM);

}  // namespace quorvel::win
