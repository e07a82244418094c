#include "common/string_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>
#include "ascii_upper.h"

namespace quorvel {
namespace {

using quorvel::test::AsciiUpper;

std::vector<int32_t> Values(const TIntegerList& list) {
  std::vector<int32_t> values;
  for (int i = 0; i < list.Count(); ++i)
    values.push_back(list.Get(i));
  return values;
}

TEST(TIntegerList, GetOutsideTheListGivesZero) {
  TIntegerList list;
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Get(0), 0);
  list.Add(-7);
  list.Add(42);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Get(0), -7);
  EXPECT_EQ(list.Get(1), 42);
  EXPECT_EQ(list.Get(-1), 0);
  EXPECT_EQ(list.Get(2), 0);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST(SortStrings, OrdersByUpperCasedLinesKeepingEqualOnesInOrder) {
  struct Row {
    const char* name;
    bool descending;
    std::vector<std::string> lines, sorted;
    std::vector<int32_t> positions;
  };
  const Row rows[] = {
      {"file names", false, {"b.dll", "A.DLL", "c.Dll"}, {"A.DLL", "b.dll", "c.Dll"}, {1, 0, 2}},
      {"equal keys keep their order", false, {"X", "x", "a"}, {"a", "X", "x"}, {2, 0, 1}},
      {"descending is the exact reverse", true, {"X", "x", "a"}, {"x", "X", "a"}, {1, 0, 2}},
      {"a prefix first", false, {"AB", "A"}, {"A", "AB"}, {1, 0}},
      {"bytes compare unsigned", false, {"\xE9", "z", "\x01"}, {"\x01", "z", "\xE9"}, {2, 1, 0}},
      {"one line", false, {"only"}, {"only"}, {0}},
      {"empty list", false, {}, {}, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::vector<std::string> lines = row.lines;
    TIntegerList positions;
    positions.Add(99);  // cleared by the sort
    SortStrings(row.descending, lines, positions, AsciiUpper);
    EXPECT_EQ(lines, row.sorted);
    EXPECT_EQ(Values(positions), row.positions);
  }
}

// Against a plain reference: std::stable_sort on the upper-cased lines.
TEST(SortStrings, AgreesWithAReferenceOrderingOnRandomLists) {
  std::mt19937 random(20261208);
  const std::string alphabet = "aAbB\\.\xE9";
  for (int round = 0; round < 500; ++round) {
    std::vector<std::string> lines(random() % 40);
    for (std::string& line : lines) {
      line.resize(random() % 4);
      for (char& c : line)
        c = alphabet[random() % alphabet.size()];
    }
    std::vector<int32_t> reference(lines.size());
    for (size_t i = 0; i < reference.size(); ++i)
      reference[i] = static_cast<int32_t>(i);
    std::stable_sort(reference.begin(), reference.end(), [&](int32_t a, int32_t b) {
      const std::string ka = AsciiUpper(lines[a]), kb = AsciiUpper(lines[b]);
      return std::lexicographical_compare(ka.begin(), ka.end(), kb.begin(), kb.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
      });
    });
    for (bool descending : {false, true}) {
      SCOPED_TRACE(testing::Message() << "round " << round << (descending ? " descending" : ""));
      std::vector<int32_t> expected = reference;
      if (descending) std::reverse(expected.begin(), expected.end());
      std::vector<std::string> sorted = lines;
      TIntegerList positions;
      SortStrings(descending, sorted, positions, AsciiUpper);
      ASSERT_EQ(Values(positions), expected);
      for (size_t i = 0; i < sorted.size(); ++i)
        ASSERT_EQ(sorted[i], lines[expected[i]]);
    }
  }
}

TEST(SortStrings, LongSortedAndReversedInputs) {
  // Inputs that are worst cases for a first-element pivot; here they just have to come out right.
  for (bool reversed : {false, true}) {
    std::vector<std::string> lines;
    for (int i = 0; i < 100000; ++i)
      lines.push_back("PlugIns\\" + std::to_string(1000000 + (reversed ? -i : i)));
    std::vector<std::string> expected = lines;
    std::sort(expected.begin(), expected.end());
    TIntegerList positions;
    SortStrings(false, lines, positions, AsciiUpper);
    EXPECT_EQ(lines, expected);
  }
}

TEST(ReorderStrings, TakesTheLinesInTheOrderOfThePositions) {
  std::vector<std::string> lines = {"a", "b", "c"};
  TIntegerList positions;
  for (int32_t p : {2, 0, 1})
    positions.Add(p);
  ReorderStrings(lines, positions);
  EXPECT_EQ(lines, (std::vector<std::string>{"c", "a", "b"}));
}

}  // namespace
}  // namespace quorvel
