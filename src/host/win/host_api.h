// The host's API table: one address per name of kHostApiNames, bound once when the module loads.
#pragma once

#include <windows.h>

#include <array>

#include "host/host_api_names.h"

namespace quorvel::win {

// What the host calls when the user chooses a command that the module registered.
using CommandCallback = void(WINAPI*)(HWND window, LPARAM unused);

class HostApi {
 public:
  std::array<FARPROC, kHostApiNames.size()> entries{};

  // The nine functions the module calls, with the arguments the host expects. A text the host
  // returns stays valid only until the next call of its API.
  LPCSTR GetVersion() const { return As<kGetVersion, LPCSTR(WINAPI*)()>()(); }
  void Command(HWND window, LPCSTR command) const {
    As<kCommand, int(WINAPI*)(HWND, LPCSTR)>()(window, command);
  }
  int RegisterCommand(LPCSTR description, int windowType, CommandCallback callback) const {
    return As<kRegisterCommand, int(WINAPI*)(LPCSTR, int, CommandCallback)>()(description, windowType,
                                                                              callback);
  }
  LPCSTR GetDataFolder() const { return As<kGetDataFolder, LPCSTR(WINAPI*)()>()(); }
  LPCSTR GetCurrentMail() const { return As<kGetCurrentMail, LPCSTR(WINAPI*)()>()(); }
  // The mail's whole source, allocated by the host for this call: the caller gives it back with Free.
  LPSTR GetSource(LPCSTR mailId) const { return As<kGetSource, LPSTR(WINAPI*)(LPCSTR)>()(mailId); }
  void Free(LPVOID text) const { As<kFree, void(WINAPI*)(LPVOID)>()(text); }
  void CompGetSpecifiedHeader(HWND window, LPCSTR header, LPSTR buffer, int size) const {
    As<kCompGetSpecifiedHeader, int(WINAPI*)(HWND, LPCSTR, LPSTR, int)>()(window, header, buffer, size);
  }
  void CompSetSpecifiedHeader(HWND window, LPCSTR header, LPCSTR value) const {
    As<kCompSetSpecifiedHeader, int(WINAPI*)(HWND, LPCSTR, LPCSTR)>()(window, header, value);
  }

 private:
  template <size_t Index, class Function>
  Function As() const {
    // void (*)() converts to and from every function pointer type without a warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(entries[Index]));
  }
};

// Binds the table from the host executable "B2.exe". False, without a message, when the host cannot
// be loaded; false after the mismatch warning when any name is missing.
bool BindHostApi(HostApi& api);

// True when an argument of the host's command line (the program name not included) is "/TESTMODE",
// in any letter case.
bool ReadTestSwitch();

}  // namespace quorvel::win
