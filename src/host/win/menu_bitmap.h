// The 16 x 16 picture beside the module's menu entries, drawn from the bitmap resource
// "ICONBITMAP16" with its lime pixels in the menu's background colour.
#pragma once

#include <windows.h>

#include "common/win/handles.h"

namespace quorvel::win {

inline constexpr COLORREF kTransparentColour = RGB(0, 255, 0);

// Always gives a 16 x 16 bitmap; without the resource it is blank (the menu colour only).
UniqueBitmap CreateMenuBitmap(HINSTANCE instance);

}  // namespace quorvel::win
