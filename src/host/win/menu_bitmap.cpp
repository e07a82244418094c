#include "host/win/menu_bitmap.h"

#include <commctrl.h>

namespace quorvel::win {

UniqueBitmap DrawMaskedPicture(HINSTANCE instance, const char* name, int size, COLORREF background) {
  const WindowDc screen(nullptr);
  UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), size, size));
  const UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
  if (!bitmap || !dc) return bitmap;

  const SelectedObject selected(dc.get(), bitmap.get());
  const RECT all{0, 0, size, size};
  const UniqueBrush brush(CreateSolidBrush(background));
  FillRect(dc.get(), &all, brush.get());

  const UniqueImageList images(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 1, 0));
  const UniqueBitmap picture(
      static_cast<HBITMAP>(LoadImageA(instance, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (images && picture && ImageList_AddMasked(images.get(), picture.get(), kTransparentColour) == 0) {
    ImageList_SetBkColor(images.get(), background);
    ImageList_Draw(images.get(), 0, dc.get(), 0, 0, ILD_NORMAL);
  }
  return bitmap;
}

UniqueBitmap CreateMenuBitmap(HINSTANCE instance) {
  return DrawMaskedPicture(instance, "ICONBITMAP16", 16, GetSysColor(COLOR_MENU));
}

}  // namespace quorvel::win
