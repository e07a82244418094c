// The built Quorvel.dll offers the host exactly the export table it expects and needs nothing but
// system DLLs, so it loads when dropped alone into a PlugIns folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "pe_image.h"

namespace quorvel::test {
namespace {

std::string BuiltDll() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\') + 1) + "Quorvel.dll";
}

class BuiltDllTables : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { image = ReadPeImage(ReadWholeFile(BuiltDll())); }
  static std::optional<PeImage> image;
};
std::optional<PeImage> BuiltDllTables::image;

TEST_F(BuiltDllTables, IsA32BitDll) {
  ASSERT_TRUE(image) << BuiltDll() << " is not a 32-bit PE file";
  EXPECT_EQ(image->machine, 0x14C);
  EXPECT_TRUE(image->isDll);
}

TEST_F(BuiltDllTables, ExportsElevenUndecoratedNamesAtFixedOrdinals) {
  ASSERT_TRUE(image);
  EXPECT_EQ(image->exportName, "Quorvel.dll");
  EXPECT_EQ(image->ordinalBase, 1u);
  EXPECT_EQ(image->exportSlots, 22u);
  const std::map<std::string, uint32_t> expected = {
      {"BKC_OnStart", 1},           {"BKC_OnExit", 2},         {"BKC_OnMenuInit", 3},
      {"BKC_OnOpenCompose", 7},     {"BKC_OnOutgoing", 8},     {"BKC_OnRetrieve", 10},
      {"BKC_OnFinishRetrieve", 12}, {"BKC_OnPlugInSetup", 13}, {"BKC_OnPlugInInfo", 14},
      {"NeverPrecede", 21},         {"NeverFollow", 22},
  };
  // Equality of the whole map also rules out decorated twins such as _BKC_OnStart@0.
  EXPECT_EQ(image->exportOrdinals, expected);
  EXPECT_EQ(image->usedOrdinals, (std::vector<uint32_t>{1, 2, 3, 7, 8, 10, 12, 13, 14, 21, 22}));
}

TEST_F(BuiltDllTables, ImportsOnlySystemDlls) {
  ASSERT_TRUE(image);
  // DLLs that every Windows installation has; the MinGW runtime (libgcc, libstdc++, libwinpthread)
  // is linked in statically and must not appear.
  const std::string system[] = {"KERNEL32.DLL", "USER32.DLL",   "GDI32.DLL",  "COMCTL32.DLL",
                                "SHELL32.DLL",  "ADVAPI32.DLL", "MSVCRT.DLL", "OLE32.DLL"};
  ASSERT_FALSE(image->importedDlls.empty());
  for (std::string dll : image->importedDlls) {
    std::transform(dll.begin(), dll.end(), dll.begin(), [](unsigned char c) { return std::toupper(c); });
    EXPECT_NE(std::find(std::begin(system), std::end(system), dll), std::end(system)) << dll;
  }
}

TEST_F(BuiltDllTables, CarriesNoTimeStamp) {
  // Two builds of the same sources give the same bytes.
  ASSERT_TRUE(image);
  EXPECT_EQ(image->timeDateStamp, 0u);
  EXPECT_EQ(image->exportTimeDateStamp, 0u);
}

std::string VersionString(const std::vector<char>& info, const char* name) {
  char* value = nullptr;
  UINT length = 0;
  const std::string path = std::string("\\StringFileInfo\\041104B0\\") + name;
  if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
    return "";
  return value;
}

TEST(BuiltDllVersion, NamesTheProductItsVersionAndItsFile) {
  const std::string dll = BuiltDll();
  DWORD ignored = 0;
  std::vector<char> info(GetFileVersionInfoSizeA(dll.c_str(), &ignored));
  ASSERT_FALSE(info.empty());
  ASSERT_TRUE(GetFileVersionInfoA(dll.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00000001u) << "0.1";
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000004u) << "0.4: Ver.0.01 Rev.4";
  EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
  EXPECT_EQ(VersionString(info, "ProductName"), "Vintrell");
  EXPECT_EQ(VersionString(info, "ProductVersion"), "Ver.0.01 Rev.4");
  EXPECT_EQ(VersionString(info, "FileVersion"), "0.1.0.4");
  EXPECT_EQ(VersionString(info, "OriginalFilename"), "Quorvel.dll");
  EXPECT_EQ(VersionString(info, "CompanyName"), "TARVI Semmo & ZEFO Lab.");
  EXPECT_FALSE(VersionString(info, "FileDescription").empty());
}

}  // namespace
}  // namespace quorvel::test
