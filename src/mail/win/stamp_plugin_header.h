#pragma once

#include <windows.h>

namespace quorvel::win {

// Brings the module's entry in the X-Mailer-Plugin header of the message being sent from `window` up
// to date through the host API.
void StampPlugInHeader(HWND window);

}  // namespace quorvel::win
