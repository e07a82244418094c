// The host API functions a test plug-in calls, bound by name from the running host as plug-ins of
// the mail client do: LoadLibraryA("B2.exe") and GetProcAddress.
#pragma once

#include <windows.h>

namespace testplugin {

using CommandCallback = void(WINAPI*)(HWND window, LPARAM unused);

struct HostLink {
  LPCSTR(WINAPI* getVersion)() = nullptr;
  int(WINAPI* command)(HWND window, LPCSTR name) = nullptr;
  int(WINAPI* registerCommand)(LPCSTR description, int windowType, CommandCallback callback) = nullptr;
  LPCSTR(WINAPI* getDataFolder)() = nullptr;
  LPCSTR(WINAPI* getCurrentMail)() = nullptr;
  LPCSTR(WINAPI* getSource)(LPCSTR mailId) = nullptr;
  void(WINAPI* free)(LPVOID memory) = nullptr;
  int(WINAPI* compGetSpecifiedHeader)(HWND window, LPCSTR header, LPSTR buffer, int size) = nullptr;
  int(WINAPI* compSetSpecifiedHeader)(HWND window, LPCSTR header, LPCSTR value) = nullptr;
};

// The host's functions, bound on first use; null when the host cannot be loaded under that name or
// lacks one of them. A text of getSource is the plug-in's, given back with free; the text of
// getCurrentMail is valid only until the next call of any of them.
const HostLink* Host();

}  // namespace testplugin
