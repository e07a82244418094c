// The module's shell inside a test program, bound to a host of the test's own: the test decides
// the host program folder and the data folder, and sees the host API calls the module makes.
// Test programs using it run from a folder without B2.exe, so no real host is bound at load.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/win/module_state.h"

namespace quorvel::test {

class InProcessModule {
 public:
  // `programFolder` and `dataFolder` end with "\"; the module takes the first for its host's.
  InProcessModule(const std::string& programFolder, const std::string& dataFolder, bool bound = true) {
    dataFolder_ = dataFolder;
    commands_.clear();
    registered_.clear();
    win::CreateModuleState(GetModuleHandleA(nullptr));
    win::ModuleState& module = win::Module();
    module.hostProgramPath = programFolder + "B2.exe";
    module.hostProgramFolder = programFolder;
    if (bound) {
      for (FARPROC& entry : module.hostApi.entries)
        entry = Entry(NeverCalled);
      module.hostApi.entries[kGetDataFolder] = Entry(GetDataFolder);
      module.hostApi.entries[kCommand] = Entry(Command);
      module.hostApi.entries[kRegisterCommand] = Entry(RegisterCommand);
      module.hostApiBound = true;
    }
  }
  ~InProcessModule() { win::ReleaseModuleState(); }
  InProcessModule(const InProcessModule&) = delete;
  InProcessModule& operator=(const InProcessModule&) = delete;

  // The BKA_Command calls so far: window and command name.
  static const std::vector<std::pair<HWND, std::string>>& Commands() { return commands_; }
  struct Registered {
    std::string description;
    int windowType;
    win::CommandCallback callback;
  };
  // The commands registered so far; command id n is entry n - kFirstCommandId.
  static const std::vector<Registered>& RegisteredCommands() { return registered_; }
  static constexpr int kFirstCommandId = 40001;

  // What BKA_Command does besides recording, e.g. post a paste request to a window.
  static inline void (*onCommand)(HWND window, const std::string& command) = nullptr;

 private:
  template <class Function>
  static FARPROC Entry(Function function) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
  }
  static LPCSTR WINAPI GetDataFolder() { return dataFolder_.c_str(); }
  static int WINAPI Command(HWND window, LPCSTR command) {
    commands_.emplace_back(window, command ? command : "");
    if (onCommand) onCommand(window, command ? command : "");
    return 0;
  }
  static int WINAPI RegisterCommand(LPCSTR description, int windowType, win::CommandCallback callback) {
    registered_.push_back({description ? description : "", windowType, callback});
    return kFirstCommandId + static_cast<int>(registered_.size()) - 1;
  }
  static int WINAPI NeverCalled() {
    ADD_FAILURE() << "the module called a host function it never needs";
    return 0;
  }

  static inline std::string dataFolder_;
  static inline std::vector<std::pair<HWND, std::string>> commands_;
  static inline std::vector<Registered> registered_;
};

}  // namespace quorvel::test
