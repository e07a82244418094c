#include "common/setting_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace quorvel {
namespace {

const LeadBytes kShiftJis = LeadBytes::ShiftJis();
const LeadBytes kWestern;

TEST(EscapeSettingText, WritesPercentAndControlBytesAsCodes) {
  struct Row {
    const char* name;
    std::string text, shiftJis, western;
  };
  const Row rows[] = {
      {"line break", "a\r\nb", "a%0D%0Ab", "a%0D%0Ab"},
      {"percent doubled", "100%", "100%%", "100%%"},
      {"percent before a line break", "50%\r\noff", "50%%%0D%0Aoff", "50%%%0D%0Aoff"},
      {"separators kept", "a=b:c", "a=b:c", "a=b:c"},
      {"NUL, TAB and 0x1F", std::string("\0\t\x1F", 3), "%00%09%1F", "%00%09%1F"},
      {"space and DEL kept", " \x7F", " \x7F", " \x7F"},
      {"double-byte characters kept", "日本", "日本", "日本"},
      {"trail byte 0x5C kept", "表", "表", "表"},
      {"lead byte before a control byte", "\x81\n", "%81%0A", "\x81%0A"},
      {"lead byte before a percent", "\x81%", "\x81%", "\x81%%"},
      {"lead byte at the end", "a\x81", "a\x81", "a\x81"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(EscapeSettingText(row.text, kShiftJis), row.shiftJis);
    EXPECT_EQ(EscapeSettingText(row.text, kWestern), row.western);
  }
}

TEST(UnescapeSettingText, ReadsCodesAndRejectsBadOnes) {
  struct Row {
    const char* name;
    std::string stored;
    std::optional<std::string> shiftJis, western;
  };
  const std::nullopt_t bad = std::nullopt;
  const Row rows[] = {
      {"percent and line break", "50%%%0D%0Aoff", "50%\r\noff", "50%\r\noff"},
      {"lower-case digits", "%4a", "J", "J"},
      {"one digit at the very end", "x%A", "x\n", "x\n"},
      {"a code of a lead byte, then more codes", "%81%0A", "\x81\n", "\x81\n"},
      {"percent as a trail byte", "\x81%", "\x81%", bad},
      {"percent at the very end", "abc%", bad, bad},
      {"not hexadecimal", "%zz", bad, bad},
      {"second digit not hexadecimal", "%4g", bad, bad},
      {"three percent signs", "%%%", bad, bad},
      {"a double-byte character behind the percent", "%日", bad, bad},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(UnescapeSettingText(row.stored, kShiftJis), row.shiftJis);
    EXPECT_EQ(UnescapeSettingText(row.stored, kWestern), row.western);
  }
}

// Every byte string short enough to try them all, and longer ones over the bytes that matter.
std::vector<std::string> ShortTexts() {
  std::vector<std::string> texts = {""};
  for (int a = 0; a < 256; ++a) {
    texts.push_back(std::string(1, static_cast<char>(a)));
    for (int b = 0; b < 256; ++b)
      texts.push_back({static_cast<char>(a), static_cast<char>(b)});
  }
  const std::string bytes("\0\n\r\x1F%0Aa\\=\x7F\x81\x9F\xA0\xE0\xFC\xFD", 17);
  for (char a : bytes)
    for (char b : bytes)
      for (char c : bytes) {
        texts.push_back({a, b, c});
        for (char d : bytes)
          texts.push_back({a, b, c, d});
      }
  return texts;
}

TEST(EscapeSettingText, RoundTripsEveryShortByteStringOnOneLine) {
  const std::vector<std::string> texts = ShortTexts();
  for (const LeadBytes* rule : {&kShiftJis, &kWestern}) {
    for (const std::string& text : texts) {
      const std::string stored = EscapeSettingText(text, *rule);
      const auto back = UnescapeSettingText(stored, *rule);
      if (stored.find_first_of(std::string("\r\n\0", 3)) != std::string::npos || back != text) {
        ADD_FAILURE() << "text " << testing::PrintToString(text) << " stored as "
                      << testing::PrintToString(stored) << " under "
                      << (rule == &kShiftJis ? "Shift-JIS" : "Western");
        return;
      }
    }
  }
}

// The character walk that inserts its codes into the text it walks, as the store has always done it.
std::string EscapeByInserting(std::string text, const LeadBytes& rule) {
  for (int position = 1; position <= DbcsLength(text, rule);) {
    const size_t at = DbcsCopy(text, 1, position - 1, rule).size();
    const std::string character = DbcsCopy(text, position, 1, rule);
    if (character == "%") {
      text.insert(at, "%");
      position += 2;
    } else if (character.size() == 1 && static_cast<unsigned char>(character[0]) < 0x20) {
      char code[4];
      std::snprintf(code, sizeof code, "%%%02X", static_cast<unsigned char>(character[0]));
      text.replace(at, 1, code);
      position += 3;
    } else {
      ++position;
    }
  }
  return text;
}

// Where no lead byte stands before a control byte, the linear walk gives what the inserting walk gave.
TEST(EscapeSettingText, MatchesTheInsertingWalk) {
  int compared = 0;
  for (const LeadBytes* rule : {&kShiftJis, &kWestern}) {
    for (const std::string& text : ShortTexts()) {
      bool leadBeforeControl = text.find('\0') != std::string::npos;
      for (size_t at = 0; at + 1 < text.size(); ++at)
        leadBeforeControl |= rule->IsLead(static_cast<unsigned char>(text[at])) &&
                             static_cast<unsigned char>(text[at + 1]) < 0x20;
      if (leadBeforeControl) continue;
      ++compared;
      if (EscapeSettingText(text, *rule) != EscapeByInserting(text, *rule)) {
        ADD_FAILURE() << "text " << testing::PrintToString(text);
        return;
      }
    }
  }
  EXPECT_GT(compared, 100000);
}

}  // namespace
}  // namespace quorvel
