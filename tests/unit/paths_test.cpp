#include "common/paths.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace quorvel {
namespace {

// A file system held in a map: the upper-cased path as written (long or short names) -> the entry.
class FakeFileSystem {
 public:
  void Add(const std::string& path, const std::string& name, bool isFolder, bool hidden = false) {
    entries_[Upper(path)] = {DirEntry{name, isFolder}, hidden};
  }
  LookUpEntry LookUp() {
    return [this](const std::string& path, bool anyAttributes) -> std::optional<DirEntry> {
      lookups_.emplace_back(path, anyAttributes);
      const auto it = entries_.find(Upper(path));
      if (it == entries_.end() || (it->second.second && !anyAttributes)) return std::nullopt;
      return it->second.first;
    };
  }
  const std::vector<std::pair<std::string, bool>>& Lookups() const { return lookups_; }

 private:
  static std::string Upper(std::string s) {
    for (char& c : s)
      c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
  }
  std::map<std::string, std::pair<DirEntry, bool>> entries_;
  std::vector<std::pair<std::string, bool>> lookups_;
};

class ExpandLongPathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs.Add("C:\\PROGRA~1", "Program Files", true);
    fs.Add("C:\\Program Files\\BECKY~1", "Becky!", true);
    fs.Add("C:\\Program Files\\Becky!\\PLUGINS", "PlugIns", true);
    fs.Add("C:\\Program Files\\Becky!\\PlugIns\\QUORVEL.DLL", "Quorvel.dll", false);
    fs.Add("C:\\Users", "Users", true);
    fs.Add("C:\\Users\\Me", "Me", true);
    fs.Add("C:\\Users\\Me\\AppData", "AppData", true, /*hidden=*/true);
    fs.Add("C:\\Users\\Me\\APPDATA\\LOCAL", "Local", true);
    fs.Add("C:\\Users\\Me\\AppData\\Local\\HIDDEN~1", "Hidden File.dll", false, /*hidden=*/true);
    fs.Add("\\\\server\\share\\B2", "B2", true);
  }
  std::string Expand(const std::string& path) { return ExpandLongPath(path, LeadBytes(), fs.LookUp()); }
  FakeFileSystem fs;
};

TEST_F(ExpandLongPathTest, ShortFormBecomesLongForm) {
  EXPECT_EQ(Expand("C:\\PROGRA~1\\BECKY~1\\PLUGINS\\QUORVEL.DLL"),
            "C:\\Program Files\\Becky!\\PlugIns\\Quorvel.dll");
}

TEST_F(ExpandLongPathTest, FoldersAlongThePathIgnoreHiddenEntriesTheLastNameDoesNot) {
  EXPECT_EQ(Expand("C:\\PROGRA~1\\BECKY~1\\"), "C:\\Program Files\\Becky!\\");
  EXPECT_EQ(Expand("C:\\PROGRA~1\\BECKY~1"), "C:\\Program Files\\Becky!\\");
  // The folders are looked up without hidden entries, the last name with them.
  EXPECT_EQ(Expand("C:\\Users\\Me\\AppData\\Local\\HIDDEN~1"),
            "C:\\Users\\Me\\AppData\\Local\\Hidden File.dll");
  EXPECT_EQ(fs.Lookups().back(),
            std::make_pair(std::string("C:\\Users\\Me\\AppData\\Local\\HIDDEN~1"), true));
  EXPECT_FALSE(fs.Lookups().front().second);
}

TEST_F(ExpandLongPathTest, NamesThatCannotBeFoundAreKeptAsWritten) {
  struct Row {
    const char* name;
    std::string path, expanded;
  };
  const Row rows[] = {
      {"hidden folder along the path", "C:\\Users\\Me\\AppData\\LOCAL\\x.dll",
       "C:\\Users\\Me\\AppData\\Local\\x.dll"},
      {"missing file", "C:\\PROGRA~1\\NOSUCH~1.DLL", "C:\\Program Files\\NOSUCH~1.DLL"},
      {"missing folder", "C:\\NOSUCH\\PROGRA~1\\", "C:\\NOSUCH\\PROGRA~1\\"},
      {"network path", "\\\\server\\share\\b2", "\\\\server\\share\\B2\\"},
      {"double backslash", "C:\\\\PROGRA~1", "C:\\\\PROGRA~1"},
      {"drive root", "C:\\", "C:\\"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Expand(row.path), row.expanded);
  }
}

TEST_F(ExpandLongPathTest, PathWithoutBackslashGivesTheEmptyText) {
  EXPECT_EQ(Expand("Quorvel.dll"), "");
  EXPECT_EQ(Expand(""), "");
  EXPECT_TRUE(fs.Lookups().empty());
}

TEST(ExpandLongPath, BackslashTrailBytesDoNotSplitJapaneseNames) {
  // 表示 is 0x95 0x5C 0x8E 0xA6: under the Shift-JIS rule the 0x5C is part of the character.
  FakeFileSystem fs;
  fs.Add("C:\\表示", "表示フォルダ", true);
  fs.Add("C:\\表示フォルダ\\A.DLL", "a.dll", false);
  EXPECT_EQ(ExpandLongPath("C:\\表示\\A.DLL", LeadBytes::ShiftJis(), fs.LookUp()), "C:\\表示フォルダ\\a.dll");
}

TEST(FolderOf, CutsAfterTheLastDelimiter) {
  struct Row {
    std::string path;
    LeadBytes rule;
    std::string folder;
  };
  const Row rows[] = {
      {"C:\\Program Files\\Becky!\\B2.exe", LeadBytes(), "C:\\Program Files\\Becky!\\"},
      {"C:B2.exe", LeadBytes(), "C:"},
      {"B2.exe", LeadBytes(), ""},
      {"C:\\表", LeadBytes::ShiftJis(), "C:\\"},
      {"C:\\表", LeadBytes(), "C:\\\x95\\"},
      {"C:\\Ren\xE9\\B2.exe", LeadBytes(), "C:\\Ren\xE9\\"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path);
    EXPECT_EQ(FolderOf(row.path, row.rule), row.folder);
  }
}

// Which paths the module may write to, and which files are plug-ins: a name and the verdict.
TEST(PathKinds, FullPathsAndPlugInFileNames) {
  struct Row {
    std::string text;
    bool fullPath, plugInName;
  };
  const Row rows[] = {
      {"C:\\Becky!\\PlugIns\\Quorvel.dll", true, true},
      {"\\\\server\\share\\a.DLL", true, true},
      {"Quorvel.ini", false, false},
      {"ini", false, false},  // a module without a known file of its own
      {"", false, false},
      {"C:Quorvel.ini", false, false},  // relative to the drive's current folder
      {"\\Quorvel.ini", false, false},  // relative to the current drive
      {"Foo.Dll", false, true},
      {".dll", false, true},
      {"Foo.dll_", false, false},  // switched off by its user
      {"Foo.dllold", false, false},
      {"Foo.dl", false, false},
      {"Foo_dll", false, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(IsFullPath(row.text), row.fullPath);
    EXPECT_EQ(IsPlugInFileName(row.text), row.plugInName);
  }
}

}  // namespace
}  // namespace quorvel
