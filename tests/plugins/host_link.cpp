#include "host_link.h"

namespace testplugin {
namespace {

template <typename Fn>
bool Bind(HMODULE module, const char* name, Fn& function) {
  // Through void (*)(), the type that casts to any function type without a warning.
  function = reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
  return function != nullptr;
}

}  // namespace

const HostLink* Host() {
  static HostLink link;
  static int state = 0;  // 0 not tried, 1 bound, -1 failed
  if (state == 0) {
    // The host module stays loaded as long as the process, so its handle is never freed.
    HMODULE module = LoadLibraryA("B2.exe");
    bool bound = module && Bind(module, "BKA_GetVersion", link.getVersion) &&
                 Bind(module, "BKA_Command", link.command) &&
                 Bind(module, "BKA_RegisterCommand", link.registerCommand) &&
                 Bind(module, "BKA_GetDataFolder", link.getDataFolder) &&
                 Bind(module, "BKA_GetCurrentMail", link.getCurrentMail) &&
                 Bind(module, "BKA_GetSource", link.getSource) && Bind(module, "BKA_Free", link.free) &&
                 Bind(module, "BKA_CompGetSpecifiedHeader", link.compGetSpecifiedHeader) &&
                 Bind(module, "BKA_CompSetSpecifiedHeader", link.compSetSpecifiedHeader);
    state = bound ? 1 : -1;
  }
  return state == 1 ? &link : nullptr;
}

}  // namespace testplugin
