// Load-time start-up and unload of the module.
#include <windows.h>

#include <cstdlib>
#include <exception>

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

// What the C++ runtime calls when it must give up (nothing should ever reach it: every export runs
// inside the boundary guard). The module's own, in place of the standard library's verbose one,
// which would bring the runtime's name demangler, tens of kilobytes, into the DLL.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
  std::abort();
}
}  // namespace __gnu_cxx
