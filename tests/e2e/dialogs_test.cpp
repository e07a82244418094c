// The setup and About dialogs in the stand-in host, driven as a user would.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "module_fixture.h"

namespace e2e {
namespace {

constexpr char kWithPathCheck[] = "#202";
constexpr char kWithoutPathCheck[] = "#203";
constexpr char kCompListCheck[] = "#204";
constexpr char kBeckyOnlyCheck[] = "#206";

bool BeginsWith(const std::string& line, const std::string& prefix) {
  return line.rfind(prefix, 0) == 0;
}

// Lines of `lines` that begin with `prefix`, at most one expected.
std::string LineBeginning(const Lines& lines, const std::string& prefix) {
  const Lines found = WithPrefix(lines, prefix);
  return found.size() == 1 ? found[0]
                           : "(" + std::to_string(found.size()) + " lines begin with " + prefix + ")";
}

class SetupDialog : public ModuleTest {
 protected:
  // Opens the setup dialog once with `actions`, then ends the host.
  HostRun Setup(const std::string& actions, const std::vector<std::string>& before = {}) {
    std::vector<std::string> arguments = before;
    arguments.insert(arguments.end(), {"start", "dialog:" + actions, "setup:Quorvel.dll", "exit"});
    return Run(arguments);
  }
  std::string Ini() const { return installation.ReadFile(PlugIns() + "Quorvel.ini"); }
  bool IniHas(const std::string& line) const { return Ini().find(line + "\r\n") != std::string::npos; }
  static Lines Notices(const HostRun& run) {
    Lines notices;
    for (const Lines& box : MessageBoxes(run))
      notices.insert(notices.end(), box.begin(), box.end());
    return notices;
  }
};

TEST_F(SetupDialog, FirstUseShowsEveryBoxCheckedAndOkWritesFourTrueValues) {
  const HostRun run =
      Setup("print;click:" + std::string(kWithPathCheck) + ";click:" + kWithPathCheck + ";key:ENTER");
  const Lines lines = run.Lines();
  for (const char* id : {kWithPathCheck, kWithoutPathCheck, kCompListCheck, kBeckyOnlyCheck}) {
    EXPECT_NE(LineBeginning(lines, std::string("  Button ") + id).find(" check-box checked "),
              std::string::npos)
        << id;
  }
  EXPECT_TRUE(MessageBoxes(run).empty()) << "unchecked and checked again: no change, no notice";
  EXPECT_TRUE(HasLine(lines, "dialog ended: caption \"Vintrell\" result 1"));
  EXPECT_TRUE(HasLine(lines, "setup returned 1"));
  for (const char* line : {"Menu\\ListWithPath=Boolean:True", "Menu\\ListWithoutPath=Boolean:True",
                           "Menu\\CompList=Boolean:True", "Check\\BeckyOnly=Boolean:True"}) {
    EXPECT_TRUE(IniHas(line)) << line << "\n" << Ini();
  }
}

TEST_F(SetupDialog, TheFormAsDesigned) {
  const HostRun run = Setup("print;close");
  const Lines lines = run.Lines();
  EXPECT_EQ(
      LineBeginning(lines, "dialog \"Vintrell\": "),
      "dialog \"Vintrell\": owner none, frame sizeable, title bar: caption system-menu minimize maximize "
      "close, "
      "window 424x163 at 35,192, client 416x136, font \"ＭＳ Ｐゴシック\" -12 weight 400 charset 128, icon "
      "yes")
      << run.output;
  // Tab order: OK, Cancel, Help, then the check boxes; the docked boxes take the whole width.
  const Lines controls = WithPrefix(lines, "  ");
  ASSERT_GE(controls.size(), 8u);
  EXPECT_TRUE(BeginsWith(controls[0], "  Button #1 \"ＯＫ\" at 8,109 73x25 push-button default-button"))
      << controls[0];
  EXPECT_TRUE(BeginsWith(controls[1], "  Button #2 \"キャンセル\" at 88,109 73x25 push-button"))
      << controls[1];
  EXPECT_TRUE(BeginsWith(controls[2], "  Button #201 \"ヘルプ\" at 337,109 73x25 push-button"))
      << controls[2];
  EXPECT_NE(
      controls[3].find(
          "\"メイン画面のメニューに「プラグインリスト（パス付き）」を表示する\" at 0,0 416x17 check-box"),
      std::string::npos);
  EXPECT_NE(controls[6].find("Static #205 \"\" at 0,51 416x3 etched-horizontal"), std::string::npos);
  EXPECT_NE(controls[7].find("\"プラグインチェックは Becky! のもののみ\" at 0,54 416x17 check-box"),
            std::string::npos);
  // The Japanese texts are drawn in a Shift-JIS font whatever the system's language.
  for (const std::string& control : controls) {
    if (control.find("etched") != std::string::npos) continue;  // the bevel draws no text
    EXPECT_NE(control.find("font \"ＭＳ Ｐゴシック\" -12 weight 400 charset 128"), std::string::npos)
        << control;
  }
}

TEST_F(SetupDialog, DockedControlsFollowAResize) {
  const HostRun run = Setup("resize:600,300;print;click:ＯＫ");
  const Lines lines = run.Lines();
  const std::string client = LineBeginning(lines, "dialog \"Vintrell\": ");
  const size_t at = client.find("client ");
  ASSERT_NE(at, std::string::npos) << run.output;
  const int width = std::stoi(client.substr(at + 7)),
            height = std::stoi(client.substr(client.find('x', at) + 1));
  EXPECT_NE(LineBeginning(lines, "  Button #206").find("at 0,54 " + std::to_string(width) + "x17"),
            std::string::npos);
  EXPECT_NE(LineBeginning(lines, "  Button #1 ").find("at 8," + std::to_string(height - 27) + " 73x25"),
            std::string::npos);
  EXPECT_NE(LineBeginning(lines, "  Button #201").find("at " + std::to_string(width - 79) + ","),
            std::string::npos);
  EXPECT_TRUE(IniHas("SetupForm\\Width=Integer:600")) << Ini();
  EXPECT_TRUE(IniHas("SetupForm\\Height=Integer:300"));
}

TEST_F(SetupDialog, TheNoticeComesOnlyWhenAMainMenuSwitchChanged) {
  struct Row {
    const char* name;
    std::string clicks;
    bool notice;
    const char* written;
  };
  const Row rows[] = {
      {"the compose switch alone", "click:#204", false, "Menu\\CompList=Boolean:False"},
      {"the mail filter alone", "click:#206", false, "Check\\BeckyOnly=Boolean:False"},
      {"one main-menu switch", "click:#202", true, "Menu\\ListWithPath=Boolean:False"},
      {"both main-menu switches: one notice", "click:#202;click:#203", true,
       "Menu\\ListWithoutPath=Boolean:False"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    installation.WriteFile(PlugIns() + "Quorvel.ini", "");
    const HostRun run = Setup(row.clicks + ";click:ＯＫ");
    const auto boxes = MessageBoxes(run);
    if (row.notice) {
      ASSERT_EQ(boxes.size(), 1u) << run.output;
      EXPECT_EQ(
          boxes[0],
          (Lines{"message box: caption \"Vintrell\" icon information buttons OK owner dialog \"Vintrell\"",
                 "| メインメニューの設定は次回の起動から有効になります。"}));
    } else {
      EXPECT_TRUE(boxes.empty()) << run.output;
    }
    EXPECT_TRUE(IniHas(row.written)) << Ini();
  }
}

TEST_F(SetupDialog, CancelEscAndTheCloseBoxWriteNothingButThePlacement) {
  for (const char* end : {"click:キャンセル", "key:ESC", "close"}) {
    SCOPED_TRACE(end);
    installation.WriteFile(PlugIns() + "Quorvel.ini", "");
    const HostRun run = Setup(std::string("click:#202;click:#204;") + end);
    EXPECT_TRUE(HasLine(run.Lines(), "dialog ended: caption \"Vintrell\" result 2")) << run.output;
    EXPECT_TRUE(HasLine(run.Lines(), "setup returned 1")) << "the host is told 1 after Cancel too";
    EXPECT_TRUE(MessageBoxes(run).empty());
    EXPECT_EQ(Ini().find("Menu\\"), std::string::npos) << Ini();
    EXPECT_TRUE(IniHas("SetupForm\\State=String:Normal")) << "placement on every close, saved at the end";
  }
}

// A dialog without an owner still keeps the host from input while it is open, as a modal dialog
// does: the host's windows are disabled, and enabled again however the dialog ends.
TEST_F(SetupDialog, TheHostsWindowsTakeNoInputWhileADialogIsOpen) {
  struct Row {
    const char* name;
    std::string actions, open;
  };
  const Row rows[] = {
      {"setup, OK", "windows;click:ＯＫ", "setup:Quorvel.dll"},
      {"setup, Cancel", "windows;click:キャンセル", "setup:Quorvel.dll"},
      {"setup, Esc", "windows;key:ESC", "setup:Quorvel.dll"},
      {"setup, the close box", "windows;close", "setup:Quorvel.dll"},
      {"About, OK", "windows;click:OK", "choose:&Help>About Plugins>Vintrell"},
      {"About, Esc", "windows;key:ESC", "choose:&Help>About Plugins>Vintrell"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const HostRun run = Run(
        {"-menus:en", "/ENGLISH", "start", "compose", "dialog:" + row.actions, row.open, "windows", "exit"});
    EXPECT_EQ(WithPrefix(run.Lines(), "windows: "),
              (Lines{"windows: main window disabled, compose window disabled",
                     "windows: main window enabled, compose window enabled"}))
        << run.output;
  }
}

TEST_F(SetupDialog, HelpKeepsTheDialogOpenWithItsChecks) {
  const HostRun run = Setup("click:#204;click:ヘルプ;print;click:ＯＫ");
  const auto boxes = MessageBoxes(run);
  ASSERT_EQ(boxes.size(), 1u) << run.output;
  EXPECT_EQ(boxes[0][0], "message box: caption \"Error\" icon warning buttons OK owner dialog \"Vintrell\"");
  EXPECT_NE(LineBeginning(run.Lines(), "  Button #204").find(" check-box unchecked "), std::string::npos);
  EXPECT_TRUE(IniHas("Menu\\CompList=Boolean:False"));
}

TEST_F(SetupDialog, ReopensAtItsStoredPlaceAndSizeKeptOnTheScreen) {
  const HostRun run = Run({"start", "dialog:move:200,150;resize:500,250;click:ＯＫ", "setup:Quorvel.dll",
                           "dialog:print;close", "setup:Quorvel.dll"});
  EXPECT_NE(LineBeginning(run.Lines(), "dialog \"Vintrell\": ").find("window 500x250 at 200,150"),
            std::string::npos)
      << run.output;

  const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  installation.WriteFile(PlugIns() + "Quorvel.ini",
                         "SetupForm\\Left=Integer:" + std::to_string(screenWidth + 100) +
                             "\r\nSetupForm\\Top=Integer:-40\r\nSetupForm\\Width=Integer:500\r\n"
                             "SetupForm\\Height=Integer:250\r\n");
  const HostRun clamped = Setup("print;close");
  EXPECT_NE(LineBeginning(clamped.Lines(), "dialog \"Vintrell\": ")
                .find("window 500x250 at " + std::to_string(screenWidth - 500) + ",0"),
            std::string::npos)
      << clamped.output << "\nscreen " << screenWidth << "x" << screenHeight;
}

TEST_F(SetupDialog, AStoredMinimizedStateOpensNormalAndMaximizedIsRestored) {
  installation.WriteFile(PlugIns() + "Quorvel.ini", "SetupForm\\State=String:Minimized\r\n");
  const HostRun minimized = Setup("print;close");
  EXPECT_NE(LineBeginning(minimized.Lines(), "dialog \"Vintrell\": ").find("window 424x163 at 35,192"),
            std::string::npos)
      << minimized.output;
  EXPECT_TRUE(IniHas("SetupForm\\State=String:Normal"));

  // Maximized it opens, and stays, once the dialog manager has shown it; and again after a close.
  installation.WriteFile(PlugIns() + "Quorvel.ini", "SetupForm\\State=String:Maximized\r\n");
  for (int opening = 1; opening <= 2; ++opening) {
    SCOPED_TRACE(opening);
    const HostRun maximized = Setup("wait:300;print;close");
    EXPECT_NE(LineBeginning(maximized.Lines(), "dialog \"Vintrell\": ").find("icon yes, maximized"),
              std::string::npos)
        << maximized.output;
    EXPECT_TRUE(IniHas("SetupForm\\State=String:Maximized")) << Ini();
    EXPECT_TRUE(IniHas("SetupForm\\Width=Integer:424")) << "the normal size is kept, not the maximized one";
  }
}

TEST_F(SetupDialog, OkRefreshesTheMailFilter) {
  installation.WriteFile("other.eml", "X-Mailer: Postwick Mail ver 3.2\r\n\r\nHello.\r\n");
  const HostRun run = Run({"start", "retrieve:other.eml", "dialog:click:#206;click:ＯＫ", "setup:Quorvel.dll",
                           "retrieve:other.eml"});
  const auto boxes = MessageBoxes(run);
  ASSERT_EQ(boxes.size(), 1u) << "only the second retrieval, after the filter was turned off\n" << run.output;
  EXPECT_EQ(boxes[0].at(3), "| Postwick Mail ver 3.2");
}

class AboutDialog : public ModuleTest {
 protected:
  // Opens the About dialog through its menu entry, whose shared submenu is captioned in the language
  // in force.
  HostRun About(bool japanese) {
    const std::string submenu = japanese ? "プラグインについて" : "About Plugins";
    return Run({japanese ? "/JAPANESE" : "/ENGLISH", "-menus:en", "start", "dialog:print;click:OK",
                "choose:&Help>" + submenu + ">Vintrell", "exit"});
  }
};

TEST_F(AboutDialog, InEnglish) {
  const HostRun run = About(false);
  const Lines lines = run.Lines();
  // No title-bar buttons, the designed size, centred on the screen.
  EXPECT_TRUE(BeginsWith(
      LineBeginning(lines, "dialog \"About Quorvel\": "),
      "dialog \"About Quorvel\": owner none, frame dialog, title bar: caption, window 389x180 at " +
          std::to_string((GetSystemMetrics(SM_CXSCREEN) - 389) / 2) + "," +
          std::to_string((GetSystemMetrics(SM_CYSCREEN) - 180) / 2) + ","))
      << run.output;
  const std::string arial = "font \"Arial\" -12 weight 400 charset 0";
  struct Row {
    const char* id;
    std::string text, place, font;
  };
  const Row rows[] = {
      {"#1 ", "\"OK\"", "at 316,12 53x21", arial},
      {"#101", "\"Vintrell\"", "at 60,8 ", arial},
      {"#103", "\"Copyright (C) 2026 TARVI Semmo\"", "at 100,44 ", arial},
      {"#104", "\"(https://tarvi.example.com/)\"", "at 100,60 ", arial},
      {"#105", "\"No need to send fee nor to get licence for this plugin.\"", "at 20,120 ", arial},
      {"#106", "\"Copyright (C) 2026 ZEFO Lab.\"", "at 100,80 ", arial},
      {"#107", "\"(https://zefo.example.org/)\"", "at 100,96 ", arial},
      {"#108", "\"Ver.0.01 Rev.4\"", "at 76,24 ", "font \"ＭＳ Ｐゴシック\" -12 weight 400 charset 128"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.id);
    const std::string line = LineBeginning(
        lines, std::string("  ") + (row.id[1] == '1' && row.id[2] == ' ' ? "Button " : "Static ") + row.id);
    EXPECT_NE(line.find(row.text + " " + row.place), std::string::npos) << line;
    EXPECT_NE(line.find(row.font), std::string::npos) << line;
  }
  EXPECT_NE(LineBeginning(lines, "  Static #102").find("at 20,32 32x32 bitmap 32x32"), std::string::npos);
  EXPECT_TRUE(HasLine(lines, "dialog ended: caption \"About Quorvel\" result 1"));
}

TEST_F(AboutDialog, InJapanese) {
  const HostRun run = About(true);
  const Lines lines = run.Lines();
  const std::string caption = "Quorvel について";
  EXPECT_NE(LineBeginning(lines, "dialog \"" + caption + "\": ").find("title bar: caption, window 389x180"),
            std::string::npos)
      << run.output;
  const std::string japanese = "font \"ＭＳ Ｐゴシック\" -12 weight 400 charset 128";
  EXPECT_NE(LineBeginning(lines, "  Static #105")
                .find("\"このプラグインにご送金やライセンス取得は必要ありません。\""),
            std::string::npos);
  for (const char* id : {"  Static #101", "  Static #105", "  Static #108", "  Button #1 "}) {
    EXPECT_NE(LineBeginning(lines, id).find(japanese), std::string::npos) << id;
  }
}

TEST_F(AboutDialog, AStoredFontReachesEveryTextButTheVersion) {
  installation.WriteFile(
      PlugIns() + "Quorvel.ini",
      "AboutForm\\Font\\English\\Name=String:Courier New\r\nAboutForm\\Font\\English\\Size=Integer:12\r\n"
      "AboutForm\\Font\\English\\Bold=Boolean:True\r\n"
      "AboutForm\\Font\\Japanese\\Name=String:Ignored\r\n");
  const Lines lines = About(false).Lines();
  for (const char* id : {"  Static #101", "  Static #103", "  Static #105", "  Button #1 "}) {
    // The stored values replace the designed ones; the character set, not stored, stays Shift-JIS.
    EXPECT_NE(LineBeginning(lines, id).find("font \"Courier New\" -16 weight 700 charset 128"),
              std::string::npos)
        << id;
  }
  EXPECT_NE(LineBeginning(lines, "  Static #108").find("font \"ＭＳ Ｐゴシック\" -12 weight 400 charset 128"),
            std::string::npos);
}

// The screen's resolution set for the processes started while this lives. The test prefix has no
// setting of its own (96 dots per inch), and gets none back; a run cut short is mended by the next
// start of the prefix's server (tools/wine-run --start).
class ScreenDpi {
 public:
  explicit ScreenDpi(DWORD dotsPerInch) {
    const LSTATUS set =
        RegSetKeyValueA(HKEY_CURRENT_USER, kKey, "LogPixels", REG_DWORD, &dotsPerInch, sizeof dotsPerInch);
    EXPECT_EQ(set, ERROR_SUCCESS);
  }
  ~ScreenDpi() { RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey, "LogPixels"); }
  ScreenDpi(const ScreenDpi&) = delete;
  ScreenDpi& operator=(const ScreenDpi&) = delete;

 private:
  static constexpr char kKey[] = "Control Panel\\Desktop";
};

TEST_F(SetupDialog, AtOneAndAHalfTimesTheResolutionEverythingGrowsAlike) {
  const ScreenDpi dpi(144);
  const Lines lines = Setup("print;close").Lines();
  const std::string font = "font \"ＭＳ Ｐゴシック\" -18 weight 400 charset 128";
  EXPECT_NE(LineBeginning(lines, "dialog \"Vintrell\": ").find("client 624x204, " + font), std::string::npos)
      << LineBeginning(lines, "dialog \"Vintrell\": ");
  const std::pair<const char*, const char*> controls[] = {
      {"  Button #1 ", "at 12,163 110x38"},   {"  Button #2 ", "at 132,163 110x38"},
      {"  Button #201", "at 505,163 110x38"}, {"  Button #202", "at 0,0 624x26"},
      {"  Static #205", "at 0,78 624x5"},     {"  Button #206", "at 0,83 624x26"},
  };
  for (const auto& [id, place] : controls) {
    EXPECT_NE(LineBeginning(lines, id).find(place), std::string::npos) << LineBeginning(lines, id);
  }
}

TEST_F(AboutDialog, AtOneAndAHalfTimesTheResolutionEverythingGrowsAlike) {
  const ScreenDpi dpi(144);
  const Lines lines = About(false).Lines();
  EXPECT_NE(LineBeginning(lines, "dialog \"About Quorvel\": ").find("window 584x270 "), std::string::npos)
      << LineBeginning(lines, "dialog \"About Quorvel\": ");
  const std::pair<const char*, const char*> controls[] = {
      {"  Button #1 ", "\"OK\" at 474,18 80x32"},
      {"  Static #101", "\"Vintrell\" at 90,12 "},
      {"  Static #105", "at 30,180 "},
      {"  Static #108", "\"Ver.0.01 Rev.4\" at 114,36 "},
  };
  for (const auto& [id, place] : controls) {
    const std::string line = LineBeginning(lines, id);
    EXPECT_NE(line.find(place), std::string::npos) << line;
    EXPECT_NE(line.find(" -18 weight"), std::string::npos) << line;
  }
}

}  // namespace
}  // namespace e2e
