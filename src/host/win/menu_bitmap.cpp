#include "host/win/menu_bitmap.h"

#include <commctrl.h>

namespace quorvel::win {

UniqueBitmap CreateMenuBitmap(HINSTANCE instance) {
  constexpr int kSize = 16;
  const COLORREF background = GetSysColor(COLOR_MENU);

  const WindowDc screen(nullptr);
  UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), kSize, kSize));
  const UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
  if (!bitmap || !dc) return bitmap;

  const SelectedObject selected(dc.get(), bitmap.get());
  const RECT all{0, 0, kSize, kSize};
  const UniqueBrush brush(CreateSolidBrush(background));
  FillRect(dc.get(), &all, brush.get());

  const UniqueImageList images(ImageList_Create(kSize, kSize, ILC_COLOR24 | ILC_MASK, 1, 0));
  const UniqueBitmap picture(
      static_cast<HBITMAP>(LoadImageA(instance, "ICONBITMAP16", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (images && picture && ImageList_AddMasked(images.get(), picture.get(), kTransparentColour) == 0) {
    ImageList_SetBkColor(images.get(), background);
    ImageList_Draw(images.get(), 0, dc.get(), 0, 0, ILD_NORMAL);
  }
  return bitmap;
}

}  // namespace quorvel::win
