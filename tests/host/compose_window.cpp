#include "compose_window.h"

#include <cstring>

#include "host.h"

namespace b2host {
namespace {

constexpr UINT kPasteMessage = WM_APP + 1;

bool SameHeaderName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

void ComposeWindow::RegisterClassOnce() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &ComposeWindow::Procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = ComposeWindow::kClassName;
  registered = RegisterClassExW(&windowClass) != 0;
}

std::unique_ptr<ComposeWindow> ComposeWindow::Open(const MenuLayout& layout) {
  RegisterClassOnce();
  std::unique_ptr<ComposeWindow> compose(new ComposeWindow);
  UniqueMenu menuBar = BuildComposeMenuBar(layout);
  compose->window_.reset(CreateWindowExW(0, kClassName, L"B2 - compose", WS_OVERLAPPEDWINDOW, 40, 40, 640,
                                         480, nullptr, menuBar.get(), GetModuleHandleW(nullptr),
                                         compose.get()));
  if (!compose->window_) return nullptr;
  menuBar.release();  // the window owns it now
  ShowWindow(compose->Window(), SW_SHOWNORMAL);
  return compose;
}

ComposeWindow* ComposeWindow::Of(HWND window) {
  if (!window || !IsWindow(window)) return nullptr;
  wchar_t className[64] = {};
  GetClassNameW(window, className, 64);
  if (std::wstring_view(className) != kClassName) return nullptr;
  return reinterpret_cast<ComposeWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

ComposeWindow::~ComposeWindow() {
  if (window_ && IsWindow(window_.get())) SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
}

const std::string* ComposeWindow::FindHeader(std::string_view name) const {
  for (const Header& header : headers_) {
    if (SameHeaderName(header.name, name)) return &header.value;
  }
  return nullptr;
}

void ComposeWindow::SetHeader(std::string_view name, std::string_view value) {
  for (auto it = headers_.begin(); it != headers_.end(); ++it) {
    if (!SameHeaderName(it->name, name)) continue;
    if (value.empty()) {
      headers_.erase(it);
    } else {
      it->value = value;
    }
    return;
  }
  if (!value.empty()) headers_.push_back({std::string(name), std::string(value)});
}

void ComposeWindow::PasteLater() {
  PostMessageW(Window(), kPasteMessage, 0, 0);
}

void ComposeWindow::PasteClipboard() {
  std::string text;
  if (ReadClipboardText(Window(), text)) body_ += text;
}

LRESULT CALLBACK ComposeWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  ComposeWindow* compose = reinterpret_cast<ComposeWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case kPasteMessage:
      if (compose) compose->PasteClipboard();
      return 0;
    case WM_COMMAND:
      if (Host* host = RunningHost()) host->OnMenuCommand(window, LOWORD(wParam));
      return 0;
    case WM_NCDESTROY:
      if (compose) {
        compose->window_.release();  // already being destroyed
        if (Host* host = RunningHost()) host->ForgetCompose(compose);
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool ReadClipboardText(HWND owner, std::string& text) {
  ClipboardLock lock(owner);
  if (!lock.IsOpen()) return false;
  HANDLE data = GetClipboardData(CF_TEXT);
  if (!data) return false;
  const char* bytes = static_cast<const char*>(GlobalLock(data));
  if (!bytes) return false;
  SIZE_T size = GlobalSize(data);
  text.assign(bytes, strnlen(bytes, size));
  GlobalUnlock(data);
  return true;
}

}  // namespace b2host
