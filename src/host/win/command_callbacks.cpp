#include "host/win/command_callbacks.h"

#include "common/win/help.h"
#include "host/win/boundary_guard.h"

namespace quorvel::win {

void WINAPI PluginHelpCommand(HWND window, LPARAM) {
  AtHostBoundary([window] { ShowHelp(window); });
}

}  // namespace quorvel::win
