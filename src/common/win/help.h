#pragma once

#include <windows.h>

namespace quorvel::win {

// Opens the module's help file through the shell: QuorvelE.hlp when English is in force and it
// exists, else Quorvel.hlp. When neither is there, the help page of the language in force
// (QuorvelE.html, falling back to Quorvel.html); when no help of either kind is there, a warning box
// owned by `owner` names Quorvel.hlp.
void ShowHelp(HWND owner);

}  // namespace quorvel::win
