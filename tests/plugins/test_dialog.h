// The test plug-in's own modal dialog, built in memory from the dialog-* keys (the plug-in has no
// resources): an OK button, and as asked a label, a picture, a check box, an etched line, Cancel and
// Help buttons, message boxes after OK and Help, and the frame, font and icon of the dialog.
#pragma once

#include <windows.h>

#include "config.h"

namespace testplugin {

// Shows the dialog modally and gives its DialogBox result; logs "dialog check box checked|unchecked"
// when it closes with a check box, and what its message boxes answered.
INT_PTR ShowDialog(HWND owner, const DialogConfig& dialog);

}  // namespace testplugin
