// Docking controls to the edges of their parent, as the setup dialog's controls are: each docked
// control takes its edge's whole length and its own thickness, in the order given, from what the
// controls before it left free.
#pragma once

#include <vector>

namespace quorvel {

enum class Align { kNone, kTop, kBottom, kLeft, kRight };

struct Bounds {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const Bounds& other) const {
    return left == other.left && top == other.top && width == other.width && height == other.height;
  }
};

struct DockedControl {
  Align align = Align::kNone;
  Bounds bounds;  // the thickness (height for top and bottom, width for left and right) counts;
                  // a control that is not docked keeps these bounds
};

// The bounds of each control inside `area`, in the same order.
std::vector<Bounds> Dock(const Bounds& area, const std::vector<DockedControl>& controls);

}  // namespace quorvel
