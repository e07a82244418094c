// Opening the module's help file beside it, by the language in force. The test program runs with
// /ENGLISH and with /JAPANESE on its command line, Japanese also on a system of code page 1252.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/win/help.h"
#include "common/win/system_text.h"
#include "common/win/wide_text.h"
#include "in_process_module.h"
#include "message_box_watcher.h"
#include "plugin_fixture.h"
#include "shell_recorder.h"

namespace quorvel::win {
namespace {

using test::PlugInFolders;
using test::WriteFileBytes;

class Help : public ::testing::Test {
 protected:
  void SetUp() override {
    module.emplace(folders.Program(), folders.Data());
    Module().ownFileName = folder + "Quorvel.dll";
    test::UseShellRecorder(test::ProgramFolder() + "..\\", log);
    owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                            nullptr);
  }
  void TearDown() override {
    DestroyWindow(owner);
    module.reset();
  }
  std::string Opened() {
    const auto lines = test::RecordedOpenings(log, 1);
    return lines.empty() ? "" : lines.back();
  }

  PlugInFolders folders;
  const std::string folder = folders.Program() + "PlugIns\\";
  const std::string log = folders.Root() + "shell.log";
  std::optional<test::InProcessModule> module;
  HWND owner = nullptr;
};

TEST_F(Help, OpensTheHelpFileOfTheLanguageInForce) {
  WriteFileBytes(folder + "Quorvel.hlp", "ja");
  WriteFileBytes(folder + "QuorvelE.hlp", "en");
  const test::MessageBoxWatcher boxes;
  ShowHelp(owner);
  const std::string expected = IsJapanese() ? "Quorvel.hlp" : "QuorvelE.hlp";
  EXPECT_NE(Opened().find("\"" + folder + expected + "\""), std::string::npos) << Opened();
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(Help, EnglishFallsBackToTheJapaneseFile) {
  WriteFileBytes(folder + "Quorvel.hlp", "ja");
  ShowHelp(owner);
  EXPECT_NE(Opened().find("\"" + folder + "Quorvel.hlp\""), std::string::npos) << Opened();
}

TEST_F(Help, JapaneseNeverOpensTheEnglishFile) {
  if (!IsJapanese()) GTEST_SKIP() << "runs with /JAPANESE";
  WriteFileBytes(folder + "QuorvelE.hlp", "en");
  const test::MessageBoxWatcher boxes;
  ShowHelp(owner);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].wideText, Widened(folder, CP_ACP) + L"Quorvel.hlp がありません");
  EXPECT_TRUE(test::RecordedOpenings(log, 0, 0).empty());
}

TEST_F(Help, WithoutHelpFilesThePageOfTheLanguageOpens) {
  struct Row {
    const char* name;
    std::vector<std::string> present;
    std::string english, japanese;  // what opens with English and with Japanese in force
  };
  const Row rows[] = {
      {"both pages", {"Quorvel.html", "QuorvelE.html"}, "QuorvelE.html", "Quorvel.html"},
      {"English falls back to the Japanese page", {"Quorvel.html"}, "Quorvel.html", "Quorvel.html"},
      {"any help file comes first, the English one falling back",
       {"Quorvel.hlp", "QuorvelE.html"},
       "Quorvel.hlp",
       "Quorvel.hlp"},
      {"Japanese never opens the English help file",
       {"QuorvelE.hlp", "Quorvel.html"},
       "QuorvelE.hlp",
       "Quorvel.html"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    for (const char* name : {"Quorvel.hlp", "QuorvelE.hlp", "Quorvel.html", "QuorvelE.html"}) {
      DeleteFileA((folder + name).c_str());
    }
    for (const std::string& name : row.present)
      WriteFileBytes(folder + name, "help");
    DeleteFileA(log.c_str());
    const test::MessageBoxWatcher boxes;
    ShowHelp(owner);
    const std::string expected = IsJapanese() ? row.japanese : row.english;
    EXPECT_NE(Opened().find("\"" + folder + expected + "\""), std::string::npos) << Opened();
    EXPECT_TRUE(boxes.Boxes().empty());
  }
}

TEST_F(Help, MissingHelpFileIsNamedInAWarningOwnedByTheCaller) {
  const test::MessageBoxWatcher boxes;
  ShowHelp(owner);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  const test::SeenBox& box = boxes.Boxes()[0];
  // Read back as the user reads it, whatever the system's code page.
  if (IsJapanese()) {
    EXPECT_EQ(box.wideCaption, L"エラー");
    EXPECT_EQ(box.wideText, Widened(folder, CP_ACP) + L"Quorvel.hlp がありません");
  } else {
    EXPECT_EQ(box.wideCaption, L"Error");
    EXPECT_EQ(box.wideText, Widened(folder, CP_ACP) + L"Quorvel.hlp is not found.");
  }
  EXPECT_EQ(box.owner, owner);
  EXPECT_EQ(box.icon, MB_ICONWARNING);
  EXPECT_TRUE(test::RecordedOpenings(log, 0, 0).empty());
}

}  // namespace
}  // namespace quorvel::win
