// Owning wrappers for the Win32 handles the module creates: move-only, freed exactly once.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <type_traits>

namespace quorvel::win {

template <class Handle, class Free>
using Unique = std::unique_ptr<std::remove_pointer_t<Handle>, Free>;

struct FreeModule {
  void operator()(HMODULE h) const { FreeLibrary(h); }
};
struct CloseFind {
  void operator()(HANDLE h) const { FindClose(h); }
};
struct CloseFile {
  void operator()(HANDLE h) const { CloseHandle(h); }
};
struct DeleteGdiObject {
  void operator()(HGDIOBJ h) const { DeleteObject(h); }
};
struct DeleteMemoryDc {
  void operator()(HDC h) const { DeleteDC(h); }
};
struct DestroyIconHandle {
  void operator()(HICON h) const { DestroyIcon(h); }
};
struct DestroyImageList {
  void operator()(HIMAGELIST h) const { ImageList_Destroy(h); }
};

using UniqueModule = Unique<HMODULE, FreeModule>;
using UniqueFind = Unique<HANDLE, CloseFind>;
using UniqueFile = Unique<HANDLE, CloseFile>;
using UniqueBitmap = Unique<HBITMAP, DeleteGdiObject>;
using UniqueBrush = Unique<HBRUSH, DeleteGdiObject>;
using UniqueMemoryDc = Unique<HDC, DeleteMemoryDc>;
using UniqueImageList = Unique<HIMAGELIST, DestroyImageList>;
using UniqueIcon = Unique<HICON, DestroyIconHandle>;

// FindFirstFile and CreateFile report failure as INVALID_HANDLE_VALUE; the owners hold null instead.
inline HANDLE NullIfInvalid(HANDLE h) {
  return h == INVALID_HANDLE_VALUE ? nullptr : h;
}

// A device context borrowed from a window (or the screen) with GetDC, given back with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects a GDI object into a device context for the lifetime of the scope.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (previous_) SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace quorvel::win
