// A check box that can be docked to an edge of its parent like a panel, following the parent's
// width when it is docked to the top.
#pragma once

#include <windows.h>

#include "setup/docking.h"

namespace quorvel::win {

class TAlignableCheckBox {
 public:
  TAlignableCheckBox() = default;
  TAlignableCheckBox(HWND control, Align align, int thickness)
      : control_(control), Align_(align), thickness_(thickness) {}

  HWND Handle() const { return control_; }
  Align GetAlign() const { return Align_; }
  DockedControl Docking() const;

  bool Checked() const { return SendMessageA(control_, BM_GETCHECK, 0, 0) == BST_CHECKED; }
  void SetChecked(bool checked) const {
    SendMessageA(control_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }

 private:
  HWND control_ = nullptr;
  Align Align_ = Align::kNone;
  int thickness_ = 0;  // in pixels at 96 dots per inch
};

}  // namespace quorvel::win
