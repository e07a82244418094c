// Carries out the actions that `dialog:` steps queued, each list on the next dialog that opens, one
// action after another from the message loop that runs the dialog (a timer per action), so that an
// action that opens a message box or another dialog does not stop the watcher from handling it.
// A dialog that no script drives, or that is still open when its actions are used up, is closed with
// IDCANCEL (after 2 s in the second case); one that IDCANCEL does not close is ended 2 s later, so no
// dialog can keep a run waiting.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "dialog_actions.h"

namespace b2host {

class DialogDriver {
 public:
  // `describeOwner` names owner windows in descriptions.
  explicit DialogDriver(std::function<std::wstring(HWND)> describeOwner);
  ~DialogDriver();
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  void Queue(std::vector<DialogAction> actions) { queued_.push_back(std::move(actions)); }

  // A dialog has opened (it is shown and active).
  void OnOpened(HWND dialog);
  void OnDestroyed(HWND dialog) { sessions_.erase(dialog); }

  // Whether an action could not be carried out for a reason outside the dialog (a picture not written).
  bool Failed() const { return failed_; }

 private:
  struct Session {
    std::vector<DialogAction> actions;
    size_t next = 0;
  };

  static void CALLBACK OnTimer(HWND dialog, UINT message, UINT_PTR timer, DWORD time);
  void Fire(HWND dialog, UINT_PTR timer);
  void ScheduleNext(HWND dialog, DWORD delay);
  void Run(HWND dialog, const DialogAction& action);
  void Click(HWND dialog, const DialogAction& action);
  void Drag(HWND dialog, const DialogAction& action);

  std::function<std::wstring(HWND)> describeOwner_;
  std::deque<std::vector<DialogAction>> queued_;
  std::map<HWND, Session> sessions_;
  bool failed_ = false;
};

}  // namespace b2host
