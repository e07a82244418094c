// Watches the host's thread for message boxes and dialogs (windows of class "#32770", and the dialogs
// of the plug-ins' DialogBox calls whatever their class), prints what each shows and closes it, or
// lets the queued dialog actions drive it, so that nothing waits for a user who is not there.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "dialog_driver.h"
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

  // A step to carry out while the next message box is open, before its button is pressed, as a
  // host does when its message loop runs inside a plug-in's box; steps queue up for successive boxes.
  void QueueStepInBox(std::wstring step) { boxSteps_.push_back(std::move(step)); }
  void SetStepRunner(std::function<bool(const std::wstring&)> runStep) { runStep_ = std::move(runStep); }
  bool StepInBoxFailed() const { return stepInBoxFailed_; }

  // The actions for the next dialog that opens; lists queue up for successive dialogs.
  void QueueDialog(std::vector<DialogAction> actions) { driver_.Queue(std::move(actions)); }
  bool DialogActionFailed() const { return driver_.Failed(); }

 private:
  static LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam);
  void OnActivate(HWND window);
  void OnDestroy(HWND window);
  void HandleMessageBox(HWND box);
  // Printed, then driven by its queued actions or cancelled.
  void HandleDialog(HWND dialog);
  // Runs the box's queued step from the box's own message loop, then presses its button.
  static void CALLBACK RunStepInBox(HWND, UINT, UINT_PTR timer, DWORD);

  std::function<std::wstring(HWND)> describeOwner_;
  UniqueHook hook_;
  std::set<HWND> handled_;  // a box activates again when another window closes
  std::set<HWND> dialogs_;  // handled windows that are dialogs, not message boxes
  std::deque<std::wstring> answers_;
  std::deque<std::wstring> boxSteps_;
  struct BoxStep {
    UINT_PTR timer;
    HWND box;
    int press;
    std::wstring step;
  };
  std::vector<BoxStep> runningBoxSteps_;
  std::function<bool(const std::wstring&)> runStep_;
  bool stepInBoxFailed_ = false;
  DialogDriver driver_;
};

}  // namespace b2host
