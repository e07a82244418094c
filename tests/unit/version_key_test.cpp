#include "mail/version_key.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvel {
namespace {

TEST(NormalizeVersion, TurnsVersionTextsIntoKeys) {
  struct Row {
    std::string text, key;
  };
  const Row rows[] = {
      // The worked example and the table of version texts.
      {"2.05.07", "0002/0500/0700"},
      {"ver. 2.05.07", "0002/0500/0700"},
      {"Ver.0.01 Rev.4", "0000/0100 0004"},
      {"2.5", "0002/5000"},
      {"2.10", "0002/1000"},
      {"1.0", "0001/0000"},
      {"2.", "0002/0000"},
      {".5", "0000/5000"},
      {"1 .5", "0001 0000/5000"},
      {"1..2", "0001/2000"},
      {"1.12345", "0001/1234"},
      {"12345.1", "2345/1000"},
      {"build 1.2b3", "0001/2000 0003"},
      {"Rev.4", "0004"},
      {"1.2.", "0001/2000/0000"},
      {"2.05 beta1", "0002/0500 0001"},
      {"abc", ""},
      {"", ""},
      // Groups.
      {"1.1234", "0001/1234"},
      {"12345", "2345"},
      {"2345", "2345"},
      {"007", "0007"},
      {"2.50", "0002/5000"},
      {"2.05", "0002/0500"},
      {"1.0a", "0001/0000"},
      {".", "0000/0000"},
      {"0", "0000"},
      // Separators.
      {"1 - 2", "0001 0002"},
      {"  1  ", "0001"},
      {"1. 2", "0001/0000 0002"},
      {"1.a", "0001/0000"},
      {"1.-", "0001/0000"},
      {"a.1", "0001"},
      {" .5", "0000/5000"},
      {"1 . 2", "0001 0000/0000 0002"},
      {"1.2.3.4.5", "0001/2000/3000/4000/5000"},
      {"\x93\xfa 1.2 \x96\x7b", "0001/2000"},
      {"1\t2\r\n3", "0001 0002 0003"},
      // Whole-number runs of any length give their last four digits.
      {"899999999", "9999"},
      {"900000000", "0000"},
      {"2147483647", "3647"},
      {"2147483648", "3648"},
      {"99999999999999999999", "9999"},
      {"4294967296.5", "7296/5000"},
      {std::string(300, '9') + "1234", "1234"},
      {"1." + std::string(300, '9'), "0001/9999"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("\"" + row.text + "\"");
    EXPECT_EQ(NormalizeVersion(row.text), row.key);
  }
}

TEST(NormalizeVersion, TheEdgeRulesHold) {
  struct Row {
    const char* rule;
    std::string a, b;
  };
  const Row sameKey[] = {
      {"letters never reach the key", "ver. 2.05.07", "2.05.07"},
      {"a fraction keeps four digits", "1.12345", "1.1234"},
      {"a whole number keeps its last four digits", "12345", "2345"},
      {"leading zeros of a whole number do not matter", "007", "7"},
      {"trailing zeros of a fraction do not matter", "2.5", "2.50"},
      {"a letter after the last digit does not matter", "1.0", "1.0a"},
  };
  for (const Row& row : sameKey) {
    SCOPED_TRACE(row.rule);
    EXPECT_EQ(NormalizeVersion(row.a), NormalizeVersion(row.b));
  }
  EXPECT_NE(NormalizeVersion("2.5"), NormalizeVersion("2.05"));
}

TEST(IsNewerVersion, OrdersKeysByteByByte) {
  // Oldest first: each text is newer than every one before it.
  const std::vector<std::string> ordered = {
      "abc", "Ver.0.01 Rev.3", "Ver.0.01 Rev.4", "Ver.0.02", "2.05", "2.05 beta1", "2.05.07", "2.10", "2.5",
      "2.9", "12345.1"};
  for (size_t older = 0; older < ordered.size(); ++older) {
    for (size_t newer = 0; newer < ordered.size(); ++newer) {
      SCOPED_TRACE(ordered[newer] + " against " + ordered[older]);
      EXPECT_EQ(IsNewerVersion(NormalizeVersion(ordered[newer]), NormalizeVersion(ordered[older])),
                newer > older);
    }
  }
}

TEST(IsNewerVersion, ComparesUnsignedBytesAndPrefixesFirst) {
  struct Row {
    std::string a, b;
    bool newer;
  };
  const Row rows[] = {
      {"0001", "0001", false},
      {"0001", "", true},
      {"", "", false},
      {"", "0000", false},
      {"0001/0000", "0001", true},
      {"0001 0001", "0001", true},
      {"0001/0000", "0001 0001", true},  // "/" sorts after the space
      {"\x80", "0009", true},            // a stored byte above 127 is not negative
      {"0009", "\xff", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("\"" + row.a + "\" against \"" + row.b + "\"");
    EXPECT_EQ(IsNewerVersion(row.a, row.b), row.newer);
  }
}

}  // namespace
}  // namespace quorvel
