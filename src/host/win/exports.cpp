// The functions the host calls. Each hands its work to the part of the module that does it, inside
// the boundary guard, and answers with its fixed result.
#include <windows.h>

#include "host/plugin_info.h"
#include "host/win/boundary_guard.h"
#include "host/win/menus.h"
#include "host/win/module_state.h"
#include "mail/win/stamp_plugin_header.h"
#include "mail/win/version_watch_shell.h"
#include "setup/win/setup_form.h"

using namespace quorvel;
using namespace quorvel::win;

namespace {

// Each lives as long as the module; the host may keep the address.
const char kNeverPrecede[4] = {};
const char kNeverFollow[4] = {};

// Window types of BKC_OnMenuInit.
constexpr int kMainWindow = 0;
constexpr int kComposeWindow = 10;

bool Bound() {
  return Module().hostApiBound;
}

}  // namespace

extern "C" {

int WINAPI BKC_OnStart() {
  AtHostBoundary([] {
    if (Bound()) FinishToolMenu(false);
  });
  return 0;
}

int WINAPI BKC_OnExit() {
  AtHostBoundary([] { ReleaseKnownSoftware(); });
  return 0;
}

int WINAPI BKC_OnMenuInit(HWND, HMENU menuBar, int windowType) {
  AtHostBoundary([=] {
    if (!Bound()) return;
    if (windowType == kMainWindow) {
      LoadKnownSoftware();
      BuildMainWindowMenu(menuBar);
    } else if (windowType == kComposeWindow) {
      BuildComposeWindowMenu(menuBar);
    }
  });
  return 0;
}

int WINAPI BKC_OnOpenCompose(HWND, int) {
  AtHostBoundary([] {
    if (Bound()) FinishToolMenu(true);
  });
  return 0;
}

int WINAPI BKC_OnOutgoing(HWND window, int) {
  AtHostBoundary([window] {
    if (Bound()) StampPlugInHeader(window);
  });
  return 0;
}

int WINAPI BKC_OnRetrieve(LPCSTR text, LPCSTR) {
  AtHostBoundary([text] {
    if (Bound()) ScanRetrievedMessage(text);
  });
  return 0;
}

int WINAPI BKC_OnFinishRetrieve(int) {
  AtHostBoundary([] { FinishRetrieval(); });
  return 0;
}

int WINAPI BKC_OnPlugInSetup(HWND) {
  AtHostBoundary([] {
    if (ShowSetupDialog() == IDOK) ReadMailerFilter();
  });
  return 1;
}

int WINAPI BKC_OnPlugInInfo(TPlugInInfo* info) {
  AtHostBoundary([info] {
    if (info) FillPlugInInfo(*info, GetACP() == 932);
  });
  return 0;
}

LPCSTR WINAPI NeverPrecede() {
  return kNeverPrecede;
}

LPCSTR WINAPI NeverFollow() {
  return kNeverFollow;
}

}  // extern "C"
