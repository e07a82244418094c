// The callbacks of the commands the module registers with the host, each of the host's
// command-callback form. Each runs its work inside the boundary guard.
#pragma once

#include <windows.h>

namespace quorvel::win {

void WINAPI PluginHelpCommand(HWND window, LPARAM);  // the module's help
void WINAPI AboutCommand(HWND window, LPARAM);       // the About dialog
void WINAPI TestCommand(HWND window, LPARAM);        // the version watch on the host's current mail

}  // namespace quorvel::win
