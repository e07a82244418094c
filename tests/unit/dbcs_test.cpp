#include "common/dbcs.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvel {
namespace {

// 表 is 0x95 0x5C in Shift-JIS: its trail byte is the code of "\".
const std::string kHyo = "表";
const LeadBytes kShiftJis = LeadBytes::ShiftJis();
const LeadBytes kWestern;  // a single-byte code page such as 1252

TEST(LeadBytes, ShiftJisRanges) {
  for (int b = 0; b < 256; ++b) {
    SCOPED_TRACE(b);
    const bool expected = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    EXPECT_EQ(kShiftJis.IsLead(static_cast<unsigned char>(b)), expected);
    EXPECT_FALSE(kWestern.IsLead(static_cast<unsigned char>(b)));
  }
}

TEST(DbcsPos, FindsPatternsOnlyAtCharacterBoundaries) {
  ASSERT_EQ(kHyo, "\x95\x5C");
  struct Row {
    const char* name;
    std::string pattern, text;
    int shiftJis, western;
  };
  const Row rows[] = {
      {"trail byte is not a backslash", "\\", kHyo, 0, 2},
      {"backslash after the character", "\\", kHyo + "\\", 2, 2},
      {"counts characters, not bytes", "=", "日本=x", 3, 5},
      {"empty pattern in a text", "", "abc", 1, 1},
      {"empty pattern in the empty text", "", "", 0, 0},
      {"pattern longer than the rest", "abc", "xab", 0, 0},
      {"first of two occurrences", "b", "abab", 2, 2},
      {"text ends at its first NUL", "b", std::string("a\0b", 3), 0, 0},
      {"a Western letter is not a lead byte", "\\", "C:\\Users\\Ren\xE9\\x", 3, 3},
      {"a Western letter before the backslash", "\\", "Ren\xE9\\x", 0, 5},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(DbcsPos(row.pattern, row.text, kShiftJis), row.shiftJis);
    EXPECT_EQ(DbcsPos(row.pattern, row.text, kWestern), row.western);
  }
}

TEST(DbcsCopy, TakesCharactersFromAPosition) {
  struct Row {
    const char* name;
    std::string text;
    int first, count;
    std::string shiftJis, western;
  };
  const Row rows[] = {
      {"one double-byte character", "日本語", 2, 1, "本", "\xFA"},
      {"to the end", "abc", 2, kEndMarker, "bc", "bc"},
      {"from beyond the last character", "abc", 4, 1, "", ""},
      {"count 0", "abc", 1, 0, "", ""},
      {"negative count", "abc", 1, -1, "", ""},
      {"first below 1", "abc", 0, 2, "", ""},
      {"count beyond the end", "abc", 3, 5, "c", "c"},
      {"whole text", "日本", 1, kEndMarker, "日本", "日本"},
      {"stops at the first NUL", std::string("ab\0cd", 5), 2, kEndMarker, "b", "b"},
      {"lead byte as the last byte", "a\x93", 2, 1, "\x93", "\x93"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(DbcsCopy(row.text, row.first, row.count, kShiftJis), row.shiftJis);
    EXPECT_EQ(DbcsCopy(row.text, row.first, row.count, kWestern), row.western);
  }
}

TEST(DbcsLength, CountsCharacters) {
  struct Row {
    const char* name;
    std::string text;
    int shiftJis, western;
  };
  const Row rows[] = {
      {"Japanese and ASCII", "日本語abc", 6, 9},
      {"empty", "", 0, 0},
      {"lead byte as the last byte counts one", "a\x93", 2, 2},
      {"counts over NUL bytes", std::string("a\0b", 3), 3, 3},
      {"a Western letter takes the next byte under Shift-JIS", "Ren\xE9!", 4, 5},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(DbcsLength(row.text, kShiftJis), row.shiftJis);
    EXPECT_EQ(DbcsLength(row.text, kWestern), row.western);
  }
}

// Walking a text character by character with DbcsLength and DbcsCopy gives back the whole text under
// either rule, because both use the same rule.
TEST(DbcsCopy, CharacterWalkRebuildsTheText) {
  const std::string texts[] = {"日本語abc", "C:\\Users\\Ren\xE9\\", kHyo + "\\x", "a\x93", "\xE9\xE9\xE9"};
  for (const LeadBytes* rule : {&kShiftJis, &kWestern}) {
    for (const std::string& text : texts) {
      SCOPED_TRACE(text);
      std::string rebuilt;
      const int length = DbcsLength(text, *rule);
      for (int i = 1; i <= length; ++i)
        rebuilt += DbcsCopy(text, i, 1, *rule);
      EXPECT_EQ(rebuilt, text);
      EXPECT_EQ(DbcsCopy(text, length + 1, 1, *rule), "");
    }
  }
}

}  // namespace
}  // namespace quorvel
