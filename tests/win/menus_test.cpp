// The module's entries in real menus built like the host's, in Japanese and in English. The test
// program runs once with /JAPANESE and once with /ENGLISH: the shared help submenus it makes are
// captioned in the language in force.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/win/system_text.h"
#include "host/win/menus.h"
#include "in_process_module.h"
#include "menu_tree.h"
#include "plugin_fixture.h"

// The host's menu call, as the module exports it.
extern "C" int WINAPI BKC_OnMenuInit(HWND window, HMENU menuBar, int windowType);

namespace quorvel::win {
namespace {

using test::BuildMenu;
using test::MenuOutline;
using Outline = std::vector<std::string>;

const Outline kJapaneseBar = {"ファイル(&F)", "  受信(&R)",       "編集(&E)", "  コピー(&C)",
                              "ツール(&T)",   "  アドレス帳(&A)", "  ----",   "  オプション(&O)...",
                              "ヘルプ(&H)",   "  目次(&C)",       "  ----",   "  Becky!について(&A)"};
const Outline kEnglishBar = {"&File", "  &Receive",  "&Tool",  "  &Options...",
                             "&Help", "  &Contents", "  ----", "  &About \"Becky!\""};

class Menus : public ::testing::Test {
 protected:
  void SetUp() override { Use(""); }
  // A fresh module with `settings` as its settings file.
  void Use(const std::string& settings, bool testMode = false) {
    module.reset();
    test::WriteFileBytes(folders.Program() + "Quorvel.ini", settings);
    module.emplace(folders.Program(), folders.Data());
    Module().ownFileName = folders.Program() + "Quorvel.dll";
    Module().testMode = testMode;
  }
  Outline Built(const Outline& bar, bool compose = false) {
    const HMENU menu = BuildMenu(bar);
    compose ? BuildComposeWindowMenu(menu) : BuildMainWindowMenu(menu);
    menus.push_back(menu);
    return MenuOutline(menu, Module().menuBitmap.get());
  }
  void TearDown() override {
    for (HMENU menu : menus)
      DestroyMenu(menu);
  }
  std::string PlugInHelp() const { return IsJapanese() ? "プラグインヘルプ" : "Plugin Help"; }
  std::string AboutPlugIns() const { return IsJapanese() ? "プラグインについて" : "About Plugins"; }
  std::vector<std::string> Descriptions() const {
    std::vector<std::string> descriptions;
    for (const auto& command : test::InProcessModule::RegisteredCommands()) {
      descriptions.push_back(command.description + " " + std::to_string(command.windowType));
    }
    return descriptions;
  }

  test::PlugInFolders folders;
  std::optional<test::InProcessModule> module;
  std::vector<HMENU> menus;
};

TEST_F(Menus, MainWindowOfAJapaneseHost) {
  EXPECT_EQ(Built(kJapaneseBar), (Outline{"ファイル(&F)",
                                          "  受信(&R)",
                                          "編集(&E)",
                                          "  コピー(&C)",
                                          "ツール(&T)",
                                          "  アドレス帳(&A)",
                                          "  ----",
                                          "  オプション(&O)...",
                                          "  ZEFO",
                                          "  Vintrell",
                                          "    プラグインリスト（パス付き） [bitmap] #40003",
                                          "    プラグインリスト（パスなし） [bitmap] #40004",
                                          "    プラグインリスト（詳細） [bitmap] #40005",
                                          "ヘルプ(&H)",
                                          "  目次(&C)",
                                          "  ----",
                                          "  Becky!について(&A)",
                                          "  " + PlugInHelp(),
                                          "    Vintrell [bitmap] #40002",
                                          "  " + AboutPlugIns(),
                                          "    Vintrell [bitmap] #40001"}));
  EXPECT_EQ(Descriptions(),
            (std::vector<std::string>{"Information about this PlugIn 0", "Information about this PlugIn 0",
                                      "List with Path 0", "List without Path 0", "List Detail 0"}));
}

TEST_F(Menus, MainWindowOfAnEnglishHostAndTheFinishedToolMenu) {
  const HMENU menu = BuildMenu(kEnglishBar);
  menus.push_back(menu);
  BuildMainWindowMenu(menu);
  FinishToolMenu(false);
  EXPECT_EQ(MenuOutline(menu, Module().menuBitmap.get()),
            (Outline{"&File", "  &Receive", "&Tool", "  &Options...", "  ----", "  Vintrell",
                     "    プラグインリスト（パス付き） [bitmap] #40003",
                     "    プラグインリスト（パスなし） [bitmap] #40004",
                     "    プラグインリスト（詳細） [bitmap] #40005", "&Help", "  &Contents", "  ----",
                     "  &About \"Becky!\"", "  " + PlugInHelp(), "    Vintrell [bitmap] #40002",
                     "  " + AboutPlugIns(), "    Vintrell [bitmap] #40001"}));
}

TEST_F(Menus, SharedSubmenusAndTheMakerGroupOfAnotherPlugInAreUsed) {
  const Outline bar = {"ツール(&T)",
                       "  アドレス帳(&A)",
                       "  ZEFO",
                       "  Other",
                       "    Other entry",
                       "  ----",
                       "  オプション(&O)...",
                       "ヘルプ(&H)",
                       "  Becky!について(&A)",
                       "  プラグインヘルプ",
                       "    Other help",
                       "  About Plugins",
                       "    Other about"};
  EXPECT_EQ(Built(bar), (Outline{"ツール(&T)", "  アドレス帳(&A)", "  ZEFO", "  Other", "    Other entry",
                                 "  Vintrell", "    プラグインリスト（パス付き） [bitmap] #40003",
                                 "    プラグインリスト（パスなし） [bitmap] #40004",
                                 "    プラグインリスト（詳細） [bitmap] #40005", "  ----",
                                 "  オプション(&O)...", "ヘルプ(&H)", "  Becky!について(&A)",
                                 "  プラグインヘルプ", "    Other help", "    Vintrell [bitmap] #40002",
                                 "  About Plugins", "    Other about", "    Vintrell [bitmap] #40001"}));
}

// Other plug-ins write their captions as Shift-JIS bytes through the ANSI functions: on a system of
// another code page those read as other characters in Unicode, and are still found by their bytes.
TEST_F(Menus, SharedSubmenusMadeOfShiftJisBytesAreFoundOnEveryCodePage) {
  const HMENU bar = BuildMenu({"ツール(&T)", "  オプション(&O)...", "ヘルプ(&H)", "  Becky!について(&A)"});
  menus.push_back(bar);
  const HMENU help = GetSubMenu(bar, 1);
  for (const char* caption : {"プラグインヘルプ", "プラグインについて"}) {
    const HMENU shared = CreatePopupMenu();
    AppendMenuA(shared, MF_STRING, 100, "Other");
    AppendMenuA(help, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(shared), caption);
  }
  BuildMainWindowMenu(bar);
  ASSERT_EQ(GetMenuItemCount(help), 3) << "no submenu of the module's own";
  for (int position : {1, 2}) {
    const HMENU shared = GetSubMenu(help, position);
    wchar_t caption[64] = {};
    GetMenuStringW(shared, 1, caption, 64, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(caption), L"Vintrell") << position;
  }
}

TEST_F(Menus, MenuSettingsGateTheListEntries) {
  struct Row {
    const char* name;
    std::string settings;
    Outline tool;
  };
  const Row rows[] = {
      {"without paths only",
       "Menu\\ListWithPath=Boolean:False\r\n",
       {"  ZEFO", "  Vintrell", "    プラグインリスト（パスなし） [bitmap] #40003",
        "    プラグインリスト（詳細） [bitmap] #40004"}},
      {"with paths only",
       "Menu\\ListWithoutPath=Boolean:False\r\n",
       {"  ZEFO", "  Vintrell", "    プラグインリスト（パス付き） [bitmap] #40003",
        "    プラグインリスト（詳細） [bitmap] #40004"}},
      {"no detail",
       "Menu\\ListDetail=Boolean:False\r\n",
       {"  ZEFO", "  Vintrell", "    プラグインリスト（パス付き） [bitmap] #40003",
        "    プラグインリスト（パスなし） [bitmap] #40004"}},
      {"both column lists off: no group even with the detail on",
       "Menu\\ListWithPath=Boolean:False\r\nMenu\\ListWithoutPath=Boolean:False\r\nMenu\\ListDetail=Boolean:"
       "True\r\n",
       {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Use(row.settings);
    const Outline built = Built({"ツール(&T)", "  オプション(&O)...", "ヘルプ(&H)", "  Becky!について(&A)"});
    Outline tool(built.begin() + 2, built.begin() + 2 + row.tool.size());
    EXPECT_EQ(tool, row.tool);
    EXPECT_EQ(built[2 + row.tool.size()], "ヘルプ(&H)");
  }
  // Without the group there is no heading to finish.
  const HMENU menu = BuildMenu({"ツール(&T)", "  ZEFO", "  ----", "ヘルプ(&H)"});
  menus.push_back(menu);
  BuildMainWindowMenu(menu);
  FinishToolMenu(false);
  EXPECT_EQ(MenuOutline(menu)[1], "  ZEFO") << "another plug-in's heading is not the module's to finish";
}

TEST_F(Menus, ComposeWindowGetsTheComposeListOnlyWhenItIsOn) {
  const Outline bar = {"ファイル(&F)",        "  送信(&S)", "ツール(&T)",
                       "  オプション(&O)...", "ヘルプ(&H)", "  目次(&C)"};
  EXPECT_EQ(Built(bar, true), (Outline{"ファイル(&F)", "  送信(&S)", "ツール(&T)", "  オプション(&O)...",
                                       "  ZEFO", "  Vintrell", "    プラグインリストの挿入 [bitmap] #40001",
                                       "ヘルプ(&H)", "  目次(&C)"}));
  EXPECT_EQ(Descriptions(), std::vector<std::string>{"Compose List 10"});
  FinishToolMenu(true);
  EXPECT_EQ(MenuOutline(menus.back())[4], "  ----");
  Use("Menu\\CompList=Boolean:False\r\n");
  EXPECT_EQ(Built(bar, true), bar);
}

TEST_F(Menus, TestModePutsTheTestEntryLeftOfTheHostsMenus) {
  Use("", /*testMode=*/true);
  const Outline built = Built(kEnglishBar);
  EXPECT_EQ(built.front(), "テスト（プラグインリスト） #40006") << "a plain item without the picture";
  EXPECT_EQ(Descriptions().back(), "Test 0");
  EXPECT_EQ(Built({"ファイル(&F)", "ツール(&T)", "  x"}, true)[0], "ファイル(&F)")
      << "not in compose windows";
}

TEST_F(Menus, CaptionsAreFoundOnlyByTheirExactBeginnings) {
  // "Tool" and "Help" without the ampersand are not the host's menus: no group, and the help
  // entries go to the end of the bar's last menu, the information submenu made first.
  const Outline built = Built({"Tool", "  x", "Help", "  y", "Window", "  z"});
  EXPECT_EQ(built,
            (Outline{"Tool", "  x", "Help", "  y", "Window", "  z", "  " + AboutPlugIns(),
                     "    Vintrell [bitmap] #40001", "  " + PlugInHelp(), "    Vintrell [bitmap] #40002"}));
}

TEST_F(Menus, OtherWindowTypesGetNoEntries) {
  const HMENU menu = BuildMenu(kJapaneseBar);
  menus.push_back(menu);
  for (int type : {-1, 1, 7, 9, 11}) {
    SCOPED_TRACE(type);
    EXPECT_EQ(BKC_OnMenuInit(nullptr, menu, type), 0);
  }
  EXPECT_EQ(MenuOutline(menu), kJapaneseBar);
  EXPECT_TRUE(test::InProcessModule::RegisteredCommands().empty());
  EXPECT_FALSE(Module().knownSoftware) << "the known-software list is loaded for the main window only";
  EXPECT_EQ(Module().mainMenuHandle, nullptr);
  EXPECT_EQ(Module().composeMenuHandle, nullptr);
}

TEST_F(Menus, FinishingBeforeAnyMenuWasBuiltChangesNothing) {
  FinishToolMenu(false);
  FinishToolMenu(true);
  EXPECT_EQ(Module().mainMenuHandle, nullptr);
}

}  // namespace
}  // namespace quorvel::win
