// Load-time start-up and unload of the module.
#include <windows.h>

#include "host/win/boundary_guard.h"
#include "host/win/module_state.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  using namespace quorvel::win;
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(instance);
    AtHostBoundary([instance] { CreateModuleState(instance); });
  } else if (reason == DLL_PROCESS_DETACH) {
    AtHostBoundary([] { ReleaseModuleState(); });
  }
  // The module stays loaded even when the host could not be bound; it is then inert.
  return TRUE;
}
