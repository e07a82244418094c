// Records every message box shown on this thread while it lives, and closes each with OK, so a
// test sees what a user would have seen and never waits for a click.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace quorvel::test {

struct SeenBox {
  std::string caption, text;
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
        seen_->push_back({caption, text});
        PostMessageA(box, WM_COMMAND, IDOK, 0);
      }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static inline std::vector<SeenBox>* seen_ = nullptr;
  std::vector<SeenBox> boxes_;
  HHOOK hook_ = nullptr;
};

}  // namespace quorvel::test
