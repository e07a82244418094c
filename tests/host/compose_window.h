// A compose window: a real window with its own menu bar, holding the headers and body of the message
// being written. Texts are ANSI bytes, as plug-ins read and write them through the host API.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "menu_bar.h"
#include "win_handle.h"

namespace b2host {

struct Header {
  std::string name;
  std::string value;
};

class ComposeWindow {
 public:
  static constexpr wchar_t kClassName[] = L"B2ComposeWindow";

  // Null when the window cannot be made.
  static std::unique_ptr<ComposeWindow> Open(const MenuLayout& layout);
  // The compose window object behind `window`, or null.
  static ComposeWindow* Of(HWND window);

  ~ComposeWindow();
  ComposeWindow(const ComposeWindow&) = delete;
  ComposeWindow& operator=(const ComposeWindow&) = delete;

  HWND Window() const { return window_.get(); }
  HMENU MenuBar() const { return GetMenu(window_.get()); }

  const std::vector<Header>& Headers() const { return headers_; }
  // The value of the header named `name` in any case, or null.
  const std::string* FindHeader(std::string_view name) const;
  // Replaces the value where the header stands, or appends the header; an empty value removes it.
  void SetHeader(std::string_view name, std::string_view value);

  const std::string& Body() const { return body_; }

  // "EditPaste": carried out when the window procedure gets to the posted message, as the mail
  // client's editor does, so a plug-in that changes the clipboard right after asking sees its
  // later clipboard pasted.
  void PasteLater();

 private:
  ComposeWindow() = default;
  static void RegisterClassOnce();
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void PasteClipboard();

  UniqueWindow window_;
  std::vector<Header> headers_;
  std::string body_;
};

// Reads the clipboard's CF_TEXT; false when it holds none or cannot be opened.
bool ReadClipboardText(HWND owner, std::string& text);

}  // namespace b2host
