// How the module finds its own file: under its own name, or by its plug-in name in either PlugIns
// folder when it was installed under another name.
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

TEST_F(OwnFileName, LoadedUnderItsOwnName) {
  const std::string installed = folders.Program() + "PlugIns\\Quorvel.dll";
  ASSERT_TRUE(PlugInFolders::CopyBuilt("Quorvel.dll", installed));
  const HMODULE loaded = LoadLibraryA(installed.c_str());
  ASSERT_NE(loaded, nullptr);
  {
    const test::InProcessModule module(folders.Program(), folders.Data());
    EXPECT_EQ(GetOwnFileName(), LongPath(installed));
    EXPECT_EQ(GetOwnFolder(), LongPath(folders.Program() + "PlugIns") + "\\");
  }
  FreeLibrary(loaded);
}

TEST_F(OwnFileName, RenamedInTheDataFolderIsFoundByItsPlugInName) {
  PlugInFolders::InstallTestPlugin(folders.Program() + "PlugIns\\Foo.dll", "name=Foo\n");
  PlugInFolders::InstallTestPlugin(folders.Data() + "PlugIns\\Impostor.dll", "name=vintrell\n");
  const std::string renamed = folders.Data() + "PlugIns\\Other.dll";
  ASSERT_TRUE(PlugInFolders::CopyBuilt("Quorvel.dll", renamed));
  const test::InProcessModule module(folders.Program(), folders.Data());
  EXPECT_EQ(GetOwnFileName(), renamed) << "the name must match in its letter case";
  EXPECT_EQ(GetOwnFolder(), folders.Data() + "PlugIns\\");
}

TEST_F(OwnFileName, RenamedInTheProgramFolderIsFoundThereFirst) {
  ASSERT_TRUE(PlugInFolders::CopyBuilt("Quorvel.dll", folders.Program() + "PlugIns\\First.dll"));
  ASSERT_TRUE(PlugInFolders::CopyBuilt("Quorvel.dll", folders.Data() + "PlugIns\\Second.dll"));
  const test::InProcessModule module(folders.Program(), folders.Data());
  EXPECT_EQ(GetOwnFileName(), folders.Program() + "PlugIns\\First.dll");
}

TEST_F(OwnFileName, BeforeTheHostIsBoundTheDataFolderIsNotSearched) {
  ASSERT_TRUE(PlugInFolders::CopyBuilt("Quorvel.dll", folders.Data() + "PlugIns\\Other.dll"));
  const test::InProcessModule module(folders.Program(), folders.Data(), /*bound=*/false);
  EXPECT_EQ(GetOwnFileName(), "");
  EXPECT_EQ(GetOwnFolder(), "");
}

TEST_F(OwnFileName, IsWorkedOutOnceEvenWhenEmpty) {
  const test::InProcessModule module(folders.Program(), folders.Data());
  EXPECT_EQ(GetOwnFileName(), "");
  // Installed only now: the empty answer stands until the module is loaded again.
  ASSERT_TRUE(PlugInFolders::CopyBuilt("Quorvel.dll", folders.Program() + "PlugIns\\Late.dll"));
  EXPECT_EQ(GetOwnFileName(), "");
}

}  // namespace
}  // namespace quorvel::win
