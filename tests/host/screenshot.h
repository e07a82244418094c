// A picture of a window as it is shown, frame and controls included, saved as a PNG file.
#pragma once

#include <windows.h>

#include <string>

namespace b2host {

// Repaints `window` and copies its pixels (read back from its window DC, which holds what the system
// drew, frame included) into the PNG file at `path`. False when the window cannot be read or the file
// cannot be written; `width` and `height` tell the picture's size.
bool SaveScreenshot(HWND window, const std::wstring& path, int& width, int& height);

}  // namespace b2host
