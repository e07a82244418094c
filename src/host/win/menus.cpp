#include "host/win/menus.h"

#include <string>

#include "common/win/settings_store.h"
#include "common/win/system_text.h"
#include "common/win/wide_text.h"
#include "host/identity.h"
#include "host/menu_texts.h"
#include "host/win/command_callbacks.h"
#include "host/win/module_state.h"
#include "inventory/win/plugin_list_command.h"

namespace quorvel::win {
namespace {

int ItemCount(HMENU menu) {
  const int count = menu ? GetMenuItemCount(menu) : 0;
  return count > 0 ? count : 0;  // a failing count reads as an empty menu
}

// An item's caption in two forms: as the system's code page spells it, and as Shift-JIS. A place is
// found by either, so that a caption that another plug-in made of Shift-JIS bytes through the ANSI
// functions is found as well as one made in Unicode, as the module's own are, whatever the code page.
struct Caption {
  std::string ansi;
  std::string shiftJis;

  bool Empty() const { return ansi.empty(); }
  bool BeginsWith(const MenuPlace& place) const {
    return place.IsBeginningOf(ansi) || place.IsBeginningOf(shiftJis);
  }
};

Caption CaptionAt(HMENU menu, int position) {
  char ansi[256] = {};
  GetMenuStringA(menu, static_cast<UINT>(position), ansi, sizeof ansi, MF_BYPOSITION);
  wchar_t wide[256] = {};
  GetMenuStringW(menu, static_cast<UINT>(position), wide, 256, MF_BYPOSITION);
  return {ansi, Narrowed(wide, 932)};
}

// The submenu of the first item in [0, end) whose caption begins with one of the place's keys.
HMENU FindSubmenu(HMENU menu, const MenuPlace& place, int end) {
  for (int position = 0; position < end; ++position) {
    if (CaptionAt(menu, position).BeginsWith(place)) return GetSubMenu(menu, position);
  }
  return nullptr;
}

// The module's captions are its own texts, shown in Unicode.
void AppendItem(HMENU menu, UINT flags, UINT_PTR id, const char* caption) {
  AppendMenuW(menu, flags, id, FixedWide(caption).c_str());
}
void InsertItem(HMENU menu, int position, UINT flags, UINT_PTR id, const char* caption) {
  InsertMenuW(menu, static_cast<UINT>(position), MF_BYPOSITION | flags, id, FixedWide(caption).c_str());
}

HMENU HelpMenu(HMENU menuBar) {
  const int count = ItemCount(menuBar);
  if (const HMENU help = FindSubmenu(menuBar, kHelpMenu, count - 1)) return help;
  return count > 0 ? GetSubMenu(menuBar, count - 1) : nullptr;
}

HMENU ToolMenu(HMENU menuBar) {
  return FindSubmenu(menuBar, kToolMenu, ItemCount(menuBar));
}

// Appends a text item with the host's command id and the module's picture beside it.
void AppendEntry(HMENU menu, const char* caption, int id) {
  AppendItem(menu, MF_STRING, static_cast<UINT_PTR>(id), caption);
  SetMenuItemBitmaps(menu, static_cast<UINT>(ItemCount(menu) - 1), MF_BYPOSITION, Module().menuBitmap.get(),
                     nullptr);
}

void AppendCommand(HMENU menu, const MenuEntry& entry, int windowType, CommandCallback callback) {
  AppendEntry(menu, entry.caption, Module().hostApi.RegisterCommand(entry.description, windowType, callback));
}

bool MenuSetting(const char* valueName) {
  return ToBoolean(ReadSetting("Menu", valueName, Variant::Boolean(true)), true);
}

// The help-menu entries share one shape: find or make the shared submenu, then add "Vintrell".
// `belowPlugInHelp` puts a new "About Plugins" below a "Plugin Help" that follows the host's About.
void AddHelpMenuEntry(HMENU menuBar, int windowType, const MenuPlace& submenuPlace, bool belowPlugInHelp,
                      CommandCallback callback) {
  const HMENU help = HelpMenu(menuBar);
  if (!help) return;
  HMENU shared = FindSubmenu(help, submenuPlace, ItemCount(help));
  if (!shared) {
    const int count = ItemCount(help);
    int position = count;
    for (int i = 0; i < count - 1; ++i) {
      if (CaptionAt(help, i).BeginsWith(kHostAboutItem)) {
        position = i + 1;
        break;
      }
    }
    if (belowPlugInHelp && position < count && CaptionAt(help, position).BeginsWith(kPlugInHelpSubmenu)) {
      ++position;
    }
    shared = CreatePopupMenu();
    const char* caption = IsJapanese() ? submenuPlace.japanese : submenuPlace.english;
    InsertItem(help, position, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(shared), caption);
  }
  AppendEntry(shared, kProductName,
              Module().hostApi.RegisterCommand(kHelpItemDescription, windowType, callback));
}

}  // namespace

void AddPluginHelpEntry(HMENU menuBar, int windowType) {
  AddHelpMenuEntry(menuBar, windowType, kPlugInHelpSubmenu, false, PluginHelpCommand);
}

void AddAboutPluginsEntry(HMENU menuBar, int windowType) {
  AddHelpMenuEntry(menuBar, windowType, kAboutPlugInsSubmenu, true, AboutCommand);
}

HMENU GetToolSubmenu(HMENU menuBar, bool compose) {
  (compose ? Module().composeMenuHandle : Module().mainMenuHandle) = menuBar;
  const HMENU tool = ToolMenu(menuBar);
  if (!tool) return nullptr;  // no tool menu: no maker group in this window

  int heading = -1, separator = -1;
  for (int position = ItemCount(tool) - 1; position >= 0; --position) {
    const Caption caption = CaptionAt(tool, position);
    if (caption.Empty()) {
      separator = position;
    } else if (caption.BeginsWith(kMakerHeading)) {
      heading = position;
      break;
    }
  }
  if (heading < 0) AppendItem(tool, MF_STRING, 0, kMakerHeading.japanese);

  const HMENU submenu = CreatePopupMenu();
  const auto handle = reinterpret_cast<UINT_PTR>(submenu);
  if (heading >= 0 && separator > heading) {
    // The last submenu of the maker group, just above the separator that ends it.
    InsertItem(tool, separator, MF_POPUP | MF_STRING, handle, kProductName);
  } else {
    AppendItem(tool, MF_POPUP | MF_STRING, handle, kProductName);
  }
  return submenu;
}

void FinishToolMenu(bool compose) {
  const HMENU menuBar = compose ? Module().composeMenuHandle : Module().mainMenuHandle;
  const HMENU tool = menuBar ? ToolMenu(menuBar) : nullptr;
  if (!tool) return;
  for (int position = ItemCount(tool) - 1; position >= 0; --position) {
    if (CaptionAt(tool, position).BeginsWith(kMakerHeading)) {
      DeleteMenu(tool, static_cast<UINT>(position), MF_BYPOSITION);
      InsertMenuA(tool, static_cast<UINT>(position), MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
      return;
    }
  }
}

void BuildMainWindowMenu(HMENU menuBar) {
  AddAboutPluginsEntry(menuBar, 0);
  AddPluginHelpEntry(menuBar, 0);
  if (MenuSetting("ListWithPath") || MenuSetting("ListWithoutPath")) {
    if (const HMENU submenu = GetToolSubmenu(menuBar, false)) {
      if (MenuSetting("ListWithPath")) AppendCommand(submenu, kListWithPathEntry, 0, ListWithPathCommand);
      if (MenuSetting("ListWithoutPath"))
        AppendCommand(submenu, kListWithoutPathEntry, 0, ListWithoutPathCommand);
      if (MenuSetting("ListDetail")) AppendCommand(submenu, kListDetailEntry, 0, ListDetailCommand);
    }
  }
  if (Module().testMode) {
    // Left of all the host's menus, a plain text item without a picture.
    const int id = Module().hostApi.RegisterCommand(kTestEntry.description, 0, TestCommand);
    InsertItem(menuBar, 0, MF_STRING, static_cast<UINT_PTR>(id), kTestEntry.caption);
  }
}

void BuildComposeWindowMenu(HMENU menuBar) {
  if (!MenuSetting("CompList")) return;
  if (const HMENU submenu = GetToolSubmenu(menuBar, true)) {
    AppendCommand(submenu, kComposeListEntry, 10, ComposeListCommand);
  }
}

}  // namespace quorvel::win
