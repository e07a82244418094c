#include "common/win/clipboard_text.h"

#include <cstring>

namespace quorvel::win {
namespace {

// The clipboard, open for the lifetime of the scope.
class OpenClipboardScope {
 public:
  explicit OpenClipboardScope(HWND owner) {
    for (int attempt = 0; attempt < 10 && !open_; ++attempt) {
      open_ = OpenClipboard(owner) != FALSE;
      if (!open_) Sleep(10);
    }
  }
  ~OpenClipboardScope() {
    if (open_) CloseClipboard();
  }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
  explicit operator bool() const { return open_; }

 private:
  bool open_ = false;
};

// Hands `size` bytes at `data` to the clipboard as `format`; the clipboard owns the memory once
// SetClipboardData succeeds, the function frees it otherwise.
bool SetData(HWND owner, UINT format, const void* data, size_t size) {
  const OpenClipboardScope clipboard(owner);
  if (!clipboard || !EmptyClipboard()) return false;
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!memory) return false;
  void* locked = GlobalLock(memory);
  if (!locked) {
    GlobalFree(memory);
    return false;
  }
  std::memcpy(locked, data, size);
  GlobalUnlock(memory);
  if (!SetClipboardData(format, memory)) {
    GlobalFree(memory);
    return false;
  }
  return true;
}

}  // namespace

bool ReadClipboardText(HWND owner, std::optional<std::wstring>& text) {
  text.reset();
  const OpenClipboardScope clipboard(owner);
  if (!clipboard) return false;
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return true;
  // There is text, but it cannot be had: what the clipboard holds is not known.
  const HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (!data) return false;
  const auto* locked = static_cast<const wchar_t*>(GlobalLock(data));
  if (!locked) return false;
  const size_t limit = GlobalSize(data) / sizeof(wchar_t);
  text.emplace(locked, wcsnlen(locked, limit));
  GlobalUnlock(data);
  return true;
}

bool SetClipboardAnsiText(HWND owner, const std::string& text) {
  return SetData(owner, CF_TEXT, text.c_str(), text.size() + 1);
}

bool SetClipboardWideText(HWND owner, const std::wstring& text) {
  return SetData(owner, CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

}  // namespace quorvel::win
