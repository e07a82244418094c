// Texts on their way to the user: every piece decoded by its own code page and shown through the
// system's Unicode functions, so the module's Japanese reads right on every system.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "common/shown_text.h"

namespace quorvel::win {

// `bytes` of code page `codePage` as UTF-16. Code page 932 falls back to the system's own where the
// system lacks it.
std::wstring Widened(std::string_view bytes, UINT codePage);

// One of the module's own texts (Shift-JIS) as UTF-16.
std::wstring FixedWide(std::string_view bytes);

// Each piece by its own code page.
std::wstring ToWide(const ShownText& text);

// `text` in the code page `codePage`; characters it cannot spell become "?".
std::string Narrowed(std::wstring_view text, UINT codePage);

// A message box of `text` with one of the module's own captions.
int ShowMessageBox(HWND owner, const ShownText& text, std::string_view fixedCaption, UINT type);

}  // namespace quorvel::win
