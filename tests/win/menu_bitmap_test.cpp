// The menu bitmap drawn from the module's resource, which this test program carries too.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "host/win/menu_bitmap.h"

namespace quorvel::win {
namespace {

// The pixels of a bitmap as 0x00RRGGBB, top row first.
std::vector<COLORREF> PixelsOf(HBITMAP bitmap, int size) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = -size;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  std::vector<COLORREF> pixels(size * size);
  const HDC screen = GetDC(nullptr);
  GetDIBits(screen, bitmap, 0, size, pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  for (COLORREF& p : pixels)
    p &= 0xFFFFFF;
  return pixels;
}

// GetDIBits gives blue in the low byte; COLORREF has red there.
COLORREF AsDibPixel(COLORREF colour) {
  return RGB(GetBValue(colour), GetGValue(colour), GetRValue(colour));
}

TEST(MenuBitmap, LimeBecomesTheMenuColourAndTheRestIsCopied) {
  const UniqueBitmap bitmap = CreateMenuBitmap(GetModuleHandleA(nullptr));
  ASSERT_TRUE(bitmap);
  BITMAP shape{};
  ASSERT_TRUE(GetObjectA(bitmap.get(), sizeof shape, &shape));
  EXPECT_EQ(shape.bmWidth, 16);
  EXPECT_EQ(shape.bmHeight, 16);

  const auto pixels = PixelsOf(bitmap.get(), 16);
  const COLORREF menu = AsDibPixel(GetSysColor(COLOR_MENU));
  EXPECT_EQ(pixels[0], menu) << "top left corner is lime in the picture";
  EXPECT_EQ(pixels[1 * 16 + 1], 0u) << "the sheet's black outline";
  EXPECT_EQ(pixels[2 * 16 + 2], 0xFFFFFFu) << "the white sheet";
  for (COLORREF p : pixels)
    EXPECT_NE(p, 0x00FF00u) << "no lime pixel is left";
}

TEST(MenuBitmap, WithoutTheResourceItIsBlank) {
  const UniqueBitmap bitmap = CreateMenuBitmap(GetModuleHandleA("kernel32.dll"));
  ASSERT_TRUE(bitmap);
  const COLORREF menu = AsDibPixel(GetSysColor(COLOR_MENU));
  for (COLORREF p : PixelsOf(bitmap.get(), 16))
    EXPECT_EQ(p, menu);
}

TEST(ModuleResources, BothPicturesHaveTheirSizeAnd16Colours) {
  struct Row {
    const char* name;
    int size;
  };
  for (const Row& row : {Row{"ICONBITMAP16", 16}, Row{"ICONBITMAP", 32}}) {
    SCOPED_TRACE(row.name);
    const HBITMAP picture = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), row.name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(picture, nullptr);
    DIBSECTION dib{};
    ASSERT_TRUE(GetObjectA(picture, sizeof dib, &dib));
    EXPECT_EQ(dib.dsBm.bmWidth, row.size);
    EXPECT_EQ(dib.dsBm.bmHeight, row.size);
    EXPECT_EQ(dib.dsBmih.biBitCount, 4);
    DeleteObject(picture);
  }
}

}  // namespace
}  // namespace quorvel::win
