// Owners for the Win32 handles the host holds, so every early return gives them back.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace b2host {

struct HandleCloser {
  void operator()(HANDLE h) const {
    if (h && h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

struct FindCloser {
  void operator()(HANDLE h) const {
    if (h && h != INVALID_HANDLE_VALUE) FindClose(h);
  }
};
using UniqueFind = std::unique_ptr<void, FindCloser>;

struct ModuleFreer {
  void operator()(HMODULE m) const { FreeLibrary(m); }
};
using UniqueModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleFreer>;

struct HookRemover {
  void operator()(HHOOK h) const { UnhookWindowsHookEx(h); }
};
using UniqueHook = std::unique_ptr<std::remove_pointer_t<HHOOK>, HookRemover>;

struct KeyCloser {
  void operator()(HKEY k) const { RegCloseKey(k); }
};
using UniqueKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

// A menu not yet handed to a window or a parent menu; release() it once attached.
struct MenuDestroyer {
  void operator()(HMENU m) const { DestroyMenu(m); }
};
using UniqueMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer>;

// A window destroyed with its owner object unless the system destroyed it first.
struct WindowDestroyer {
  void operator()(HWND w) const {
    if (IsWindow(w)) DestroyWindow(w);
  }
};
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

struct GlobalFreer {
  void operator()(HGLOBAL g) const { GlobalFree(g); }
};
using UniqueGlobal = std::unique_ptr<void, GlobalFreer>;

// The clipboard stays open for the lifetime of this object.
class ClipboardLock {
 public:
  // Another program may hold the clipboard for a moment, so opening is tried a few times.
  explicit ClipboardLock(HWND owner) {
    for (int attempt = 0; attempt < 50 && !open_; ++attempt) {
      open_ = OpenClipboard(owner) != FALSE;
      if (!open_) Sleep(10);
    }
  }
  ~ClipboardLock() {
    if (open_) CloseClipboard();
  }
  ClipboardLock(const ClipboardLock&) = delete;
  ClipboardLock& operator=(const ClipboardLock&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_ = false;
};

}  // namespace b2host
