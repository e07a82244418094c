#include "message_boxes.h"

#include "dialog_calls.h"
#include "dialog_description.h"
#include "output.h"
#include "text.h"

namespace b2host {
namespace {

MessageBoxWatcher* g_watcher = nullptr;

constexpr int kTextControlId = 0xFFFF;
// The icon of a message box is a static control with this id under Wine, the other under Windows.
constexpr int kIconControlIds[] = {0x440, 0x14};

struct Button {
  int id;
  const wchar_t* name;
};
// In this order the buttons of every message box type come out as the box shows them.
constexpr Button kButtons[] = {
    {IDOK, L"OK"},         {IDABORT, L"Abort"},       {IDRETRY, L"Retry"},
    {IDIGNORE, L"Ignore"}, {IDYES, L"Yes"},           {IDNO, L"No"},
    {IDCANCEL, L"Cancel"}, {IDTRYAGAIN, L"TryAgain"}, {IDCONTINUE, L"Continue"},
    {IDHELP, L"Help"},
};

std::wstring IconName(HWND box) {
  for (int id : kIconControlIds) {
    if (!GetDlgItem(box, id)) continue;
    HICON icon = reinterpret_cast<HICON>(SendDlgItemMessageW(box, id, STM_GETICON, 0, 0));
    if (!icon) continue;
    if (icon == LoadIcon(nullptr, IDI_WARNING)) return L"warning";
    if (icon == LoadIcon(nullptr, IDI_INFORMATION)) return L"information";
    if (icon == LoadIcon(nullptr, IDI_ERROR)) return L"error";
    if (icon == LoadIcon(nullptr, IDI_QUESTION)) return L"question";
    return L"other";
  }
  return L"none";
}

void Press(HWND box, int id) {
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

}  // namespace

MessageBoxWatcher::MessageBoxWatcher(std::function<std::wstring(HWND)> describeOwner)
    : describeOwner_(std::move(describeOwner)), driver_(describeOwner_) {
  g_watcher = this;
  hook_.reset(SetWindowsHookExW(WH_CBT, &MessageBoxWatcher::CbtHook, nullptr, GetCurrentThreadId()));
}

MessageBoxWatcher::~MessageBoxWatcher() {
  hook_.reset();
  g_watcher = nullptr;
}

bool MessageBoxWatcher::IsButtonName(const std::wstring& name) {
  for (const Button& button : kButtons) {
    if (name == button.name) return true;
  }
  return false;
}

LRESULT CALLBACK MessageBoxWatcher::CbtHook(int code, WPARAM wParam, LPARAM lParam) {
  if (g_watcher) {
    HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_CREATEWND) OnWindowCreated(window);
    if (code == HCBT_ACTIVATE) g_watcher->OnActivate(window);
    if (code == HCBT_DESTROYWND) g_watcher->OnDestroy(window);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void MessageBoxWatcher::OnActivate(HWND window) {
  // The dialog of a plug-in's DialogBox call is a dialog even when one of its labels has the id of a
  // message box's text (IDC_STATIC is that id too).
  bool watched = IsWatchedDialog(window);
  wchar_t className[16] = {};
  bool boxClass = GetClassNameW(window, className, 16) && std::wstring_view(className) == L"#32770";
  if (!watched && !boxClass) return;
  if (!handled_.insert(window).second) return;
  if (!watched && GetDlgItem(window, kTextControlId)) {
    HandleMessageBox(window);
  } else {
    dialogs_.insert(window);
    HandleDialog(window);
  }
}

void MessageBoxWatcher::OnDestroy(HWND window) {
  handled_.erase(window);
  // A box that closed before its step ran: the step is not run outside it.
  for (auto it = runningBoxSteps_.begin(); it != runningBoxSteps_.end();) {
    if (it->box != window) {
      ++it;
      continue;
    }
    KillTimer(nullptr, it->timer);
    PrintLine(L"the box closed before its step ran: " + it->step);
    stepInBoxFailed_ = true;
    it = runningBoxSteps_.erase(it);
  }
  // A watched DialogBox call prints the end of its dialog with the result when it returns; the end of
  // any other dialog is printed here.
  bool reported = OnWindowDestroyed(window);
  if (dialogs_.erase(window)) {
    driver_.OnDestroyed(window);
    if (!reported) PrintLine(L"dialog ended: caption " + QuotedWide(WindowText(window)));
  }
}

void MessageBoxWatcher::HandleMessageBox(HWND box) {
  std::vector<const Button*> present;
  for (const Button& button : kButtons) {
    if (GetDlgItem(box, button.id)) present.push_back(&button);
  }
  std::wstring buttons;
  for (const Button* button : present)
    buttons += (buttons.empty() ? L"" : L" ") + std::wstring(button->name);
  if (buttons.empty()) buttons = L"none";

  PrintLine(L"message box: caption " + QuotedWide(WindowText(box)) + L" icon " + IconName(box) +
            L" buttons " + buttons + L" owner " + describeOwner_(GetWindow(box, GW_OWNER)));
  for (std::wstring& piece : Split(WindowText(GetDlgItem(box, kTextControlId)), L'\n')) {
    if (!piece.empty() && piece.back() == L'\r') piece.pop_back();
    PrintLine(piece.empty() ? L"|" : L"| " + piece);
  }

  auto has = [&](int id) {
    for (const Button* button : present) {
      if (button->id == id) return true;
    }
    return false;
  };
  int press = has(IDOK) ? IDOK : has(IDCANCEL) ? IDCANCEL : present.empty() ? IDCANCEL : present.front()->id;
  if (!answers_.empty()) {
    std::wstring answer = answers_.front();
    answers_.pop_front();
    const Button* chosen = nullptr;
    for (const Button* button : present) {
      if (answer == button->name) chosen = button;
    }
    if (chosen) {
      press = chosen->id;
    } else {
      PrintLine(L"no button " + answer + L" in this message box");
    }
  }
  if (!boxSteps_.empty() && runStep_) {
    // Posted as a timer message, so that the step runs inside the box's message loop rather than
    // inside this hook.
    const std::wstring step = boxSteps_.front();
    boxSteps_.pop_front();
    if (UINT_PTR timer = SetTimer(nullptr, 0, 0, &MessageBoxWatcher::RunStepInBox)) {
      runningBoxSteps_.push_back({timer, box, press, step});
      return;
    }
    PrintLine(L"cannot run in the box: " + step);
    stepInBoxFailed_ = true;
  }
  Press(box, press);
}

void CALLBACK MessageBoxWatcher::RunStepInBox(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  if (!g_watcher) return;
  auto& running = g_watcher->runningBoxSteps_;
  for (auto it = running.begin(); it != running.end(); ++it) {
    if (it->timer != timer) continue;
    const BoxStep boxStep = *it;
    running.erase(it);
    PrintLine(L"in the box: " + boxStep.step);
    if (!g_watcher->runStep_(boxStep.step)) g_watcher->stepInBoxFailed_ = true;
    Press(boxStep.box, boxStep.press);
    return;
  }
}

void MessageBoxWatcher::HandleDialog(HWND dialog) {
  PrintLine(L"dialog: caption " + QuotedWide(WindowText(dialog)));
  driver_.OnOpened(dialog);
}

}  // namespace b2host
