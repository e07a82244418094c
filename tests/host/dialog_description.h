// The description of a dialog that the dialog action `print` prints: its form (owner, frame, title-bar
// buttons, sizes, font, icon), then one line per control in z-order (the tab order), so tests can
// check how a dialog looks without a picture.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace b2host {

// `describeOwner` names the owner window as message box lines do.
std::vector<std::wstring> DescribeDialog(HWND dialog, const std::function<std::wstring(HWND)>& describeOwner);

// The parts of the first line that actions also need.
bool HasCloseBox(HWND window, bool& enabled);
bool IsSizeable(HWND window);
bool HasTitleBar(HWND window);

std::wstring WindowText(HWND window);

}  // namespace b2host
