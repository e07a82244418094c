// Text on the clipboard. Each call opens the clipboard for `owner`, trying for a moment when another
// program holds it, and closes it again.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace quorvel::win {

// Reads the clipboard's text into `text`, nothing when it holds none. False when the clipboard
// cannot be opened or its text cannot be had, so that what it holds is not known.
bool ReadClipboardText(HWND owner, std::optional<std::wstring>& text);

// Replaces the clipboard's content with `text` (ANSI, CF_TEXT). False when the clipboard cannot be
// opened or set.
bool SetClipboardAnsiText(HWND owner, const std::string& text);
bool SetClipboardWideText(HWND owner, const std::wstring& text);

}  // namespace quorvel::win
