#include "setup/docking.h"

#include <algorithm>

namespace quorvel {

std::vector<Bounds> Dock(const Bounds& area, const std::vector<DockedControl>& controls) {
  Bounds free = area;
  std::vector<Bounds> placed;
  for (const DockedControl& control : controls) {
    Bounds bounds = control.bounds;
    switch (control.align) {
      case Align::kTop:
        bounds = {free.left, free.top, free.width, std::min(bounds.height, free.height)};
        free.top += bounds.height;
        free.height -= bounds.height;
        break;
      case Align::kBottom:
        bounds.height = std::min(bounds.height, free.height);
        bounds = {free.left, free.top + free.height - bounds.height, free.width, bounds.height};
        free.height -= bounds.height;
        break;
      case Align::kLeft:
        bounds = {free.left, free.top, std::min(bounds.width, free.width), free.height};
        free.left += bounds.width;
        free.width -= bounds.width;
        break;
      case Align::kRight:
        bounds.width = std::min(bounds.width, free.width);
        bounds = {free.left + free.width - bounds.width, free.top, bounds.width, free.height};
        free.width -= bounds.width;
        break;
      case Align::kNone:
        break;
    }
    placed.push_back(bounds);
  }
  return placed;
}

}  // namespace quorvel
