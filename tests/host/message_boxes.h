// Watches the host's thread for message boxes and dialogs (windows of class "#32770"), prints what
// each shows and closes it, so that nothing waits for a user who is not there.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "win_handle.h"

namespace b2host {

class MessageBoxWatcher {
 public:
  // `describeOwner` names a box's owner window: "none", "main window", "compose window" or "other".
  explicit MessageBoxWatcher(std::function<std::wstring(HWND)> describeOwner);
  ~MessageBoxWatcher();
  MessageBoxWatcher(const MessageBoxWatcher&) = delete;
  MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

  bool Installed() const { return hook_ != nullptr; }

  // The button ("OK", "Yes", ...) to press in the next message box instead of the usual one.
  void QueueAnswer(std::wstring button) { answers_.push_back(std::move(button)); }
  static bool IsButtonName(const std::wstring& name);

 private:
  static LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam);
  void OnActivate(HWND window);
  void HandleMessageBox(HWND box);
  // Every dialog is cancelled for now; scripted answers for dialogs would be chosen here.
  void HandleDialog(HWND dialog);

  std::function<std::wstring(HWND)> describeOwner_;
  UniqueHook hook_;
  std::set<HWND> handled_;  // a box activates again when another window closes
  std::deque<std::wstring> answers_;
};

}  // namespace b2host
