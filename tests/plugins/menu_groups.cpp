#include "menu_groups.h"

#include <string>

#include "host_link.h"
#include "plugin_log.h"

namespace testplugin {
namespace {

// Captions of the registered items; a callback of its own for each, since a callback is not told
// which item was chosen.
constexpr int kMaxItems = 8;
std::string g_itemCaptions[kMaxItems];
int g_itemCount = 0;

template <int N>
void WINAPI ItemCommand(HWND, LPARAM) {
  Log("command " + g_itemCaptions[N]);
}

constexpr CommandCallback kItemCallbacks[kMaxItems] = {&ItemCommand<0>, &ItemCommand<1>, &ItemCommand<2>,
                                                       &ItemCommand<3>, &ItemCommand<4>, &ItemCommand<5>,
                                                       &ItemCommand<6>, &ItemCommand<7>};

// Registers a command for `caption` and appends its item to `menu`.
void AppendCommandItem(HMENU menu, const std::string& caption) {
  const HostLink* host = Host();
  if (!host) {
    Log("no host API");
    return;
  }
  if (g_itemCount == kMaxItems) {
    Log("too many menu items");
    return;
  }
  g_itemCaptions[g_itemCount] = caption;
  int id = host->registerCommand(caption.c_str(), 0, kItemCallbacks[g_itemCount]);
  ++g_itemCount;
  AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(id), caption.c_str());
}

std::string Caption(HMENU menu, int position) {
  char caption[256] = {};
  int length = GetMenuStringA(menu, position, caption, sizeof caption, MF_BYPOSITION);
  return std::string(caption, length > 0 ? length : 0);
}

// The submenu of `menu` with this caption, made at the end of `menu` when there is none.
HMENU SubmenuNamed(HMENU menu, const std::string& caption) {
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    HMENU submenu = GetSubMenu(menu, i);
    if (submenu && Caption(menu, i) == caption) return submenu;
  }
  HMENU submenu = CreatePopupMenu();
  if (submenu && !AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), caption.c_str())) {
    DestroyMenu(submenu);
    return nullptr;
  }
  return submenu;
}

}  // namespace

HMENU ToolPopup(HMENU menuBar, const Config& config) {
  int index = config.commandPopup >= 0 ? config.commandPopup : GetMenuItemCount(menuBar) - 2;
  HMENU popup = GetSubMenu(menuBar, index);
  if (!popup) Log("no popup " + std::to_string(index));
  return popup;
}

void AddMenuGroups(HMENU menuBar, const Config& config) {
  if (!config.helpSubmenus.empty()) {
    HMENU help = GetSubMenu(menuBar, GetMenuItemCount(menuBar) - 1);
    for (const MenuPlace& place : config.helpSubmenus) {
      HMENU submenu = help ? SubmenuNamed(help, place.submenu) : nullptr;
      if (submenu) AppendCommandItem(submenu, place.item);
    }
  }
  if (config.makerGroup) {
    HMENU tool = ToolPopup(menuBar, config);
    HMENU submenu = tool ? CreatePopupMenu() : nullptr;
    if (!submenu) return;
    AppendMenuA(tool, MF_STRING, 0, config.makerHeading.c_str());
    if (!AppendMenuA(tool, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu),
                     config.makerGroup->submenu.c_str())) {
      DestroyMenu(submenu);
      return;
    }
    AppendCommandItem(submenu, config.makerGroup->item);
    AppendMenuA(tool, MF_SEPARATOR, 0, nullptr);
  }
}

void FinishMakerGroup(HMENU menuBar, const Config& config) {
  HMENU tool = ToolPopup(menuBar, config);
  if (!tool) return;
  for (int i = GetMenuItemCount(tool) - 1; i >= 0; --i) {
    if (Caption(tool, i).rfind(config.makerHeading, 0) != 0) continue;
    DeleteMenu(tool, i, MF_BYPOSITION);
    InsertMenuA(tool, i, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    return;
  }
}

}  // namespace testplugin
