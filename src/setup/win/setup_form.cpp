#include "setup/win/setup_form.h"

#include <vector>

#include "resources/resource.h"
#include "common/win/dialog_support.h"
#include "common/win/help.h"
#include "common/win/settings_store.h"
#include "common/win/wide_text.h"
#include "host/identity.h"
#include "host/win/module_state.h"
#include "setup/setup_texts.h"

namespace quorvel::win {
namespace {

constexpr char kFormName[] = "SetupForm";

// The designed form, in pixels at 96 dots per inch.
constexpr int kDesignLeft = 35, kDesignTop = 192;
constexpr int kClientWidth = 416, kClientHeight = 136;
constexpr int kBottomPanelHeight = 31, kHelpPanelWidth = 83;
constexpr int kButtonWidth = 73, kButtonHeight = 25;

// Posted to the form to maximize it once it is on the screen.
constexpr UINT kMaximizeMessage = WM_APP + 1;

bool Setting(const char* keyPath, const char* valueName) {
  return ToBoolean(ReadSetting(keyPath, valueName, Variant::Boolean(true)), true);
}

}  // namespace

int TSetupForm::ShowModal() {
  return static_cast<int>(ShowFormModal(Module().instance, IDD_SETUP, *this));
}

INT_PTR TSetupForm::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      FormCreate();
      FormShow();
      return true;
    case WM_SIZE:
      LayOut();
      return true;
    case WM_WINDOWPOSCHANGED:
      // The dialog manager shows the dialog when its message queue first runs empty, and Wine's
      // shows it normal even when it is already maximized: a stored maximized state is applied after
      // that first showing, from a posted message.
      if (maximizeWhenShown_ && (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW)) {
        maximizeWhenShown_ = false;
        PostMessageA(window_, kMaximizeMessage, 0, 0);
      }
      return false;
    case kMaximizeMessage:
      ShowWindow(window_, SW_SHOWMAXIMIZED);
      return true;
    case WM_GETFONT:
      // The form's font, not the template's.
      if (!font_) return false;
      SetWindowLongPtrW(window_, DWLP_MSGRESULT, reinterpret_cast<LONG_PTR>(font_.get()));
      return true;
    case WM_CLOSE:
      End(IDCANCEL);
      return true;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          OKButtonClick();
          End(IDOK);
          return true;
        case IDCANCEL:
          End(IDCANCEL);
          return true;
        case IDC_HELP_BUTTON:
          HelpButtonClick();
          return true;
      }
      return false;
  }
  return false;
}

void TSetupForm::FormCreate() {
  const auto control = [this](int id) { return GetDlgItem(window_, id); };
  OKButton = control(IDOK);
  CancelButton = control(IDCANCEL);
  HelpButton = control(IDC_HELP_BUTTON);
  Bevel1 = control(IDC_BEVEL);
  ListWithPathCheck = TAlignableCheckBox(control(IDC_LIST_WITH_PATH_CHECK), Align::kTop, 17);
  ListWithoutPathCheck = TAlignableCheckBox(control(IDC_LIST_WITHOUT_PATH_CHECK), Align::kTop, 17);
  CompListCheck = TAlignableCheckBox(control(IDC_COMP_LIST_CHECK), Align::kTop, 17);
  BeckyOnlyCheck = TAlignableCheckBox(control(IDC_BECKY_ONLY_CHECK), Align::kTop, 17);

  // The form's font with its Shift-JIS character set, which the dialog template cannot give: the
  // texts are Japanese whatever the system's language.
  font_ = CreateFormFont(BuiltInFont(true));
  for (HWND child = GetWindow(window_, GW_CHILD); font_ && child; child = GetWindow(child, GW_HWNDNEXT))
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);

  const HINSTANCE instance = Module().instance;
  bigIcon_.reset(static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_QUORVEL), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0)));
  smallIcon_.reset(
      static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_QUORVEL), IMAGE_ICON,
                                    GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));
  SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
  SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));

  // The designed place and client size, then what the settings keep of them.
  RECT outer{0, 0, Scaled(kClientWidth), Scaled(kClientHeight)};
  AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongA(window_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongA(window_, GWL_EXSTYLE)));
  SetWindowPos(window_, nullptr, kDesignLeft, kDesignTop, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  LayOut();
  maximizeWhenShown_ = LoadFormPlacement(window_, kFormName);
}

void TSetupForm::FormShow() {
  ListWithPathCheck.SetChecked(Setting("Menu", "ListWithPath"));
  ListWithoutPathCheck.SetChecked(Setting("Menu", "ListWithoutPath"));
  CompListCheck.SetChecked(Setting("Menu", "CompList"));
  BeckyOnlyCheck.SetChecked(Setting("Check", "BeckyOnly"));
}

void TSetupForm::FormClose() {
  SaveFormPlacement(window_, kFormName);
}

void TSetupForm::OKButtonClick() {
  // The host builds its main menu only when it starts: say so when a main-menu switch changed.
  if (Setting("Menu", "ListWithPath") != ListWithPathCheck.Checked() ||
      Setting("Menu", "ListWithoutPath") != ListWithoutPathCheck.Checked()) {
    ShowMessageBox(window_, ShownText(kMainMenuNotice), kProductName, MB_OK | MB_ICONINFORMATION);
  }
  WriteSetting("Menu", "ListWithPath", Variant::Boolean(ListWithPathCheck.Checked()));
  WriteSetting("Menu", "ListWithoutPath", Variant::Boolean(ListWithoutPathCheck.Checked()));
  WriteSetting("Menu", "CompList", Variant::Boolean(CompListCheck.Checked()));
  WriteSetting("Check", "BeckyOnly", Variant::Boolean(BeckyOnlyCheck.Checked()));
}

void TSetupForm::HelpButtonClick() {
  ShowHelp(window_);
}

void TSetupForm::End(int modalResult) {
  FormClose();
  EndForm(window_, modalResult);
}

void TSetupForm::LayOut() {
  RECT client{};
  GetClientRect(window_, &client);
  const Bounds area{0, 0, client.right, client.bottom};
  const std::vector<Bounds> placed = Dock(area, {ListWithPathCheck.Docking(),
                                                 ListWithoutPathCheck.Docking(),
                                                 CompListCheck.Docking(),
                                                 {Align::kTop, {0, 0, 0, Scaled(3)}},
                                                 BeckyOnlyCheck.Docking(),
                                                 {Align::kBottom, {0, 0, 0, Scaled(kBottomPanelHeight)}}});
  const HWND docked[] = {ListWithPathCheck.Handle(), ListWithoutPathCheck.Handle(), CompListCheck.Handle(),
                         Bevel1, BeckyOnlyCheck.Handle()};
  for (size_t i = 0; i < std::size(docked); ++i) {
    SetWindowPos(docked[i], nullptr, placed[i].left, placed[i].top, placed[i].width, placed[i].height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // The bottom panel holds OK and Cancel at its left and the help panel docked to its right.
  const Bounds bottomPanel = placed[5];
  const Bounds helpPanel = Dock(bottomPanel, {{Align::kRight, {0, 0, Scaled(kHelpPanelWidth), 0}}})[0];
  const auto place = [](HWND button, const Bounds& panel, int left) {
    SetWindowPos(button, nullptr, panel.left + Scaled(left), panel.top + Scaled(4), Scaled(kButtonWidth),
                 Scaled(kButtonHeight), SWP_NOZORDER | SWP_NOACTIVATE);
  };
  place(OKButton, bottomPanel, 8);
  place(CancelButton, bottomPanel, 88);
  place(HelpButton, helpPanel, 4);
  InvalidateRect(window_, nullptr, TRUE);
}

int ShowSetupDialog() {
  TSetupForm form;
  const int result = form.ShowModal();
  // What the dialog wrote, placement included, reaches the file now rather than at the next
  // retrieval, so the notice's promise holds even when the host exits first.
  SaveSettings();
  return result;
}

}  // namespace quorvel::win
