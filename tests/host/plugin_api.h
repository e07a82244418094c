// The plug-in interface as the host sees it: the exports it looks up by name in each plug-in and the
// command callback that plug-ins register. Every function is stdcall and takes and returns 32-bit
// values; texts are zero-terminated ANSI.
#pragma once

#include <windows.h>

namespace b2host {

using OnStartFn = int(WINAPI*)();
using OnExitFn = int(WINAPI*)();
using OnMenuInitFn = int(WINAPI*)(HWND window, HMENU menuBar, int windowType);
using OnOpenComposeFn = int(WINAPI*)(HWND window, int mode);
using OnOutgoingFn = int(WINAPI*)(HWND composeWindow, int mode);
using OnRetrieveFn = int(WINAPI*)(LPCSTR messageText, LPCSTR mailId);
using OnFinishRetrieveFn = int(WINAPI*)(int messageCount);
using OnPlugInSetupFn = int(WINAPI*)(HWND window);
using OnPlugInInfoFn = int(WINAPI*)(void* info);
using NeverFn = LPCSTR(WINAPI*)();
using CommandCallback = void(WINAPI*)(HWND window, LPARAM unused);

// Window types of BKC_OnMenuInit and BKA_RegisterCommand.
inline constexpr int kMainWindowType = 0;
inline constexpr int kComposeWindowType = 10;

// The record of BKC_OnPlugInInfo, which the host zero-fills before the call.
struct PlugInInfo {
  char name[80];
  char vendor[80];
  char version[80];
  char description[256];
};
static_assert(sizeof(PlugInInfo) == 496);

enum class Export {
  kOnStart,
  kOnExit,
  kOnMenuInit,
  kOnOpenCompose,
  kOnOutgoing,
  kOnRetrieve,
  kOnFinishRetrieve,
  kOnPlugInSetup,
  kOnPlugInInfo,
  kNeverPrecede,
  kNeverFollow,
  kCount
};

const char* ExportName(Export e);

}  // namespace b2host
