// The DialogBox calls of plug-ins, watched so the host can print how each dialog ended: the module's
// imports of the four DialogBox functions of USER32 are pointed at wrappers of the host's own, which
// call the real function and then print "dialog ended: caption "..." result N".
#pragma once

#include <windows.h>

namespace b2host {

// Points `module`'s imports of DialogBoxParamA/W and DialogBoxIndirectParamA/W at the wrappers.
// Calls made before (from DllMain) are not watched.
void WatchDialogCalls(HMODULE module);

// From the host's CBT hook: a window is being created (the first one made during a watched call is
// that call's dialog, whatever its class) or destroyed. OnWindowDestroyed is true for the dialog of a
// watched call, whose end that call prints.
void OnWindowCreated(HWND window);
bool OnWindowDestroyed(HWND window);

// Whether `window` is the dialog of a watched call still running.
bool IsWatchedDialog(HWND window);

}  // namespace b2host
