// The plug-in list command over real plug-ins, written to the list file or pasted into a window
// through the clipboard.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "common/win/clipboard_text.h"
#include "common/win/system_text.h"
#include "common/win/wide_text.h"
#include "in_process_module.h"
#include "inventory/win/plugin_list_command.h"
#include "message_box_watcher.h"
#include "pe_image.h"
#include "plugin_fixture.h"
#include "shell_recorder.h"
#include "text_lines.h"

namespace quorvel::win {
namespace {

using test::PlugInFolders;

constexpr char kHostSettings[] = "Software\\RimArts\\B2\\Settings";
constexpr UINT kPasteRequest = WM_APP + 1;

// A window standing for the host's compose window: a paste request in its queue takes the clipboard
// text when the window gets to it, as the host's "EditPaste" does.
class ComposeWindow {
 public:
  ComposeWindow() {
    WNDCLASSA type{};
    type.lpfnWndProc = Procedure;
    type.hInstance = GetModuleHandleA(nullptr);
    type.lpszClassName = "QuorvelTestCompose";
    RegisterClassA(&type);
    window_ = CreateWindowExA(0, type.lpszClassName, "compose", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                              nullptr, type.hInstance, nullptr);
    pasted_.clear();
    test::InProcessModule::onCommand = [](HWND window, const std::string& command) {
      if (command == "EditPaste") PostMessageA(window, kPasteRequest, 0, 0);
    };
  }
  ~ComposeWindow() {
    test::InProcessModule::onCommand = nullptr;
    DestroyWindow(window_);
  }
  HWND Handle() const { return window_; }
  static const std::vector<std::string>& Pasted() { return pasted_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kPasteRequest && OpenClipboard(window)) {
      const HANDLE data = GetClipboardData(CF_TEXT);
      const char* text = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
      pasted_.push_back(text ? text : "(no text)");
      if (text) GlobalUnlock(data);
      CloseClipboard();
      return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }
  HWND window_ = nullptr;
  static inline std::vector<std::string> pasted_;
};

class PlugInListCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    program = folders.Program() + "PlugIns\\";
    data = folders.Data() + "PlugIns\\";
    PlugInFolders::InstallTestPlugin(program + "A.DLL",
                                     "name=Alpha\nvendor=Maker\nversion=1.0\ndescription=First\n" + Log());
    test::WriteFileBytes(program + "BB.DLL", "not a module");
    PlugInFolders::InstallTestPlugin(data + "C.dll", "name=Gamma\nversion=Ver.3\n" + Log());
    module.emplace(folders.Program(), folders.Data());
    Module().ownFileName = program + "Quorvel.dll";
    test::UseShellRecorder(test::ProgramFolder() + "..\\", shellLog);
    SetNoLoadPin(nullptr);
  }
  void TearDown() override {
    module.reset();
    SetNoLoadPin(nullptr);
  }
  std::string Log() const { return "log=" + test::CfgPath(folders.Root() + "loads.log") + "\n"; }
  static void SetNoLoadPin(const char* value) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, kHostSettings, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (value) {
      RegSetValueExA(key, "NoLoadPin", 0, REG_SZ, reinterpret_cast<const BYTE*>(value), lstrlenA(value) + 1);
    } else {
      RegDeleteValueA(key, "NoLoadPin");
    }
    RegCloseKey(key);
  }
  std::string ListFile() const { return test::ReadWholeFile(program + "Quorvel.txt"); }
  size_t Loads() const {
    size_t attaches = 0;
    for (const std::string& line : test::SplitLines(test::ReadWholeFile(folders.Root() + "loads.log"))) {
      attaches += line == "attach";
    }
    return attaches;
  }

  PlugInFolders folders;
  std::string program, data;
  const std::string shellLog = folders.Root() + "shell.log";
  std::optional<test::InProcessModule> module;
};

TEST_F(PlugInListCommand, WritesEachLayoutToTheListFileAndOpensIt) {
  SetNoLoadPin("BB.DLL");
  const std::string a = program + "A.DLL", bb = program + "BB.DLL", c = data + "C.dll";
  const auto pad = [](std::string text, size_t width) {
    return text + std::string(width - text.size(), ' ');
  };
  const size_t pathWidth = std::max({a.size(), bb.size(), c.size()}) + 1;
  struct Row {
    TPlugInListKind kind;
    std::string text;
  };
  const Row rows[] = {
      {lkWithPath, pad(a, pathWidth) + "Alpha     1.0       \r\n" + pad(bb, pathWidth) +
                       "(unknown) (unknown) not in use\r\n" + pad(c, pathWidth) + "Gamma     Ver.3     \r\n"},
      {lkWithoutPath, "Alpha     1.0       \r\n(unknown) (unknown) not in use\r\nGamma     Ver.3     \r\n"},
      {lkDetail, a + "\r\nAlpha\r\nMaker\r\n1.0\r\nFirst\r\n\r\n" + bb +
                     "\r\n(unknown)\r\n(unknown)\r\n(unknown)\r\n(unknown)\r\nnot in use\r\n\r\n" + c +
                     "\r\nGamma\r\n\r\nVer.3\r\n\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.kind);
    ShowPlugInList(nullptr, false, row.kind);
    EXPECT_EQ(ListFile(), row.text);
  }
  const auto opened = test::RecordedOpenings(shellLog, 3);
  ASSERT_EQ(opened.size(), 3u);
  EXPECT_NE(opened[0].find("\"" + program + "Quorvel.txt\""), std::string::npos) << opened[0];
  EXPECT_EQ(Loads(), 6u) << "each module is loaded once per command";
}

TEST_F(PlugInListCommand, EmptyOrMissingNoLoadPinMarksNothing) {
  for (const char* value : {static_cast<const char*>(nullptr), "", "bb.dll"}) {
    SCOPED_TRACE(value ? value : "(missing)");
    SetNoLoadPin(value);
    ShowPlugInList(nullptr, false, lkWithoutPath);
    EXPECT_EQ(ListFile(), "Alpha     1.0\r\n(unknown) (unknown)\r\nGamma     Ver.3\r\n");
  }
}

// The user asked for a list and gets none: one warning names the file and the system's reason, and
// nothing is opened.
TEST_F(PlugInListCommand, ListFileThatCannotBeWrittenIsNamedWithTheReason) {
  const std::string path = program + "Quorvel.txt";
  struct Row {
    const char* name;
    std::function<HANDLE()> block;  // gives what to close afterwards, if anything
  };
  const Row rows[] = {
      {"a folder where the file should go",
       [&] {
         CreateDirectoryA(path.c_str(), nullptr);
         return static_cast<HANDLE>(nullptr);
       }},
      {"a file another program holds open",
       [&] {
         test::WriteFileBytes(path, "kept");
         return CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
       }},
  };
  const std::wstring words = IsJapanese() ? L" に書き込めませんでした。\r\n" : L" could not be written.\r\n";
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const HANDLE held = row.block();
    const test::MessageBoxWatcher boxes;
    ShowPlugInList(nullptr, false, lkWithPath);
    if (held && held != INVALID_HANDLE_VALUE) CloseHandle(held);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    const test::SeenBox& box = boxes.Boxes()[0];
    const std::wstring named = Widened(path, CP_ACP) + words;
    EXPECT_EQ(box.wideText.substr(0, named.size()), named);
    EXPECT_GT(box.wideText.size(), named.size()) << "the system's reason follows";
    EXPECT_EQ(box.wideCaption, IsJapanese() ? L"エラー" : L"Error");
    EXPECT_EQ(box.icon, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_TRUE(test::RecordedOpenings(shellLog, 0, 500).empty()) << "nothing to open";
    RemoveDirectoryA(path.c_str());
    DeleteFileA(path.c_str());
  }
}

TEST_F(PlugInListCommand, PastesIntoTheComposeWindowAndPutsTheUsersTextBack) {
  const ComposeWindow compose;
  ASSERT_TRUE(SetClipboardWideText(compose.Handle(), L"the user's text"));
  ShowPlugInList(compose.Handle(), true, lkWithoutPath);
  EXPECT_EQ(ComposeWindow::Pasted(),
            (std::vector<std::string>{"Alpha     1.0\r\n(unknown) (unknown)\r\nGamma     Ver.3\r\n"}));
  ASSERT_EQ(test::InProcessModule::Commands().size(), 1u);
  EXPECT_EQ(test::InProcessModule::Commands()[0], std::make_pair(compose.Handle(), std::string("EditPaste")));
  std::optional<std::wstring> text;
  ASSERT_TRUE(ReadClipboardText(compose.Handle(), text));
  EXPECT_EQ(text, std::wstring(L"the user's text"));
}

TEST_F(PlugInListCommand, ClipboardWithoutTextIsLeftHoldingTheEmptyText) {
  const ComposeWindow compose;
  OpenClipboard(compose.Handle());
  EmptyClipboard();
  CloseClipboard();
  ShowPlugInList(compose.Handle(), true, lkWithoutPath);
  EXPECT_EQ(ComposeWindow::Pasted().size(), 1u);
  std::optional<std::wstring> text;
  ASSERT_TRUE(ReadClipboardText(compose.Handle(), text));
  EXPECT_EQ(text, std::wstring());
}

TEST_F(PlugInListCommand, ClipboardHeldByAnotherProgramEndsTheCommandWithoutPasting) {
  const ComposeWindow compose;
  HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr),
         done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::thread holder([&] {
    const HWND other =
        CreateWindowExA(0, "STATIC", "other", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    OpenClipboard(other);
    SetEvent(opened);
    WaitForSingleObject(done, 10000);
    CloseClipboard();
    DestroyWindow(other);
  });
  WaitForSingleObject(opened, 10000);
  const test::MessageBoxWatcher boxes;
  ShowPlugInList(compose.Handle(), true, lkWithoutPath);
  SetEvent(done);
  holder.join();
  CloseHandle(opened);
  CloseHandle(done);
  EXPECT_TRUE(ComposeWindow::Pasted().empty());
  EXPECT_TRUE(test::InProcessModule::Commands().empty()) << "the host is not asked to paste";
  EXPECT_TRUE(boxes.Boxes().empty());
}

}  // namespace
}  // namespace quorvel::win
