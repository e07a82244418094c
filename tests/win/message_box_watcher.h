// Records every message box shown on this thread while it lives, and closes each with OK, so a
// test sees what a user would have seen and never waits for a click.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace quorvel::test {

struct SeenBox {
  std::string caption, text;           // as the system's code page spells them
  std::wstring wideCaption, wideText;  // as the user reads them
  HWND owner = nullptr;
  UINT icon = 0;  // MB_ICONWARNING, MB_ICONINFORMATION, MB_ICONERROR, MB_ICONQUESTION or 0
};

class MessageBoxWatcher {
 public:
  MessageBoxWatcher() {
    seen_ = &boxes_;
    hook_ = SetWindowsHookExA(WH_CBT, OnCbt, nullptr, GetCurrentThreadId());
  }
  ~MessageBoxWatcher() {
    UnhookWindowsHookEx(hook_);
    seen_ = nullptr;
  }
  MessageBoxWatcher(const MessageBoxWatcher&) = delete;
  MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

  const std::vector<SeenBox>& Boxes() const { return boxes_; }

 private:
  static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && seen_) {
      const HWND box = reinterpret_cast<HWND>(wParam);
      char className[32] = {};
      GetClassNameA(box, className, sizeof className);
      if (std::string(className) == "#32770") {
        char caption[256] = {}, text[4096] = {};
        GetWindowTextA(box, caption, sizeof caption);
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        wchar_t wideCaption[256] = {}, wideText[4096] = {};
        GetWindowTextW(box, wideCaption, 256);
        GetDlgItemTextW(box, 0xFFFF, wideText, 4096);
        seen_->push_back({caption, text, wideCaption, wideText, GetWindow(box, GW_OWNER), IconOf(box)});
        PostMessageA(box, WM_COMMAND, IDOK, 0);
      }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  // The icon control of a message box has the id 0x440 under Wine and 0x14 under Windows.
  static UINT IconOf(HWND box) {
    HICON shown = nullptr;
    for (int id : {0x440, 0x14}) {
      if (!shown) shown = reinterpret_cast<HICON>(SendDlgItemMessageA(box, id, STM_GETICON, 0, 0));
    }
    const std::pair<LPCSTR, UINT> icons[] = {{IDI_WARNING, MB_ICONWARNING},
                                             {IDI_INFORMATION, MB_ICONINFORMATION},
                                             {IDI_ERROR, MB_ICONERROR},
                                             {IDI_QUESTION, MB_ICONQUESTION}};
    for (const auto& [resource, icon] : icons) {
      if (shown && shown == LoadIconA(nullptr, resource)) return icon;
    }
    return 0;
  }

  static inline std::vector<SeenBox>* seen_ = nullptr;
  std::vector<SeenBox> boxes_;
  HHOOK hook_ = nullptr;
};

}  // namespace quorvel::test
