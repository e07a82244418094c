// Text on the clipboard. Each call opens the clipboard for `owner`, trying for a moment when another
// program holds it, and closes it again.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace quorvel::win {

// The clipboard's text, or nothing when it holds none or cannot be opened.
std::optional<std::wstring> ReadClipboardText(HWND owner);

// Replaces the clipboard's content with `text` (ANSI, CF_TEXT). False when the clipboard cannot be
// opened or set.
bool SetClipboardAnsiText(HWND owner, const std::string& text);
bool SetClipboardWideText(HWND owner, const std::wstring& text);

}  // namespace quorvel::win
