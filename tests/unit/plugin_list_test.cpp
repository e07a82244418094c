#include "inventory/plugin_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>
#include "ascii_upper.h"

namespace quorvel {
namespace {

using quorvel::test::AsciiUpper;

using Lines = std::vector<std::string>;

ListedPlugIn PlugIn(const std::string& path, const std::string& name, const std::string& version,
                    const std::string& vendor = "", const std::string& description = "") {
  return {path, {name, vendor, version, description}};
}
ListedPlugIn Unanswering(const std::string& path) {
  return {path, PlugInFields::Unknown()};
}

Lines Build(TPlugInListKind kind, const std::vector<ListedPlugIn>& plugIns, const std::string& noLoadPin,
            const LeadBytes& rule = LeadBytes()) {
  return BuildPlugInList(kind, plugIns, NoLoadText(noLoadPin), rule, AsciiUpper);
}

const std::vector<ListedPlugIn> kTwo = {PlugIn("C:\\M\\PlugIns\\A.DLL", "Alpha", "1.0"),
                                        Unanswering("C:\\M\\PlugIns\\BB.DLL")};

TEST(PlugInList, ColumnsWithPathAndTheNotInUseMark) {
  // Two spaces stand for each padding byte of the example: path 20 wide, name 10, version 10.
  EXPECT_EQ(Build(lkWithPath, kTwo, "BB.DLL"), (Lines{
                                                   "C:\\M\\PlugIns\\A.DLL  Alpha     1.0       ",
                                                   "C:\\M\\PlugIns\\BB.DLL (unknown) (unknown) not in use",
                                               }));
}

TEST(PlugInList, WithoutAnyMarkThereIsNoFourthColumn) {
  struct Row {
    const char* name;
    std::string noLoadPin;
  };
  const Row rows[] = {
      {"no value", ""},
      {"only a plug-in that is not installed", "ZZ.DLL"},
      {"file names are upper-cased, the value is not", "bb.dll"},
      {"the slashes delimit whole names", "XBB.DLL"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Build(lkWithPath, kTwo, row.noLoadPin), (Lines{
                                                          "C:\\M\\PlugIns\\A.DLL  Alpha     1.0",
                                                          "C:\\M\\PlugIns\\BB.DLL (unknown) (unknown)",
                                                      }));
  }
}

TEST(PlugInList, WithoutPathTheLinesBeginAtTheNameColumn) {
  EXPECT_EQ(Build(lkWithoutPath, kTwo, "A.DLL/BB.DLL"), (Lines{
                                                            "Alpha     1.0       not in use",
                                                            "(unknown) (unknown) not in use",
                                                        }));
  EXPECT_EQ(Build(lkWithoutPath, kTwo, ""), (Lines{"Alpha     1.0", "(unknown) (unknown)"}));
}

TEST(PlugInList, DetailGroupsAreSeparatedByOneEmptyLine) {
  const std::vector<ListedPlugIn> plugIns = {
      PlugIn("C:\\M\\PlugIns\\A.DLL", "Alpha", "1.0", "Maker", "Does things"),
      Unanswering("C:\\M\\PlugIns\\BB.DLL")};
  EXPECT_EQ(
      Build(lkDetail, plugIns, "BB.DLL"),
      (Lines{"C:\\M\\PlugIns\\A.DLL", "Alpha", "Maker", "1.0", "Does things", "", "C:\\M\\PlugIns\\BB.DLL",
             "(unknown)", "(unknown)", "(unknown)", "(unknown)", "not in use"}));
}

TEST(PlugInList, SinglePlugIn) {
  const std::vector<ListedPlugIn> one = {PlugIn("C:\\P\\A.DLL", "Alpha", "1.0", "V", "D")};
  EXPECT_EQ(Build(lkDetail, one, ""), (Lines{"C:\\P\\A.DLL", "Alpha", "V", "1.0", "D"}));
  EXPECT_EQ(Build(lkWithPath, one, ""), (Lines{"C:\\P\\A.DLL Alpha 1.0"}));
  EXPECT_EQ(Build(lkWithPath, one, "A.DLL"), (Lines{"C:\\P\\A.DLL Alpha 1.0 not in use"}));
}

TEST(PlugInList, EmptyInventoryGivesNoLines) {
  for (TPlugInListKind kind : {lkWithPath, lkWithoutPath, lkDetail})
    EXPECT_TRUE(Build(kind, {}, "A.DLL").empty());
  EXPECT_EQ(JoinLines({}), "");
}

TEST(PlugInList, SameFileNameInBothFoldersIsMarkedTwice) {
  const std::vector<ListedPlugIn> plugIns = {PlugIn("C:\\B\\PlugIns\\X.dll", "X", "1"),
                                             PlugIn("D:\\Data\\PlugIns\\x.DLL", "X", "2")};
  EXPECT_EQ(Build(lkWithoutPath, plugIns, "X.DLL"), (Lines{"X 1 not in use", "X 2 not in use"}));
}

TEST(PlugInList, ColumnsCountBytesSoADoubleByteNameWidensItsColumnByItsLength) {
  const std::vector<ListedPlugIn> plugIns = {PlugIn("C:\\A.DLL", "日本", "1"),
                                             PlugIn("C:\\B.DLL", "ab", "2")};
  EXPECT_EQ(Build(lkWithoutPath, plugIns, "", LeadBytes::ShiftJis()), (Lines{"日本 1", "ab   2"}));
}

TEST(IsNotInUse, ComparesTheUpperCasedFileNameBetweenSlashes) {
  struct Row {
    std::string path, noLoadPin;
    bool notInUse;
  };
  const Row rows[] = {
      {"C:\\P\\bb.dll", "BB.DLL", true}, {"C:\\P\\BB.DLL", "bb.dll", false},
      {"C:\\P\\A.DLL", "XA.DLL", false}, {"C:\\P\\A.DLL", "B.DLL/A.DLL/C.DLL", true},
      {"C:\\P\\A.DLL", "", false},       {"A.DLL", "A.DLL", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path + " in " + row.noLoadPin);
    EXPECT_EQ(IsNotInUse(row.path, NoLoadText(row.noLoadPin), LeadBytes(), AsciiUpper), row.notInUse);
  }
}

TEST(PadLines, PadsToOneByteBeyondTheLongest) {
  Lines lines = {"abc", "", "a"};
  PadLines(lines);
  EXPECT_EQ(lines, (Lines{"abc ", "    ", "a   "}));
  Lines none;
  PadLines(none);
  EXPECT_TRUE(none.empty());
}

TEST(JoinLines, EndsEveryLineWithCrLf) {
  EXPECT_EQ(JoinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

}  // namespace
}  // namespace quorvel
