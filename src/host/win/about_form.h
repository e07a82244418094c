// The About dialog: who made the module, with its picture and version.
#pragma once

#include <windows.h>

#include "common/win/dialog_support.h"

namespace quorvel::win {

class TAboutForm {
 public:
  // Shows the dialog modally, without an owner, until OK ends it.
  void ShowModal();

  void Attach(HWND window) { window_ = window; }
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void Prepare();

  HWND window_ = nullptr;
  FormFont font_;
  UniqueFont formFont_, versionFont_;
  UniqueBitmap picture_;
  HBRUSH background_ = nullptr;  // the system's, not owned
};

}  // namespace quorvel::win
