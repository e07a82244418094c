#include "host_api.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "host.h"
#include "text.h"
#include "trace.h"

using b2host::ComposeWindow;
using b2host::Host;
using b2host::QuotedAnsi;
using b2host::RunningHost;
using b2host::TraceApi;

namespace {

// The start of every host API function with behaviour: the text of BKA_GetCurrentMail handed out
// before is taken back, as the mail client promises it only until the next call.
Host* EnterApi() {
  Host* host = RunningHost();
  if (host) host->Texts().TakeBackCurrentMail();
  return host;
}

std::wstring Quoted(LPCSTR text) {
  return text ? QuotedAnsi(text) : std::wstring(L"null");
}
std::wstring Window(HWND window) {
  return b2host::DescribeWindow(window);
}

const std::string kEmpty;

}  // namespace

extern "C" {

LPCSTR WINAPI BKA_GetVersion() {
  Host* host = EnterApi();
  const std::string& version = host ? host->VersionText() : kEmpty;
  TraceApi(L"BKA_GetVersion", L"", QuotedAnsi(version));
  return version.c_str();
}

int WINAPI BKA_Command(HWND window, LPCSTR command) {
  EnterApi();
  ComposeWindow* compose = ComposeWindow::Of(window);
  if (compose && command && std::strcmp(command, "EditPaste") == 0) compose->PasteLater();
  TraceApi(L"BKA_Command", Window(window) + L", " + Quoted(command), L"0");
  return 0;
}

int WINAPI BKA_RegisterCommand(LPCSTR description, int windowType, b2host::CommandCallback callback) {
  Host* host = EnterApi();
  if (!host) return 0;
  // The code behind the callback tells whose command it is; failing that, the plug-in being called.
  b2host::PlugIn* owner = host->PlugInAt(reinterpret_cast<const void*>(callback));
  if (!owner) owner = b2host::PlugIn::Calling();
  UINT id = host->Commands().Register(description ? description : "", windowType, callback, owner);
  TraceApi(L"BKA_RegisterCommand", Quoted(description) + L", " + std::to_wstring(windowType) + L", callback",
           std::to_wstring(id));
  return static_cast<int>(id);
}

LPCSTR WINAPI BKA_GetDataFolder() {
  Host* host = EnterApi();
  const std::string& folder = host ? host->DataFolderText() : kEmpty;
  TraceApi(L"BKA_GetDataFolder", L"", QuotedAnsi(folder));
  return folder.c_str();
}

LPCSTR WINAPI BKA_GetCurrentMail() {
  Host* host = EnterApi();
  const std::string& id = host ? host->Mails().CurrentId() : kEmpty;
  LPCSTR text = host ? host->Texts().LendCurrentMail(id) : kEmpty.c_str();
  TraceApi(L"BKA_GetCurrentMail", L"", QuotedAnsi(id));
  return text;
}

// A new text for each call, which the plug-in gives back with BKA_Free.
LPCSTR WINAPI BKA_GetSource(LPCSTR mailId) {
  Host* host = EnterApi();
  if (!host) return kEmpty.c_str();
  // An id that the host has taken back is not read: it is answered as an unknown one.
  const bool takenBack = host->Texts().RefuseTakenBack(mailId, L"BKA_GetSource");
  const std::string source = takenBack ? std::string() : host->Mails().Source(mailId ? mailId : "");
  LPCSTR text = host->Texts().LendSource(source);
  TraceApi(L"BKA_GetSource", takenBack ? std::wstring(L"<taken back>") : Quoted(mailId),
           L"<" + std::to_wstring(source.size()) + L" bytes>");
  return text;
}

void WINAPI BKA_Free(LPVOID memory) {
  Host* host = EnterApi();
  if (!host) return;
  std::wstring shown = host->Texts().GiveBack(memory);
  TraceApi(L"BKA_Free", shown, L"done");
}

int WINAPI BKA_CompGetSpecifiedHeader(HWND window, LPCSTR headerName, LPSTR buffer, int size) {
  EnterApi();
  const std::string* value = nullptr;
  if (ComposeWindow* compose = ComposeWindow::Of(window); compose && headerName) {
    value = compose->FindHeader(headerName);
  }
  // Like lstrcpynA: at most size - 1 bytes, then a NUL.
  int copied = 0;
  if (buffer && size > 0) {
    if (value) copied = static_cast<int>(std::min<size_t>(value->size(), static_cast<size_t>(size - 1)));
    if (copied > 0) std::memcpy(buffer, value->data(), copied);
    buffer[copied] = '\0';
  }
  TraceApi(
      L"BKA_CompGetSpecifiedHeader",
      Window(window) + L", " + Quoted(headerName) + L", buffer, " + std::to_wstring(size),
      std::to_wstring(copied) + L" " + QuotedAnsi(std::string(buffer && size > 0 ? buffer : "", copied)));
  return copied;
}

int WINAPI BKA_CompSetSpecifiedHeader(HWND window, LPCSTR headerName, LPCSTR value) {
  EnterApi();
  ComposeWindow* compose = ComposeWindow::Of(window);
  int result = 0;
  if (compose && headerName && *headerName) {
    compose->SetHeader(headerName, value ? value : "");
    result = 1;
  }
  TraceApi(L"BKA_CompSetSpecifiedHeader", Window(window) + L", " + Quoted(headerName) + L", " + Quoted(value),
           std::to_wstring(result));
  return result;
}

}  // extern "C"
