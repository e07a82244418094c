// How the module finds its own file: the file of its own instance, whatever its name and folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/win/module_paths.h"
#include "in_process_module.h"
#include "plugin_fixture.h"

namespace quorvel::win {
namespace {

using test::PlugInFolders;

std::string LongPath(const std::string& path) {
  char buffer[MAX_PATH] = {};
  GetLongPathNameA(path.c_str(), buffer, MAX_PATH);
  return buffer;
}

class OwnFileName : public ::testing::Test {
 protected:
  PlugInFolders folders;
};

TEST_F(OwnFileName, IsTheFileOfTheModulesOwnInstanceUnderAnyNameInAnyFolder) {
  struct Row {
    const char* name;
    std::string installed;
    std::string alsoLoaded;  // another copy of the module, loaded before
  };
  const Row rows[] = {
      {"its own name in the program folder's PlugIns", folders.Program() + "PlugIns\\Quorvel.dll", ""},
      {"another name in the data folder's PlugIns", folders.Data() + "PlugIns\\Other.dll", ""},
      {"a folder that is neither", folders.Program() + "Elsewhere\\Renamed.dll", ""},
      {"beside another copy loaded as Quorvel.dll", folders.Data() + "PlugIns\\Second.dll",
       folders.Program() + "PlugIns\\Quorvel.dll"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    HMODULE other = nullptr;
    if (!row.alsoLoaded.empty()) {
      ASSERT_TRUE(PlugInFolders::CopyBuilt("Quorvel.dll", row.alsoLoaded));
      other = LoadLibraryA(row.alsoLoaded.c_str());
      ASSERT_NE(other, nullptr);
    }
    const std::string folder = row.installed.substr(0, row.installed.rfind('\\'));
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(PlugInFolders::CopyBuilt("Quorvel.dll", row.installed));
    const HMODULE loaded = LoadLibraryA(row.installed.c_str());
    ASSERT_NE(loaded, nullptr);
    {
      const test::InProcessModule module(folders.Program(), folders.Data());
      Module().instance = loaded;
      EXPECT_EQ(GetOwnFileName(), LongPath(row.installed));
      EXPECT_EQ(GetOwnFolder(), LongPath(folder) + "\\");
    }
    FreeLibrary(loaded);
    if (other) FreeLibrary(other);
  }
}

TEST_F(OwnFileName, IsWorkedOutOnce) {
  const std::string installed = folders.Program() + "PlugIns\\Quorvel.dll";
  ASSERT_TRUE(PlugInFolders::CopyBuilt("Quorvel.dll", installed));
  const HMODULE loaded = LoadLibraryA(installed.c_str());
  ASSERT_NE(loaded, nullptr);
  {
    const test::InProcessModule module(folders.Program(), folders.Data());
    Module().instance = loaded;
    const std::string first = GetOwnFileName();
    Module().instance = GetModuleHandleA(nullptr);
    EXPECT_EQ(GetOwnFileName(), first) << "kept until the module is loaded again";
  }
  FreeLibrary(loaded);
}

}  // namespace
}  // namespace quorvel::win
