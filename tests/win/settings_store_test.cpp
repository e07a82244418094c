// The settings file beside the module: read at first use, saved whole and in one step, never
// overwritten when it could not be read.
#include <windows.h>

#include <gtest/gtest.h>

#include <clocale>
#include <new>
#include <string>
#include <vector>

#include "common/win/folder_listing.h"
#include "common/win/settings_store.h"
#include "common/win/system_text.h"
#include "in_process_module.h"
#include "pe_image.h"
#include "plugin_fixture.h"

namespace quorvel::win {
namespace {

using test::PlugInFolders;
using test::WriteFileBytes;

class SettingsStore : public ::testing::Test {
 protected:
  void UseFolder(const std::string& folder) {
    module.emplace(folders.Program(), folders.Data());
    Module().ownFileName = folder + "Quorvel.dll";
    ini = folder + "Quorvel.ini";
  }
  void SetUp() override { UseFolder(folders.Program() + "PlugIns\\"); }
  std::string Stored() const { return test::ReadWholeFile(ini); }
  static bool ListWithPath() {
    return ToBoolean(ReadSetting("Menu", "ListWithPath", Variant::Boolean(true)), true);
  }

  PlugInFolders folders;
  std::optional<test::InProcessModule> module;
  std::string ini;
};

TEST_F(SettingsStore, LivesInTheIniFileBesideTheModule) {
  WriteFileBytes(ini, "Menu\\ListWithPath=Boolean:False\r\nKept line\r\n");
  EXPECT_FALSE(ListWithPath());
  WriteSetting("Check", "BeckyOnly", Variant::Boolean(false));
  EXPECT_TRUE(SaveSettings());
  EXPECT_EQ(Stored(), "Menu\\ListWithPath=Boolean:False\r\nKept line\r\nCheck\\BeckyOnly=Boolean:False\r\n");
}

TEST_F(SettingsStore, WithoutAFileReadsGiveDefaultsAndTheFirstSaveCreatesIt) {
  EXPECT_TRUE(ListWithPath());
  EXPECT_EQ(GetFileAttributesA(ini.c_str()), INVALID_FILE_ATTRIBUTES) << "reading writes nothing";
  EXPECT_TRUE(SaveSettings());
  EXPECT_EQ(Stored(), "") << "an empty table saves an empty file";
  WriteSetting("Menu", "ListWithPath", Variant::Boolean(true));
  EXPECT_TRUE(SaveSettings());
  EXPECT_EQ(Stored(), "Menu\\ListWithPath=Boolean:True\r\n");
}

TEST_F(SettingsStore, ASaveOfTheBytesTheFileHoldsWritesNothingUnlessTheFileHasGone) {
  const std::string before = "Menu\\ListWithPath=Boolean:False\r\n";
  const std::string after = "Menu\\ListWithPath=Boolean:True\r\n";
  WriteFileBytes(ini, before);
  EXPECT_FALSE(ListWithPath());
  // Bytes put there behind the store's back show whether a save wrote the file.
  const auto expectSaved = [&](const std::string& expected, const char* why) {
    WriteFileBytes(ini, "untouched\r\n");
    EXPECT_TRUE(SaveSettings());
    EXPECT_EQ(Stored(), expected) << why;
  };
  expectSaved("untouched\r\n", "the bytes it read: nothing written");
  WriteSetting("Menu", "ListWithPath", Variant::Boolean(false));
  expectSaved("untouched\r\n", "a value written as it was: nothing written");
  WriteSetting("Menu", "ListWithPath", Variant::Boolean(true));
  expectSaved(after, "changed bytes are written");
  expectSaved("untouched\r\n", "the bytes it last wrote: nothing written");
  DeleteFileA(ini.c_str());
  EXPECT_TRUE(SaveSettings(/*unlessUnchanged=*/true));
  EXPECT_EQ(GetFileAttributesA(ini.c_str()), INVALID_FILE_ATTRIBUTES) << "unchanged: the disk is not asked";
  EXPECT_TRUE(SaveSettings());
  EXPECT_EQ(Stored(), after) << "a file that has gone is written again";
  WriteSetting("Menu", "ListWithPath", Variant::Boolean(false));
  DeleteFileA(ini.c_str());
  EXPECT_TRUE(SaveSettings(/*unlessUnchanged=*/true));
  EXPECT_EQ(Stored(), before) << "changed: written";
}

TEST_F(SettingsStore, TheFileIsReadOnceAtFirstUse) {
  EXPECT_TRUE(ListWithPath());
  WriteFileBytes(ini, "Menu\\ListWithPath=Boolean:False\r\n");
  EXPECT_TRUE(ListWithPath()) << "the table is not read again";
}

TEST_F(SettingsStore, SaveOverALockedFileLeavesItWholeAndTriesAgainNextTime) {
  WriteFileBytes(ini, "Menu\\ListWithPath=Boolean:False\r\n");
  EXPECT_FALSE(ListWithPath());
  WriteSetting("Menu", "ListWithPath", Variant::Boolean(true));
  // Another program has the file open and does not let it be replaced.
  const HANDLE lock = CreateFileA(ini.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(SaveSettings());
  CloseHandle(lock);
  EXPECT_EQ(Stored(), "Menu\\ListWithPath=Boolean:False\r\n");
  EXPECT_EQ(ListFileNames(FolderOf(ini), "*"), std::vector<std::string>{"Quorvel.ini"})
      << "no temporary file left";
  EXPECT_TRUE(ListWithPath()) << "the table stays in memory";
  EXPECT_TRUE(SaveSettings());
  EXPECT_EQ(Stored(), "Menu\\ListWithPath=Boolean:True\r\n");
}

TEST_F(SettingsStore, AFileThatCannotBeReadIsNeverOverwritten) {
  const std::string stored = "Menu\\ListWithPath=Boolean:False\r\nPlugins\\Count=Integer:0\r\n";
  WriteFileBytes(ini, stored);
  const HANDLE exclusive =
      CreateFileA(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(exclusive, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(ListWithPath()) << "defaults while the file cannot be read";
  WriteSetting("Menu", "ListWithPath", Variant::Boolean(true));
  EXPECT_FALSE(SaveSettings());
  CloseHandle(exclusive);
  EXPECT_EQ(Stored(), stored);
  // Readable again, but what this load of the module knows was built from defaults (a
  // known-software list saved now would replace the stored one): the file waits for the next load.
  EXPECT_FALSE(SaveSettings());
  EXPECT_EQ(Stored(), stored);
  module.reset();
  UseFolder(FolderOf(ini));
  EXPECT_FALSE(ListWithPath()) << "the next load reads the file";
  EXPECT_TRUE(SaveSettings());
  EXPECT_EQ(Stored(), stored);
}

// Reading can fail halfway, out of memory in a crowded 32-bit host: the store is then not loaded, and
// the next use reads the file again instead of saving an empty table over it.
TEST_F(SettingsStore, AFailureWhileReadingLeavesTheStoreUnloaded) {
  const std::string stored = "Menu\\ListWithPath=Boolean:False\r\nPlugins\\Count=Integer:0\r\n";
  WriteFileBytes(ini, stored);
  Module().settings.readFile = [](const std::string&, std::string&) -> FileRead { throw std::bad_alloc(); };
  EXPECT_THROW(ListWithPath(), std::bad_alloc);
  EXPECT_THROW(SaveSettings(), std::bad_alloc) << "no save of a table that was never read";
  EXPECT_EQ(Stored(), stored);
  Module().settings.readFile = ReadWholeFile;
  EXPECT_FALSE(ListWithPath()) << "read at the next use";
  WriteSetting("Check", "BeckyOnly", Variant::Boolean(false));
  EXPECT_TRUE(SaveSettings());
  EXPECT_EQ(Stored(), stored + "Check\\BeckyOnly=Boolean:False\r\n");
}

// A host may run with a C locale whose decimal point is a comma (a German system, say): the stored
// numbers follow only the system's separator setting, written and read the same either way.
TEST_F(SettingsStore, FloatTextsDoNotFollowTheCLocale) {
  const std::string before = setlocale(LC_ALL, nullptr);
  if (!setlocale(LC_ALL, "German_Germany.1252") && !setlocale(LC_ALL, "de-DE"))
    GTEST_SKIP() << "no German C locale";
  const bool comma = *localeconv()->decimal_point == ',';
  WriteFileBytes(ini, "K\\Read=Float:1.5E-5\r\nK\\Large=Float:1.23456789012346E17\r\n");
  const Variant small = ReadSetting("K", "Read", Variant()), large = ReadSetting("K", "Large", Variant());
  WriteSetting("K", "Written", Variant::Double(2.0 / 3));
  WriteSetting("K", "Tiny", Variant::Double(-1.5e-300));
  const bool saved = SaveSettings();
  setlocale(LC_ALL, before.c_str());
  ASSERT_TRUE(comma) << "the locale's decimal point";
  EXPECT_EQ(small, Variant::Double(1.5e-5));
  EXPECT_EQ(large, Variant::Double(123456789012346000.0));
  EXPECT_TRUE(saved);
  // Under Wine the system's own separator is "." in both test locales.
  EXPECT_NE(Stored().find("K\\Written=Float:0.666666666666667\r\nK\\Tiny=Float:-1.5E-300\r\n"),
            std::string::npos)
      << Stored();
}

TEST_F(SettingsStore, WithoutAFileOfItsOwnTheModuleWritesNoRelativeFile) {
  Module().ownFileName = "";
  WriteSetting("Menu", "ListWithPath", Variant::Boolean(false));
  EXPECT_FALSE(SaveSettings());
  EXPECT_FALSE(ListWithPath()) << "the table still serves";
  EXPECT_EQ(GetFileAttributesA("ini"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesA(".ini"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(SettingsStore, SaveIntoAFolderThatCannotBeWrittenKeepsTheOldFile) {
  // Made by the test run's fixture: a folder that not even root can add files to.
  const std::string folder = test::ProgramFolder() + "..\\immutable-settings\\";
  const std::string probe = folder + "probe.tmp";
  if (GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES)
    GTEST_SKIP() << "no immutable folder here";
  if (CreateDirectoryA(probe.c_str(), nullptr)) {
    RemoveDirectoryA(probe.c_str());
    GTEST_SKIP() << "this file system lets the folder be written";
  }
  UseFolder(folder);
  const std::string before = Stored();
  ASSERT_FALSE(before.empty());
  WriteSetting("Menu", "ListWithPath", Variant::Boolean(true));
  EXPECT_FALSE(SaveSettings());
  EXPECT_EQ(Stored(), before);
  EXPECT_TRUE(ListWithPath());
}

}  // namespace
}  // namespace quorvel::win
