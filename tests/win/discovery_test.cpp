// Finding the installed plug-ins over real folders and asking them for their information.
#include <windows.h>
#include <intrin.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "in_process_module.h"
#include "inventory/win/plugin_discovery.h"
#include "inventory/win/plugin_info_reader.h"
#include "pe_image.h"
#include "plugin_fixture.h"
#include "text_lines.h"

namespace quorvel::win {
namespace {

using test::PlugInFolders;
using test::WriteFileBytes;
using Paths = std::vector<std::string>;

class Discovery : public ::testing::Test {
 protected:
  PlugInFolders folders;
};

TEST_F(Discovery, ListsTheDllFilesOfBothFoldersSortedWithoutRegardToCase) {
  const test::InProcessModule module(folders.Program(), folders.Data());
  const std::string program = folders.Program() + "PlugIns\\", data = folders.Data() + "PlugIns\\";
  // A plug-in switched off by its name: "*.DLL" also matches the short names of these.
  for (const char* name :
       {"b.dll", "A.DLL", "c.Dll", "readme.txt", "Off.dll_", "Old.dllold", "Older.DLL.bak"})
    WriteFileBytes(program + name, "x");
  CreateDirectoryA((program + "Sub.DLL").c_str(), nullptr);  // a folder, not a plug-in
  WriteFileBytes(data + "A.dll", "x");
  WriteFileBytes(data + "Hidden.dll", "x");
  SetFileAttributesA((data + "Hidden.dll").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
  // Both folders lie in one parent: "...\BECKY\PLUGINS\" sorts before "...\DATA\PLUGINS\".
  EXPECT_EQ(ListPlugInFiles(), (Paths{program + "A.DLL", program + "b.dll", program + "c.Dll", data + "A.dll",
                                      data + "Hidden.dll"}));
}

TEST_F(Discovery, ASecondFolderThatSortsFirstComesFirst) {
  const std::string data = folders.Root() + "AAA Data\\";
  CreateDirectoryA(data.c_str(), nullptr);
  CreateDirectoryA((data + "PlugIns").c_str(), nullptr);
  WriteFileBytes(data + "PlugIns\\Z.DLL", "x");
  WriteFileBytes(folders.Program() + "PlugIns\\A.DLL", "x");
  const test::InProcessModule module(folders.Program(), data);
  EXPECT_EQ(ListPlugInFiles(), (Paths{data + "PlugIns\\Z.DLL", folders.Program() + "PlugIns\\A.DLL"}));
}

TEST_F(Discovery, DataFolderThatIsTheProgramFolderIsScannedOnce) {
  WriteFileBytes(folders.Program() + "PlugIns\\A.DLL", "x");
  char shortForm[MAX_PATH] = {};
  GetShortPathNameA(folders.Program().c_str(), shortForm, MAX_PATH);
  std::string upper = folders.Program();
  CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
  for (const std::string& data : {folders.Program(), std::string(shortForm), upper}) {
    SCOPED_TRACE(data);
    const test::InProcessModule module(folders.Program(), data);
    EXPECT_EQ(ListPlugInFiles(), (Paths{folders.Program() + "PlugIns\\A.DLL"}));
  }
}

TEST_F(Discovery, NoPlugInsFolderGivesAnEmptyInventory) {
  const test::InProcessModule module(folders.Root() + "Nowhere\\", folders.Root() + "Neither\\");
  EXPECT_TRUE(ListPlugInFiles().empty());
}

TEST_F(Discovery, AFolderTheHostDoesNotNameIsNotScanned) {
  // Without a folder text, "PlugIns\" would be the current folder's, which is not the host's.
  const std::string current = folders.Root() + "Current\\";
  CreateDirectoryA(current.c_str(), nullptr);
  CreateDirectoryA((current + "PlugIns").c_str(), nullptr);
  WriteFileBytes(current + "PlugIns\\X.DLL", "x");
  char before[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, before);
  ASSERT_TRUE(SetCurrentDirectoryA(current.c_str()));
  {
    const test::InProcessModule module("", "");
    EXPECT_TRUE(HostPlugInFolders().empty());
    EXPECT_TRUE(ListPlugInFiles().empty());
  }
  SetCurrentDirectoryA(before);
}

TEST_F(Discovery, WithoutTheHostApiOnlyTheProgramFolderIsScanned) {
  WriteFileBytes(folders.Program() + "PlugIns\\A.DLL", "x");
  WriteFileBytes(folders.Data() + "PlugIns\\B.DLL", "x");
  const test::InProcessModule module(folders.Program(), folders.Data(), /*bound=*/false);
  EXPECT_EQ(ListPlugInFiles(), (Paths{folders.Program() + "PlugIns\\A.DLL"}));
}

class PlugInInfo : public ::testing::Test {
 protected:
  std::string PlugIn(const std::string& name, const std::string& cfg,
                     const std::string& built = "TestPlugin.dll") const {
    const std::string path = folders.Program() + "PlugIns\\" + name;
    PlugInFolders::InstallTestPlugin(path, cfg, built);
    return path;
  }
  PlugInFolders folders;
};

TEST_F(PlugInInfo, ReadsTheFieldsAPlugInWrites) {
  const std::string path =
      PlugIn("Foo.dll", "name=Foo\nvendor=Foo Works\nversion=Ver.1.2\ndescription=Does foo\n");
  const PlugInFields fields = ReadPlugInInfo(path);
  EXPECT_EQ(fields.name, "Foo");
  EXPECT_EQ(fields.vendor, "Foo Works");
  EXPECT_EQ(fields.version, "Ver.1.2");
  EXPECT_EQ(fields.description, "Does foo");
  EXPECT_EQ(GetPlugInName(path), "Foo");
  EXPECT_EQ(GetPlugInVendor(path), "Foo Works");
  EXPECT_EQ(GetPlugInVersion(path), "Ver.1.2");
  EXPECT_EQ(GetPlugInDescription(path), "Does foo");
  EXPECT_EQ(GetPlugInInfo(path, 7), "Foo");
}

TEST_F(PlugInInfo, FieldsLeftAloneAreEmptyAndFullFieldsAreReadWhole) {
  const std::string partial = PlugIn("Partial.dll", "name=Part\nvendor=Maker\n");
  EXPECT_EQ(GetPlugInVersion(partial), "");
  EXPECT_EQ(GetPlugInDescription(partial), "");
  const std::string full =
      PlugIn("Full.dll", "name=" + std::string(80, 'N') + "\ndescription=" + std::string(256, 'D') + "\n");
  EXPECT_EQ(GetPlugInName(full), std::string(80, 'N'));
  EXPECT_EQ(GetPlugInDescription(full), std::string(256, 'D'));
}

TEST_F(PlugInInfo, ModulesThatCannotAnswerGiveUnknownForEveryField) {
  const std::string notAModule = folders.Program() + "PlugIns\\X.DLL";
  WriteFileBytes(notAModule, "This is not a module.");
  const std::string noExport = PlugIn("NoInfo.dll", "name=never read\n", "NoInfoPlugin.dll");
  const std::string missing = folders.Program() + "PlugIns\\Missing.dll";
  for (const std::string& path : {notAModule, noExport, missing}) {
    SCOPED_TRACE(path);
    for (int field : {pifName, pifVendor, pifVersion, pifDescription})
      EXPECT_EQ(GetPlugInInfo(path, field), "(unknown)");
  }
}

TEST_F(PlugInInfo, AFaultInsideThePlugInReadsUnknownAndTheProgramGoesOn) {
  const std::string faulting = PlugIn("Faulty.dll", "name=Faulty\nfault=info\n");
  const std::string sound = PlugIn("Sound.dll", "name=Sound\n");
  const std::string careful = PlugIn("Careful.dll", "name=Careful\nfault=caught\n");
  // Exports of the wrong calling convention return with the stack pointer off (on x86; x64 has one
  // convention): what they answered is still read.
  const std::string cdeclExport = PlugIn("Cdecl.dll", "name=Cdecl\ninfo-convention=cdecl\n");
  const std::string twoArguments = PlugIn("Two.dll", "name=Two\ninfo-convention=stdcall8\n");
  // A fault in the plug-in's own unload code, after it answered.
  const std::string faultyUnload = PlugIn("Unload.dll", "name=Unload\nfault=detach\n");
#if defined(__i386__)
  // x86 keeps the thread's handlers in a chain at fs:[0] (x64 has none): the guard must leave it as it was.
  const DWORD handlersBefore = __readfsdword(0);
#endif
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    EXPECT_EQ(GetPlugInName(faulting), "(unknown)");
    EXPECT_EQ(GetPlugInName(sound), "Sound");
    EXPECT_EQ(GetPlugInName(careful), "Careful") << "an exception that the plug-in handles is left to it";
    EXPECT_EQ(GetPlugInName(cdeclExport), "Cdecl");
    EXPECT_EQ(GetPlugInName(twoArguments), "Two");
    EXPECT_EQ(GetPlugInName(faultyUnload), "Unload");
  }
#if defined(__i386__)
  EXPECT_EQ(__readfsdword(0), handlersBefore) << "the guard's frame is off the thread's handler chain";
#endif
}

TEST_F(PlugInInfo, EachReadLoadsTheModuleOnce) {
  const std::string log = folders.Root() + "loads.log";
  const std::string path = PlugIn("Counted.dll", "name=Counted\nversion=1\nlog=" + test::CfgPath(log) + "\n");
  ReadPlugInInfo(path);
  const std::vector<std::string> lines = test::SplitLines(test::ReadWholeFile(log));
  EXPECT_EQ(lines, (std::vector<std::string>{"attach", "BKC_OnPlugInInfo", "detach"}));
}

}  // namespace
}  // namespace quorvel::win
