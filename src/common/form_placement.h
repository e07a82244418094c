// What the settings keep of a form's place on the screen: its normal position and size, in
// workspace coordinates, and its window state.
#pragma once

#include <string>

namespace quorvel {

enum class WindowState { kNormal, kMinimized, kMaximized };

// "Normal", "Minimized" or "Maximized".
const char* StateName(WindowState state);

// The state a stored text asks for: exactly "Minimized" or "Maximized", anything else normal.
WindowState StateFromName(const std::string& name);

// Keeps one edge of a form on the screen: the form ends at the screen's far edge when it would
// reach beyond it, and starts at 0 when it is larger than the screen.
int KeepOnScreen(int position, int size, int screenSize);

}  // namespace quorvel
