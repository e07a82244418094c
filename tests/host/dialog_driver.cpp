#include "dialog_driver.h"

#include <algorithm>

#include "dialog_description.h"
#include "host.h"
#include "output.h"
#include "screenshot.h"
#include "text.h"

namespace b2host {
namespace {

DialogDriver* g_driver = nullptr;

// Timer ids on the dialog window, unlikely to be the dialog's own.
constexpr UINT_PTR kActionTimer = 0xB2D10001;
constexpr UINT_PTR kCloseTimer = 0xB2D10002;
constexpr UINT_PTR kEndTimer = 0xB2D10003;

constexpr DWORD kActionGap = 10;            // between two actions: the dialog first handles what is queued
constexpr DWORD kGraceMilliseconds = 2000;  // a dialog left open, before the host closes it

void PressCancel(HWND dialog) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
}

// The dialog's controls, and theirs, in z-order.
void CollectControls(HWND parent, std::vector<HWND>& controls, int depth = 0) {
  if (depth > 8) return;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    controls.push_back(child);
    CollectControls(child, controls, depth + 1);
  }
}

std::wstring WithoutAmpersands(std::wstring text) {
  text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
  return text;
}

HWND FindControl(HWND dialog, const DialogAction& action) {
  std::vector<HWND> controls;
  CollectControls(dialog, controls);
  for (HWND control : controls) {
    if (action.id ? GetDlgCtrlID(control) == *action.id : WindowText(control) == action.caption)
      return control;
  }
  if (action.id) return nullptr;
  for (HWND control : controls) {
    if (WithoutAmpersands(WindowText(control)) == action.caption) return control;
  }
  return nullptr;
}

void PostKey(HWND dialog, UINT key) {
  HWND target = GetFocus();
  if (target != dialog && !IsChild(dialog, target)) target = dialog;
  LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
  PostMessageW(target, WM_KEYDOWN, key, scan | 1);
  PostMessageW(target, WM_KEYUP, key, scan | 1 | (1L << 30) | (1UL << 31));
}

}  // namespace

DialogDriver::DialogDriver(std::function<std::wstring(HWND)> describeOwner)
    : describeOwner_(std::move(describeOwner)) {
  g_driver = this;
}

DialogDriver::~DialogDriver() {
  for (const auto& [dialog, session] : sessions_) {
    for (UINT_PTR timer : {kActionTimer, kCloseTimer, kEndTimer})
      KillTimer(dialog, timer);
  }
  g_driver = nullptr;
}

void DialogDriver::OnOpened(HWND dialog) {
  if (queued_.empty()) {
    sessions_[dialog] = Session{};
    PressCancel(dialog);
    SetTimer(dialog, kEndTimer, kGraceMilliseconds, &DialogDriver::OnTimer);
    return;
  }
  sessions_[dialog] = Session{std::move(queued_.front()), 0};
  queued_.pop_front();
  ScheduleNext(dialog, kActionGap);
}

void DialogDriver::ScheduleNext(HWND dialog, DWORD delay) {
  auto found = sessions_.find(dialog);
  if (found == sessions_.end() || !IsWindow(dialog)) return;
  if (found->second.next < found->second.actions.size()) {
    SetTimer(dialog, kActionTimer, delay, &DialogDriver::OnTimer);
  } else {
    // A last wait:MS keeps the dialog open that much longer.
    SetTimer(dialog, kCloseTimer, delay + kGraceMilliseconds, &DialogDriver::OnTimer);
  }
}

void CALLBACK DialogDriver::OnTimer(HWND dialog, UINT, UINT_PTR timer, DWORD) {
  KillTimer(dialog, timer);
  if (g_driver) g_driver->Fire(dialog, timer);
}

void DialogDriver::Fire(HWND dialog, UINT_PTR timer) {
  auto found = sessions_.find(dialog);
  if (found == sessions_.end()) return;
  // A dialog that has ended is hidden until its modal loop gets to destroy it (a message box it
  // opened may still be running): nothing is done to it, and the timer waits again.
  if (!IsWindowVisible(dialog)) {
    SetTimer(dialog, timer, timer == kActionTimer ? kActionGap : kGraceMilliseconds, &DialogDriver::OnTimer);
    return;
  }
  if (timer == kCloseTimer) {
    PrintLine(L"dialog: closed by the host");
    PressCancel(dialog);
    SetTimer(dialog, kEndTimer, kGraceMilliseconds, &DialogDriver::OnTimer);
    return;
  }
  if (timer == kEndTimer) {
    PrintLine(L"dialog: still open after IDCANCEL; ended by the host");
    EndDialog(dialog, IDCANCEL);
    return;
  }
  // The action is copied: while it runs, nested message loops may open and close other dialogs.
  DialogAction action = found->second.actions[found->second.next++];
  Run(dialog, action);
  ScheduleNext(dialog, action.kind == DialogAction::Kind::kWait ? action.milliseconds : kActionGap);
}

void DialogDriver::Run(HWND dialog, const DialogAction& action) {
  switch (action.kind) {
    case DialogAction::Kind::kPrint:
      for (const std::wstring& line : DescribeDialog(dialog, describeOwner_))
        PrintLine(line);
      break;
    case DialogAction::Kind::kClick:
      Click(dialog, action);
      break;
    case DialogAction::Kind::kKey:
      PostKey(dialog, action.key);
      break;
    case DialogAction::Kind::kClose: {
      bool enabled = false;
      if (!HasCloseBox(dialog, enabled)) {
        PrintLine(L"dialog: no close box");
      } else if (!enabled) {
        PrintLine(L"dialog: the close box is disabled");
      } else {
        SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
      }
      break;
    }
    case DialogAction::Kind::kResize:
    case DialogAction::Kind::kMove:
      Drag(dialog, action);
      break;
    case DialogAction::Kind::kScreenshot: {
      int width = 0, height = 0;
      if (SaveScreenshot(dialog, action.path.empty() ? action.text : action.path, width, height)) {
        PrintLine(L"dialog: screenshot " + action.text + L" " + std::to_wstring(width) + L"x" +
                  std::to_wstring(height));
      } else {
        PrintLine(L"dialog: cannot write screenshot " + action.text);
        failed_ = true;
      }
      break;
    }
    case DialogAction::Kind::kWindows:
      // The line of the step `windows`, so a test sees the host's windows as the dialog leaves them.
      if (const Host* host = RunningHost()) PrintLine(host->WindowsLine());
      break;
    case DialogAction::Kind::kWait:
      break;
  }
}

void DialogDriver::Click(HWND dialog, const DialogAction& action) {
  HWND control = FindControl(dialog, action);
  if (!control) {
    PrintLine(L"dialog: no control " + action.text);
  } else if (!IsWindowVisible(control)) {
    PrintLine(L"dialog: control " + action.text + L" hidden");
  } else if (!IsWindowEnabled(control)) {
    PrintLine(L"dialog: control " + action.text + L" disabled");
  } else {
    // The button presses and releases itself and tells the dialog, as under the mouse; a message box
    // that the dialog then shows runs (and is answered) inside this call.
    SendMessageW(control, BM_CLICK, 0, 0);
  }
}

void DialogDriver::Drag(HWND dialog, const DialogAction& action) {
  bool resize = action.kind == DialogAction::Kind::kResize;
  if (resize && !IsSizeable(dialog)) {
    PrintLine(L"dialog: the frame is not sizeable");
    return;
  }
  if (!resize && !HasTitleBar(dialog)) {
    PrintLine(L"dialog: no title bar to drag");
    return;
  }
  RECT rect = {};
  GetWindowRect(dialog, &rect);
  if (resize) {
    rect.right = rect.left + action.x;
    rect.bottom = rect.top + action.y;
  } else {
    OffsetRect(&rect, action.x - rect.left, action.y - rect.top);
  }
  // The messages of a drag with the mouse, so the dialog can limit or remember the change.
  SendMessageW(dialog, WM_ENTERSIZEMOVE, 0, 0);
  SendMessageW(dialog, resize ? WM_SIZING : WM_MOVING, resize ? WMSZ_BOTTOMRIGHT : 0,
               reinterpret_cast<LPARAM>(&rect));
  SetWindowPos(dialog, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(dialog, WM_EXITSIZEMOVE, 0, 0);
}

}  // namespace b2host
