// Folders of an installed host for the Windows-side tests: a program folder and a data folder, each
// with its PlugIns\ folder, and the built test plug-ins copied into them.
#pragma once

#include <windows.h>

#include <string>

#include "test_files.h"

namespace quorvel::test {

class PlugInFolders {
 public:
  PlugInFolders() {
    CreateDirectoryA(Program().c_str(), nullptr);
    CreateDirectoryA((Program() + "PlugIns").c_str(), nullptr);
    CreateDirectoryA(Data().c_str(), nullptr);
    CreateDirectoryA((Data() + "PlugIns").c_str(), nullptr);
  }

  std::string Program() const { return root_.Path() + "Becky\\"; }
  std::string Data() const { return root_.Path() + "Data\\"; }
  std::string Root() const { return root_.Path(); }

  // A copy of a file built beside the test programs (one folder up from them).
  static bool CopyBuilt(const std::string& builtName, const std::string& to) {
    return CopyFileA((ProgramFolder() + "..\\" + builtName).c_str(), to.c_str(), FALSE) != FALSE;
  }
  // The test plug-in as `path`, with `cfg` in the .cfg file beside it.
  static void InstallTestPlugin(const std::string& path, const std::string& cfg,
                                const std::string& builtName = "TestPlugin.dll") {
    CopyBuilt(builtName, path);
    WriteFileBytes(path.substr(0, path.size() - 4) + ".cfg", cfg);
  }

 private:
  TempFolder root_;
};

}  // namespace quorvel::test
