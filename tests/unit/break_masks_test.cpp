#include "mail/break_masks.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace quorvel {
namespace {

BreakMasks ByteByByte(const std::string& block) {
  BreakMasks masks;
  for (int i = 0; i < 64; ++i) {
    if (block[i] == '\r') masks.cr |= uint64_t{1} << i;
    if (block[i] == '\n') masks.lf |= uint64_t{1} << i;
  }
  return masks;
}

void ExpectMasks(const std::string& block) {
  const BreakMasks expected = ByteByByte(block);
  for (const BreakMasks& masks : {BreakMasksPortable(block.data()), FindBreakMasks(block.data())}) {
    EXPECT_EQ(masks.cr, expected.cr);
    EXPECT_EQ(masks.lf, expected.lf);
  }
}

TEST(BreakMasks, MarkEveryCrAndLfOfABlock) {
  struct Row {
    const char* name;
    std::string block;
  };
  const Row rows[] = {
      {"none", std::string(64, 'a')},
      {"all CR", std::string(64, '\r')},
      {"all LF", std::string(64, '\n')},
      {"CR LF pairs",
       [] {
         std::string b;
         while (b.size() < 64)
           b += "abc\r\n";
         return b.substr(0, 64);
       }()},
      {"first and last byte", "\n" + std::string(62, 'x') + "\r"},
      {"bytes next to CR and LF",
       [] {
         std::string b;
         for (int i = 0; i < 64; ++i)
           b += static_cast<char>(i % 4 == 0 ? 12 : i % 4 == 1 ? 14 : i % 4 == 2 ? 9 : 11);
         return b;
       }()},
      {"high bytes",
       [] {
         std::string b;
         for (int i = 0; i < 64; ++i)
           b += static_cast<char>(i % 2 ? 0x8d : 0x8a);  // CR and LF with the top bit set
         return b;
       }()},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_EQ(row.block.size(), 64u);
    ExpectMasks(row.block);
  }
}

TEST(BreakMasks, AgreeWithTheBytesOnRandomBlocks) {
  std::mt19937 random(7);
  const char alphabet[] = {'\r', '\n', '\0', 'a', '\t', 12, 14, '\x8d', '\x8a', '\xff'};
  for (int round = 0; round < 2000; ++round) {
    std::string block(64, ' ');
    for (char& c : block)
      c = alphabet[random() % sizeof alphabet];
    SCOPED_TRACE(round);
    ExpectMasks(block);
  }
}

}  // namespace
}  // namespace quorvel
