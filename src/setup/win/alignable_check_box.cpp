#include "setup/win/alignable_check_box.h"

#include "common/win/dialog_support.h"

namespace quorvel::win {

DockedControl TAlignableCheckBox::Docking() const {
  const int thickness = Scaled(thickness_);
  return {Align_, {0, 0, thickness, thickness}};
}

}  // namespace quorvel::win
