// The built Quorvel.dll, the 32-bit product, offers the host exactly the export table it expects and
// needs nothing but system DLLs, so it loads when dropped alone into a PlugIns folder. Its tables are
// read, not run, so this holds on machines that run no 32-bit program too.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "pe_image.h"

namespace quorvel::test {
namespace {

// The DLL of the 32-bit build (make dll), named by the test's environment.
std::string BuiltDll() {
  const char* path = std::getenv("QUORVEL_DLL");
  return path ? path : "";
}

class BuiltDllTables : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { image = ReadPeImage(ReadWholeFile(BuiltDll())); }
  static std::optional<PeImage> image;
};
std::optional<PeImage> BuiltDllTables::image;

TEST_F(BuiltDllTables, IsA32BitDll) {
  ASSERT_TRUE(image) << BuiltDll() << " is missing or not a PE file (make dll builds it)";
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

TEST_F(BuiltDllTables, StaysWithinItsSizeBudget) {
  // The module's own code and what it needs of the runtime; a budget that a large part of a library
  // pulled in by chance breaks at once.
  ASSERT_TRUE(image);
  EXPECT_LE(image->fileSize, 400000u);
}

// The header names the oldest Windows whose system DLLs export every function the DLL imports, so
// that an older system refuses it with a plain word instead of a missing entry point.
TEST_F(BuiltDllTables, NamesTheOldestWindowsThatHasEveryImport) {
  ASSERT_TRUE(image);
  // The imports that came after Windows XP (5.1), with the version that brought each.
  struct Newer {
    const char* function;
    uint16_t major, minor;
  };
  const Newer newer[] = {
      {"GetTickCount64", 6, 0},
      {"InitializeSRWLock", 6, 0},
      {"AcquireSRWLockExclusive", 6, 0},
      {"InitOnceExecuteOnce", 6, 0},
      {"InitializeConditionVariable", 6, 0},
      {"CreateEventExW", 6, 0},
      {"GetFileInformationByHandleEx", 6, 0},
      {"SetThreadErrorMode", 6, 1},
      {"GetThreadErrorMode", 6, 1},
      {"TryAcquireSRWLockExclusive", 6, 1},
      {"GetSystemTimePreciseAsFileTime", 6, 2},
  };
  uint16_t required[2] = {5, 1};
  std::string because = "nothing newer than Windows XP";
  for (const std::string& imported : image->importedFunctions) {
    const std::string function = imported.substr(imported.find('!') + 1);
    for (const Newer& row : newer) {
      if (function == row.function &&
          (row.major > required[0] || (row.major == required[0] && row.minor > required[1]))) {
        required[0] = row.major;
        required[1] = row.minor;
        because = imported;
      }
    }
  }
  EXPECT_EQ(required[0], 6) << "Windows 7, as the read-me files say";
  EXPECT_EQ(required[1], 1) << because;
  EXPECT_EQ(image->osVersion[0], required[0]) << because;
  EXPECT_EQ(image->osVersion[1], required[1]) << because;
  EXPECT_EQ(image->subsystemVersion[0], required[0]) << because;
  EXPECT_EQ(image->subsystemVersion[1], required[1]) << because;
}

TEST_F(BuiltDllTables, CarriesNoTimeStamp) {
  // Two builds of the same sources give the same bytes.
  ASSERT_TRUE(image);
  EXPECT_EQ(image->timeDateStamp, 0u);
  EXPECT_EQ(image->exportTimeDateStamp, 0u);
}

}  // namespace
}  // namespace quorvel::test
