#include "inventory/win/plugin_list_command.h"

#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "common/paths.h"
#include "common/win/clipboard_text.h"
#include "common/win/file_io.h"
#include "common/win/module_paths.h"
#include "common/win/registry_reader.h"
#include "common/win/system_text.h"
#include "common/win/wide_text.h"
#include "host/identity.h"
#include "host/win/boundary_guard.h"
#include "host/win/module_state.h"
#include "inventory/list_file_message.h"
#include "inventory/win/plugin_discovery.h"
#include "inventory/win/plugin_info_reader.h"

namespace quorvel::win {
namespace {

constexpr char kHostSettingsKey[] = "\\HKEY_CURRENT_USER\\Software\\RimArts\\B2\\Settings";

// Handles every message waiting for this thread, so the host can carry out the paste.
void PumpPendingMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));  // the host's own loop has to see it
      return;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// The system's words for an error code, in its code page, without the final line break.
std::string SystemReason(DWORD error) {
  char* message = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      error, 0, reinterpret_cast<char*>(&message), 0, nullptr);
  const std::unique_ptr<char, decltype(&LocalFree)> owned(message, &LocalFree);
  std::string reason(message ? message : "", message ? length : 0);
  while (!reason.empty() && static_cast<unsigned char>(reason.back()) <= ' ')
    reason.pop_back();
  return reason;
}

// A list the user asked for and did not get is not passed over in silence (a folder the user may
// not write to, a file another program holds open).
void ShowListFileFailure(const std::string& path, DWORD error) {
  const ListFileFailure message = ListFileFailureMessage(path, SystemReason(error), IsJapanese());
  ShowMessageBox(nullptr, message.text, message.caption, MB_OK | MB_ICONWARNING);
}

void DeliverToFile(const std::string& text) {
  const std::string& folder = GetOwnFolder();
  const std::string path = folder + kModuleBaseName + ".txt";
  // Without the module's own folder the path would be relative to whatever folder is current.
  const DWORD error = IsFullPath(folder) ? WriteWholeFile(path, text) : ERROR_PATH_NOT_FOUND;
  if (error != ERROR_SUCCESS) {
    ShowListFileFailure(path, error);
    return;
  }
  ShellExecuteA(nullptr, "open", path.c_str(), "", "", SW_SHOW);
}

void DeliverToCompose(HWND window, const std::string& text) {
  // The user's clipboard text is put back afterwards; without one, the clipboard ends up empty.
  // A clipboard that cannot be read now is not replaced: its text could not be put back.
  std::optional<std::wstring> previous;
  if (!ReadClipboardText(window, previous)) return;
  if (!SetClipboardAnsiText(window, text)) {
    if (previous) SetClipboardWideText(window, *previous);
    return;
  }
  Module().hostApi.Command(window, "EditPaste");
  PumpPendingMessages();
  if (previous) {
    SetClipboardWideText(window, *previous);
  } else {
    SetClipboardAnsiText(window, "");
  }
}

void Run(HWND window, bool toCompose, TPlugInListKind kind) {
  AtHostBoundary([=] { ShowPlugInList(window, toCompose, kind); });
}

}  // namespace

void ShowPlugInList(HWND window, bool toCompose, TPlugInListKind kind) {
  std::vector<ListedPlugIn> plugIns;
  // One load of each module for all its fields.
  for (const std::string& path : ListPlugInFiles())
    plugIns.push_back({path, ReadPlugInInfo(path)});
  const std::string noLoadPin = ToText(ReadRegistryValue(kHostSettingsKey, "NoLoadPin", Variant::String("")));
  const std::string text =
      JoinLines(BuildPlugInList(kind, plugIns, NoLoadText(noLoadPin), SystemLeadBytes(), AnsiUpperCase));
  if (toCompose) {
    DeliverToCompose(window, text);
  } else {
    DeliverToFile(text);
  }
}

void WINAPI ListWithPathCommand(HWND window, LPARAM) {
  Run(window, false, lkWithPath);
}
void WINAPI ListWithoutPathCommand(HWND window, LPARAM) {
  Run(window, false, lkWithoutPath);
}
void WINAPI ListDetailCommand(HWND window, LPARAM) {
  Run(window, false, lkDetail);
}
void WINAPI ComposeListCommand(HWND window, LPARAM) {
  Run(window, true, lkWithoutPath);
}

}  // namespace quorvel::win
