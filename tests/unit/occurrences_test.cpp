#include "mail/occurrences.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvel {
namespace {

std::vector<size_t> All(const std::string& pattern, const std::string& text) {
  Occurrences occurrences(pattern, text);
  std::vector<size_t> starts;
  for (size_t at = occurrences.Next(); at != Occurrences::kNone; at = occurrences.Next())
    starts.push_back(at);
  EXPECT_EQ(occurrences.Next(), Occurrences::kNone);  // and stays at the end
  return starts;
}

TEST(Occurrences, FindsEveryOccurrenceInOrder) {
  struct Row {
    const char* name;
    std::string pattern, text;
    std::vector<size_t> starts;
  };
  const Row rows[] = {
      {"none", "abc", "xxabxbc", {}},
      {"one", "abc", "xxabcx", {2}},
      {"at both ends", "ab", "abxab", {0, 3}},
      {"overlapping", "aa", "aaaa", {0, 1, 2}},
      {"a periodic pattern", "abab", "abababxabab", {0, 2, 7}},
      {"after a partial match", "aab", "aaab", {1}},
      {"a failed match falls back to its border", "abac", "ababac", {2}},
      {"longer than the text", "abcd", "abc", {}},
      {"the empty pattern occurs nowhere", "", "abc", {}},
      {"in the empty text", "a", "", {}},
      {"high bytes and NULs", std::string("\xff\0", 2), std::string("a\xff\0\xff\0", 5), {1, 3}},
      {"a boundary among base64 lines", "--b1", "QUJD\r\n--b1\r\nREVG\r\n--b1--", {6, 18}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(All(row.pattern, row.text), row.starts);
  }
}

TEST(Occurrences, LongRepetitivePatternsInLongRepetitiveTexts) {
  const std::string pattern = std::string(1000, 'a') + "b";
  const std::string text = std::string(100000, 'a') + "b" + std::string(5000, 'a');
  EXPECT_EQ(All(pattern, text), std::vector<size_t>{99000});
}

TEST(Occurrences, ASearchGoesOnIntoTheGrownText) {
  const std::string text =
      "xxab"
      "cab"
      "c";
  Occurrences occurrences("abc", std::string_view(text).substr(0, 3));
  EXPECT_EQ(occurrences.Next(), Occurrences::kNone);
  // "ab" was read to the old end only in part; the grown text completes it.
  occurrences.Extend(std::string_view(text).substr(0, 5));
  EXPECT_EQ(occurrences.Next(), 2u);
  EXPECT_EQ(occurrences.Next(), Occurrences::kNone);
  occurrences.Extend(text);
  EXPECT_EQ(occurrences.Next(), 5u);
  EXPECT_EQ(occurrences.Next(), Occurrences::kNone);
}

TEST(Occurrences, ASearchFromAPlaceMatchesNothingInFrontOfIt) {
  Occurrences occurrences("aab", "");
  const std::string text = "aabaab";
  occurrences.Search(text, 1);
  EXPECT_EQ(occurrences.Next(), 3u);  // the "a" at 0 is not counted as matched
  occurrences.Search(text, 4);
  EXPECT_EQ(occurrences.Next(), Occurrences::kNone);
  occurrences.Search(text, 0);
  EXPECT_EQ(occurrences.Next(), 0u);
}

TEST(Occurrences, FirstInLeavesTheSearchWhereItIs) {
  const std::string text = "ab-ab";
  Occurrences occurrences("ab", text);
  EXPECT_EQ(occurrences.Next(), 0u);
  EXPECT_EQ(occurrences.FirstIn("xxxab"), 3u);
  EXPECT_EQ(occurrences.FirstIn("a"), Occurrences::kNone);
  EXPECT_EQ(occurrences.Next(), 3u);
  EXPECT_EQ(Occurrences("", "").FirstIn("abc"), Occurrences::kNone);
  EXPECT_EQ(Occurrences(std::string(1000, 'a') + "b", "").FirstIn(std::string(5000, 'a') + "b"), 4000u);
}

}  // namespace
}  // namespace quorvel
