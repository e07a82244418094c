// The module's entries in the stand-in host's menus, and the commands chosen through them.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "module_fixture.h"

namespace e2e {
namespace {

// The host's menus speak the language of the code page: Japanese captions cannot be read through
// code page 1252, and a Japanese mail client on such a system would not show them.
struct HostMenus {
  std::string option, tool, help;
};
HostMenus MenusOfThisSystem() {
  if (GetACP() == 932) return {"-menus:ja", "ツール(&T)", "ヘルプ(&H)"};
  return {"-menus:en", "&Tool", "&Help"};
}

Lines Below(const Lines& lines, const std::string& first, size_t count) {
  const auto at = std::find(lines.begin(), lines.end(), first);
  if (at == lines.end() || lines.end() - at < static_cast<ptrdiff_t>(count))
    return {"(" + first + " not found)"};
  return Lines(at, at + count);
}

class Menus : public ModuleTest {};

TEST_F(Menus, MainWindowAfterTheMenuBuildAndAfterStart) {
  const HostMenus host = MenusOfThisSystem();
  const HostRun run = Run({host.option, "start", "menus"});
  const Lines menus = StepOutput(run, "menus");
  // The maker group at the end of the tool menu, its heading turned into a separator by start.
  EXPECT_EQ(Below(menus, "    Vintrell", 4),
            (Lines{"    Vintrell", "      プラグインリスト（パス付き） [bitmap] -> \"List with Path\"",
                   "      プラグインリスト（パスなし） [bitmap] -> \"List without Path\"",
                   "      プラグインリスト（詳細） [bitmap] -> \"List Detail\""}))
      << run.output;
  const auto group = std::find(menus.begin(), menus.end(), "    Vintrell");
  ASSERT_NE(group, menus.end());
  EXPECT_EQ(*(group - 1), "    ----");
  EXPECT_EQ(*(group + 4), "  " + host.help) << "the group ends the tool menu";
  const std::string about = GetACP() == 932 ? "    Becky!について(&A)" : "    &About \"Becky!\"";
  EXPECT_EQ(Below(menus, about, 5),
            (Lines{about, "    Plugin Help", "      Vintrell [bitmap] -> \"Information about this PlugIn\"",
                   "    About Plugins", "      Vintrell [bitmap] -> \"Information about this PlugIn\""}));
}

TEST_F(Menus, HelpSubmenusInJapaneseWithTheSwitch) {
  const HostRun run = Run({MenusOfThisSystem().option, "/JAPANESE", "start", "menus"});
  const Lines menus = StepOutput(run, "menus");
  EXPECT_EQ(Below(menus, "    プラグインヘルプ", 4),
            (Lines{"    プラグインヘルプ", "      Vintrell [bitmap] -> \"Information about this PlugIn\"",
                   "    プラグインについて", "      Vintrell [bitmap] -> \"Information about this PlugIn\""}))
      << run.output;
}

TEST_F(Menus, ComposeWindowAfterItsBuildAndItsOpening) {
  const HostRun run = Run({MenusOfThisSystem().option, "compose", "compose-menus"});
  const Lines menus = StepOutput(run, "compose-menus");
  EXPECT_EQ(Below(menus, "    Vintrell", 2),
            (Lines{"    Vintrell", "      プラグインリストの挿入 [bitmap] -> \"Compose List\""}));
  const auto vintrell = std::find(menus.begin(), menus.end(), "    Vintrell");
  ASSERT_NE(vintrell, menus.begin());
  EXPECT_EQ(*(vintrell - 1), "    ----") << "the maker heading became a separator when the window opened";
}

TEST_F(Menus, TestModeAddsTheTestEntryOnlyToTheMainWindow) {
  const HostRun run = Run({"-menus:en", "/testmode", "start", "menus", "compose", "compose-menus"});
  EXPECT_EQ(StepOutput(run, "menus").at(1), "  テスト（プラグインリスト） -> \"Test\"");
  EXPECT_EQ(StepOutput(run, "compose-menus").at(1), "  &File");
  const HostRun appended = Run({"-menus:en", "/TESTMODE2", "start", "menus"});
  EXPECT_EQ(StepOutput(appended, "menus").at(1), "  &File") << "a switch with letters behind it";
}

TEST_F(Menus, ListCommandsThroughTheMenusWriteTheListFile) {
  installation.InstallTestPlugin(PlugIns(), "A.DLL", "name=Alpha\nversion=1.0\n");
  installation.WriteFile(PlugIns() + "BB.DLL", "not a module");
  installation.InstallTestPlugin(PlugIns(), "Faulty.dll", "name=Faulty\nfault=info\n");
  const HostMenus host = MenusOfThisSystem();
  const std::string list = "choose:" + host.tool + ">Vintrell>プラグインリスト（パスなし）";
  const HostRun run = Run({host.option, "-noloadpin:BB.DLL", "start", list, "exit"});
  EXPECT_EQ(installation.ReadFile(PlugIns() + "Quorvel.txt"),
            "Alpha     1.0            \r\n"
            "(unknown) (unknown)      not in use\r\n"
            "(unknown) (unknown)      \r\n"
            "Vintrell  Ver.0.01 Rev.4 \r\n")
      << run.output << "\nthe faulting plug-in reads (unknown) and the host goes on";
  EXPECT_TRUE(HasLine(run.Lines(), "host exits"));
}

TEST_F(Menus, EachMainWindowListCommandWritesItsLayout) {
  installation.InstallTestPlugin(PlugIns(), "A.DLL",
                                 "name=Alpha\nvendor=Maker\nversion=1.0\ndescription=First\n");
  const HostMenus host = MenusOfThisSystem();
  const std::string a = PlugIns() + "A.DLL", quorvel = PlugIns() + "Quorvel.dll";
  struct Row {
    const char* entry;
    std::string list;
  };
  const std::string pad(quorvel.size() - a.size() + 1, ' ');
  const Row rows[] = {
      {"プラグインリスト（パス付き）",
       a + pad + "Alpha    1.0\r\n" + quorvel + " Vintrell Ver.0.01 Rev.4\r\n"},
      {"プラグインリスト（詳細）", a + "\r\nAlpha\r\nMaker\r\n1.0\r\nFirst\r\n\r\n" + quorvel +
                                       "\r\nVintrell\r\nTARVI Semmo & ZEFO Lab.\r\nVer.0.01 Rev.4\r\n" +
                                       (GetACP() == 932 ? InCodePage("プラグイン一覧プラグイン", 932)
                                                        : std::string("Plug-in list plug-in")) +
                                       "\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.entry);
    const HostRun run = Run({host.option, "start", "choose:" + host.tool + ">Vintrell>" + row.entry, "exit"});
    EXPECT_EQ(installation.ReadFile(PlugIns() + "Quorvel.txt"), row.list) << run.output;
  }
}

TEST_F(Menus, ComposeListPastesAndLeavesTheUsersClipboardAsItWas) {
  const HostMenus host = MenusOfThisSystem();
  const std::string insert = "choose-compose:" + host.tool + ">Vintrell>プラグインリストの挿入";
  const HostRun run =
      Run({host.option, "start", "clipboard:mine", "compose", insert, "body", "print-clipboard"});
  EXPECT_EQ(StepOutput(run, "body"), Lines{"  body: \"Vintrell Ver.0.01 Rev.4\\r\\n\""}) << run.output;
  EXPECT_EQ(StepOutput(run, "print-clipboard"), Lines{"clipboard: \"mine\""});
}

TEST_F(Menus, MenuSettingsOffLeaveTheirEntriesOut) {
  installation.WriteFile(PlugIns() + "Quorvel.ini",
                         "Menu\\ListWithPath=Boolean:False\r\nMenu\\ListWithoutPath=Boolean:False\r\n"
                         "Menu\\CompList=Boolean:False\r\n");
  const HostRun run =
      Run({MenusOfThisSystem().option, "start", "menus", "compose", "compose-menus", "commands"});
  for (const char* step : {"menus", "compose-menus"}) {
    SCOPED_TRACE(step);
    const Lines menus = StepOutput(run, step);
    EXPECT_EQ(std::find(menus.begin(), menus.end(), "    Vintrell"), menus.end()) << run.output;
    EXPECT_EQ(std::find(menus.begin(), menus.end(), "    ZEFO"), menus.end());
  }
  EXPECT_EQ(StepOutput(run, "commands").size(), 2u) << "the two help entries";
}

TEST_F(Menus, NoToolMenuMeansNoMakerGroup) {
  const HostRun run = Run({"-menu-no-tool", "start", "menus", "compose", "compose-menus", "commands"});
  for (const char* step : {"menus", "compose-menus"}) {
    SCOPED_TRACE(step);
    // Nowhere, the menu bar itself included: no heading, no submenu, no list entry.
    for (const std::string& line : StepOutput(run, step)) {
      const size_t indent = line.find_first_not_of(' ');
      const std::string caption = indent == std::string::npos ? "" : line.substr(indent);
      EXPECT_NE(caption.rfind("ZEFO", 0), 0u) << line;
      EXPECT_NE(caption, "Vintrell") << line;
      EXPECT_EQ(line.find("プラグインリスト"), std::string::npos) << line;
    }
  }
  EXPECT_EQ(StepOutput(run, "commands").size(), 2u) << "only the two help entries\n" << run.output;
}

TEST_F(Menus, SharedSubmenusAndAMakerGroupOfAnotherPlugInAreJoined) {
  // Alpha.dll builds its menus before Quorvel.dll: a Japanese help submenu, an English one, and the
  // maker group with a submenu of its own and an item after the group.
  installation.InstallTestPlugin(
      PlugIns(), "Alpha.dll",
      "name=Alpha\nhelp-submenu=" + CfgBytes(InCodePage("プラグインヘルプ", 932)) +
          ">Alpha help\nhelp-submenu=About Plugins>Alpha about\n"
          "maker-group=Alpha>Alpha list\ncommand=Alpha more\nfinish-maker-group=1\n");
  const HostRun run = Run({"-menus:en", "/ENGLISH", "start", "menus"});
  const Lines menus = StepOutput(run, "menus");
  EXPECT_EQ(Below(menus, "    ZEFO", 1), Lines{"(    ZEFO not found)"})
      << "both plug-ins finished the heading";
  const auto alpha = std::find(menus.begin(), menus.end(), "    Alpha");
  ASSERT_NE(alpha, menus.end()) << run.output;
  EXPECT_EQ(Lines(alpha - 1, alpha + 8),
            (Lines{"    ----", "    Alpha", "      Alpha list -> \"Alpha list\"", "    Vintrell",
                   "      プラグインリスト（パス付き） [bitmap] -> \"List with Path\"",
                   "      プラグインリスト（パスなし） [bitmap] -> \"List without Path\"",
                   "      プラグインリスト（詳細） [bitmap] -> \"List Detail\"", "    ----",
                   "    Alpha more -> \"Alpha more\""}))
      << "the module's submenu is the group's last, above the separator that ends it";
  // Alpha's caption is its Shift-JIS bytes, which the system reads by its code page.
  const std::string alphasHelp = "    " + ShownJapanese("プラグインヘルプ");
  EXPECT_EQ(Below(menus, alphasHelp, 3),
            (Lines{alphasHelp, "      Alpha help -> \"Alpha help\"",
                   "      Vintrell [bitmap] -> \"Information about this PlugIn\""}))
      << "one shared submenu, whatever language the module speaks";
  EXPECT_EQ(Below(menus, "    About Plugins", 3),
            (Lines{"    About Plugins", "      Alpha about -> \"Alpha about\"",
                   "      Vintrell [bitmap] -> \"Information about this PlugIn\""}));
  EXPECT_EQ(std::count(menus.begin(), menus.end(), "    Plugin Help"), 0);
}

TEST_F(Menus, HelpAndAboutThroughTheirEntries) {
  const HostRun run =
      Run({"-menus:en", "start", "choose:&Help>Plugin Help>Vintrell", "choose:&Help>About Plugins>Vintrell"});
  const auto boxes = MessageBoxes(run);
  ASSERT_EQ(boxes.size(), 1u) << run.output;
  EXPECT_EQ(boxes[0].at(0), "message box: caption \"Error\" icon warning buttons OK owner main window");
  EXPECT_EQ(boxes[0].at(1), "| " + PlugIns() + "Quorvel.hlp is not found.");
  EXPECT_TRUE(
      HasLine(StepOutput(run, "choose:&Help>About Plugins>Vintrell"), "dialog: caption \"About Quorvel\""))
      << run.output;
}

}  // namespace
}  // namespace e2e
