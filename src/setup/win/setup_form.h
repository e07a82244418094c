// The setup dialog: the four options of the module, with a notice when a main-menu switch changes.
#pragma once

#include <windows.h>

#include "common/win/dialog_support.h"
#include "common/win/handles.h"
#include "setup/win/alignable_check_box.h"

namespace quorvel::win {

class TSetupForm {
 public:
  // Shows the dialog modally, without an owner. 1 after OK; 2 after Cancel, Esc or the close box.
  int ShowModal();

  void Attach(HWND window) { window_ = window; }
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void FormCreate();
  void FormShow();
  void FormClose();
  void OKButtonClick();
  void HelpButtonClick();
  void End(int modalResult);
  // Docks the controls to the dialog's client area; they follow every resize.
  void LayOut();

  HWND window_ = nullptr;
  HWND OKButton = nullptr;
  HWND CancelButton = nullptr;
  HWND HelpButton = nullptr;
  HWND Bevel1 = nullptr;
  TAlignableCheckBox ListWithPathCheck, ListWithoutPathCheck, CompListCheck, BeckyOnlyCheck;
  UniqueIcon bigIcon_, smallIcon_;
  UniqueFont font_;
  // A stored maximized state, applied once the dialog has first been shown.
  bool maximizeWhenShown_ = false;
};

// Shows the setup dialog and gives its modal result; the settings file is saved when it ends.
int ShowSetupDialog();

}  // namespace quorvel::win
