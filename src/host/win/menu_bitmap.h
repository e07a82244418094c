// The module's pictures, drawn from its 16-colour bitmap resources with lime as the transparent
// colour: 16 x 16 beside its menu entries, 32 x 32 in the About dialog.
#pragma once

#include <windows.h>

#include "common/win/handles.h"

namespace quorvel::win {

inline constexpr COLORREF kTransparentColour = RGB(0, 255, 0);

// A square bitmap of `size` pixels with the 16-colour bitmap resource `name` drawn over `background`,
// so its lime pixels take that colour. Without the resource it is blank (the background only).
UniqueBitmap DrawMaskedPicture(HINSTANCE instance, const char* name, int size, COLORREF background);

// The 16 x 16 picture over the menu colour.
UniqueBitmap CreateMenuBitmap(HINSTANCE instance);

}  // namespace quorvel::win
