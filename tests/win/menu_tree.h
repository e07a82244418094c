// Menus for the menu tests: built from an outline, and written out as one line per item. Captions are
// Shift-JIS in the outlines (the tests are compiled so) and Unicode in the menus, as a Japanese host
// shows them on every system.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "common/win/wide_text.h"

namespace quorvel::test {

// An outline line is an item's caption indented by two spaces per level, "----" for a separator;
// an item whose next line is indented one level more is a submenu holding those items.
inline HMENU BuildMenu(const std::vector<std::string>& outline, bool bar = true) {
  std::vector<HMENU> open = {bar ? CreateMenu() : CreatePopupMenu()};
  std::vector<int> depths;
  for (size_t i = 0; i < outline.size(); ++i) {
    const size_t depth = outline[i].find_first_not_of(' ') / 2;
    const std::string caption = outline[i].substr(depth * 2);
    open.resize(depth + 1);
    const bool hasItems = i + 1 < outline.size() && outline[i + 1].find_first_not_of(' ') / 2 > depth;
    if (caption == "----") {
      AppendMenuA(open[depth], MF_SEPARATOR, 0, nullptr);
    } else if (hasItems) {
      const HMENU submenu = CreatePopupMenu();
      AppendMenuW(open[depth], MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu),
                  win::Widened(caption, 932).c_str());
      open.push_back(submenu);
    } else {
      AppendMenuW(open[depth], MF_STRING, 100 + i, win::Widened(caption, 932).c_str());
    }
  }
  return open[0];
}

// The menu as an outline again, its captions read as Unicode; an item with the given bitmap beside
// it ends in " [bitmap]", one with an id of at least 40000 in " #<id>".
inline void WriteMenu(HMENU menu, int depth, HBITMAP bitmap, std::vector<std::string>& lines) {
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t caption[256] = {};
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_STRING;
    item.dwTypeData = caption;
    item.cch = 256;
    GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item);
    std::string line(depth * 2, ' ');
    line += (item.fType & MFT_SEPARATOR) ? "----" : win::Narrowed(caption, 932);
    if (bitmap && item.hbmpUnchecked == bitmap) line += " [bitmap]";
    if (!item.hSubMenu && item.wID >= 40000) line += " #" + std::to_string(item.wID);
    lines.push_back(line);
    if (item.hSubMenu) WriteMenu(item.hSubMenu, depth + 1, bitmap, lines);
  }
}
inline std::vector<std::string> MenuOutline(HMENU menu, HBITMAP bitmap = nullptr) {
  std::vector<std::string> lines;
  WriteMenu(menu, 0, bitmap, lines);
  return lines;
}

}  // namespace quorvel::test
