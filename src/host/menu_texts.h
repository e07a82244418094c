// The captions the module looks for in the host's menus, and those of its own entries.
#pragma once

#include <string>
#include <string_view>

namespace quorvel {

// A place in the host's menus, recognised by either of its two keys whatever language the module
// speaks. A caption begins with a key when its first bytes are the key's (exact, case-sensitive; the
// "&" of an access key is an ordinary character).
struct MenuPlace {
  const char* japanese;
  const char* english;
  bool IsBeginningOf(std::string_view caption) const;
};

inline constexpr MenuPlace kHelpMenu{"ヘルプ", "&Help"};
inline constexpr MenuPlace kToolMenu{"ツール", "&Tool"};
inline constexpr MenuPlace kHostAboutItem{"Becky!について", "&About \"Becky!\""};
inline constexpr MenuPlace kPlugInHelpSubmenu{"プラグインヘルプ", "Plugin Help"};
inline constexpr MenuPlace kAboutPlugInsSubmenu{"プラグインについて", "About Plugins"};
inline constexpr MenuPlace kMakerHeading{"ZEFO", "ZEFO"};

// The module's entries: caption in the menu and description given to the host.
struct MenuEntry {
  const char* caption;
  const char* description;
};

inline constexpr char kHelpItemDescription[] = "Information about this PlugIn";
inline constexpr MenuEntry kListWithPathEntry{"プラグインリスト（パス付き）", "List with Path"};
inline constexpr MenuEntry kListWithoutPathEntry{"プラグインリスト（パスなし）", "List without Path"};
inline constexpr MenuEntry kListDetailEntry{"プラグインリスト（詳細）", "List Detail"};
inline constexpr MenuEntry kTestEntry{"テスト（プラグインリスト）", "Test"};
inline constexpr MenuEntry kComposeListEntry{"プラグインリストの挿入", "Compose List"};

}  // namespace quorvel
