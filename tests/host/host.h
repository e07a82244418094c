// The stand-in host: its main window, the loaded plug-ins, compose windows, registered commands and
// mails, and the run from start-up to exit. There is one per process, reached with RunningHost() by the
// host API functions and the window procedures.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "commands.h"
#include "compose_window.h"
#include "lent_texts.h"
#include "mail_store.h"
#include "menu_bar.h"
#include "message_boxes.h"
#include "options.h"
#include "plugin.h"
#include "win_handle.h"

namespace b2host {

class Host {
 public:
  explicit Host(Options options);
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  // Everything: windows, plug-ins, the steps, and the exit. Gives the process exit code.
  int Run();

  // What the host API hands out (ANSI).
  const std::string& VersionText() const { return version_; }
  const std::string& DataFolderText() const { return dataFolderAnsi_; }

  HWND MainWindow() const { return mainWindow_.get(); }
  const std::wstring& ProgramFolderPath() const { return programFolder_; }
  const MenuLayout& Layout() const { return layout_; }
  CommandTable& Commands() { return commands_; }
  MailStore& Mails() { return mails_; }
  LentTexts& Texts() { return texts_; }
  MessageBoxWatcher& Watcher() { return *watcher_; }
  const std::vector<std::unique_ptr<PlugIn>>& PlugIns() const { return plugIns_; }
  PlugIn* FindPlugIn(const std::wstring& fileName) const;
  // The plug-in whose module holds `address`, or null.
  PlugIn* PlugInAt(const void* address) const;

  // The most recently opened compose window still open, or null.
  ComposeWindow* CurrentCompose() const;
  ComposeWindow* OpenCompose();
  void CloseCompose(ComposeWindow* compose);
  // Called when a compose window is destroyed, by whoever destroyed it.
  void ForgetCompose(ComposeWindow* compose);

  // WM_COMMAND from a menu of `window`: a plug-in command's callback, or the host's own item.
  void OnMenuCommand(HWND window, UINT id);

  // Whether each of the host's windows takes input: "windows: main window enabled", then
  // ", compose window enabled|disabled" for each open compose window in the order opened.
  std::wstring WindowsLine() const;

  std::wstring DescribeOwner(HWND owner) const;
  std::wstring Describe(HWND window) const;
  std::wstring Describe(HMENU menu) const;

  void Pump();
  void Wait(DWORD milliseconds);
  // BKC_OnExit for each plug-in, the windows closed, each plug-in freed in reverse load order, then
  // the texts of BKA_GetSource never given back reported.
  void Exit();
  bool Exited() const { return exited_; }

 private:
  bool CreateMainWindow();
  void LoadPlugIns();
  void LoadFolder(const std::wstring& folder, const std::wstring& noLoadPin);
  static LRESULT CALLBACK MainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  Options options_;
  MenuLayout layout_;
  std::wstring programFolder_;
  std::wstring dataFolder_;
  std::string version_;
  std::string dataFolderAnsi_;
  CommandTable commands_;
  MailStore mails_;
  LentTexts texts_;
  UniqueWindow mainWindow_;
  std::unique_ptr<MessageBoxWatcher> watcher_;
  std::vector<std::unique_ptr<PlugIn>> plugIns_;
  std::vector<std::unique_ptr<ComposeWindow>> composes_;
  bool exited_ = false;
};

// Null outside the host's lifetime: plug-in code may call the host API at any time.
Host* RunningHost();

}  // namespace b2host
