// The system seam of the text functions, under the code page the test runs in (932 or 1252).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/win/system_text.h"
#include "test_files.h"

namespace quorvel::win {
namespace {

using quorvel::test::TempFolder;
using quorvel::test::WriteFileBytes;

TEST(SystemLeadBytes, FollowTheAnsiCodePage) {
  switch (GetACP()) {
    case 932:
      EXPECT_EQ(SystemLeadBytes(), LeadBytes::ShiftJis());
      break;
    case 1252:
      EXPECT_EQ(SystemLeadBytes(), LeadBytes());
      break;
    default:
      GTEST_SKIP() << "code page " << GetACP();
  }
}

// ASCII is upper-cased without the system, as the system does it.
TEST(AnsiUpperCase, AsciiAsTheSystemDoesIt) {
  std::string all;
  for (int byte = 1; byte < 0x80; ++byte)
    all += static_cast<char>(byte);
  std::string system = all;
  CharUpperBuffA(system.data(), static_cast<DWORD>(system.size()));
  EXPECT_EQ(AnsiUpperCase(all), system);
}

TEST(AnsiUpperCase, UpperCasesByTheCodePageAndKeepsTheLength) {
  EXPECT_EQ(AnsiUpperCase("/testMode"), "/TESTMODE");
  EXPECT_EQ(AnsiUpperCase(""), "");
  if (GetACP() == 1252) {
    EXPECT_EQ(AnsiUpperCase("ren\xE9"), "REN\xC9");
  } else if (GetACP() == 932) {
    EXPECT_EQ(AnsiUpperCase("表示abc"), "表示ABC");
  }
}

std::string ShortPathOf(const std::string& path) {
  char buffer[MAX_PATH] = {};
  GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
  return buffer;
}
std::string LongPathOf(const std::string& path) {
  char buffer[MAX_PATH] = {};
  GetLongPathNameA(path.c_str(), buffer, MAX_PATH);
  return buffer;
}

class ExpandLongPathOnDisk : public ::testing::Test {
 protected:
  // Makes folder\name (a folder when name ends with "\") and gives its long path.
  std::string Make(const std::string& relative) {
    const std::string path = root.Path() + relative;
    if (path.back() == '\\') {
      CreateDirectoryA(path.c_str(), nullptr);
    } else {
      WriteFileBytes(path, "x");
    }
    return LongPathOf(path);
  }
  TempFolder root;
};

TEST_F(ExpandLongPathOnDisk, ShortNamesBecomeTheStoredLongNames) {
  Make("Long Folder Name\\");
  const std::string file = Make("Long Folder Name\\Another Long File.dll");
  const std::string shortForm = ShortPathOf(file);
  ASSERT_FALSE(shortForm.empty());
  if (shortForm == file) GTEST_SKIP() << "this file system gives no short names";
  EXPECT_EQ(ExpandLongPath(shortForm), file);
  EXPECT_EQ(ExpandLongPath(AnsiUpperCase(file)), file) << "letter case as stored";
  const std::string folder = LongPathOf(root.Path() + "Long Folder Name\\");
  EXPECT_EQ(ExpandLongPath(ShortPathOf(folder)), folder.back() == '\\' ? folder : folder + "\\");
}

TEST_F(ExpandLongPathOnDisk, HiddenFolderAlongThePathIsKeptAsWritten) {
  Make("Hidden Folder\\");
  const std::string file = Make("Hidden Folder\\Plugin.dll");
  SetFileAttributesA((root.Path() + "Hidden Folder").c_str(), FILE_ATTRIBUTE_HIDDEN);
  const std::string written = AnsiUpperCase(file);
  const std::string expanded = ExpandLongPath(written);
  // The hidden folder keeps the letter case it was written in; the file after it is expanded.
  EXPECT_NE(expanded.find("\\HIDDEN FOLDER\\Plugin.dll"), std::string::npos) << expanded;
  EXPECT_EQ(expanded.size(), written.size());
}

TEST_F(ExpandLongPathOnDisk, MissingFileKeepsItsName) {
  const std::string folder = Make("Present\\");
  EXPECT_EQ(ExpandLongPath(folder + "Missing.dll"), folder + "Missing.dll");
}

TEST_F(ExpandLongPathOnDisk, NamesWithNonAsciiLettersOfTheCodePage) {
  // 1252: "é" is an ordinary letter before the backslash; 932: the trail byte of 表 is 0x5C.
  const std::string name = GetACP() == 932 ? "表示" : GetACP() == 1252 ? "Ren\xE9" : "";
  if (name.empty()) GTEST_SKIP() << "code page " << GetACP();
  Make(name + "\\");
  const std::string file = Make(name + "\\Plugin.dll");
  ASSERT_FALSE(file.empty());
  EXPECT_EQ(ExpandLongPath(AnsiUpperCase(root.Path()) + name + "\\PLUGIN.DLL"), file);
  EXPECT_EQ(FolderOf(file), LongPathOf(root.Path() + name) + "\\");
}

}  // namespace
}  // namespace quorvel::win
