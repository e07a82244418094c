#pragma once

#include <windows.h>

namespace quorvel::win {

// Opens the module's help file through the shell: QuorvelE.hlp when English is in force and it
// exists, else Quorvel.hlp; when that is missing too, a warning box owned by `owner` names it.
void ShowHelp(HWND owner);

}  // namespace quorvel::win
