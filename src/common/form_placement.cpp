#include "common/form_placement.h"

namespace quorvel {

const char* StateName(WindowState state) {
  switch (state) {
    case WindowState::kMinimized:
      return "Minimized";
    case WindowState::kMaximized:
      return "Maximized";
    default:
      return "Normal";
  }
}

WindowState StateFromName(const std::string& name) {
  if (name == "Minimized") return WindowState::kMinimized;
  if (name == "Maximized") return WindowState::kMaximized;
  return WindowState::kNormal;
}

int KeepOnScreen(int position, int size, int screenSize) {
  if (screenSize - size < position) position = screenSize - size;
  return position < 0 ? 0 : position;
}

}  // namespace quorvel
