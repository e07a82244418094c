#include "mail/stamp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace quorvel {
namespace {

const std::string kStamp = "Vintrell Ver.0.01 Rev.4";
const std::string kFold = ",\r\n\t";

TEST(StampedPlugInHeader, AddsOrRenewsTheModulesEntry) {
  struct Row {
    const char* name;
    std::string current, stamped;
  };
  const Row rows[] = {
      {"absent header", "", kStamp},
      {"one foreign entry", "Foo Ver.1.0", "Foo Ver.1.0" + kFold + kStamp},
      {"only an older stamp", "Vintrell Ver.0.00 Rev.9", kStamp},
      {"older stamp between two entries", "Foo 1" + kFold + "Vintrell Ver.0.00 Rev.9" + kFold + "Bar 2",
       "Foo 1" + kFold + kStamp + kFold + "Bar 2"},
      {"old stamp with more text but no comma", "Vintrell Ver.0.00 Rev.9 beta", kStamp},
      {"current stamp already there", "Foo 1" + kFold + kStamp, "Foo 1" + kFold + kStamp},
      {"letter case differs: not our entry", "vintrell ver.0.00", "vintrell ver.0.00" + kFold + kStamp},
      {"key twice: only the first is replaced", "Vintrell Ver.1, Vintrell Ver.2",
       kStamp + ", Vintrell Ver.2"},
      {"key twice without a comma between", "Vintrell Ver.1 Vintrell Ver.2", kStamp},
      {"stamp glued to a foreign entry", "FooVintrell Ver.0.00,x", "Foo" + kStamp + ",x"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(StampedPlugInHeader(row.current), row.stamped);
  }
}

TEST(StampedPlugInHeader, StampingTwiceLeavesOneStamp) {
  const std::string once = StampedPlugInHeader("Foo Ver.1.0");
  EXPECT_EQ(StampedPlugInHeader(once), once);
}

// A host that writes a stored value into the buffer it is given, counting the size one of two ways.
struct FakeHost {
  explicit FakeHost(std::string stored, bool countsZero = true)
      : value(std::move(stored)), sizeCountsTheZero(countsZero) {}
  std::string value;
  bool sizeCountsTheZero;  // like lstrcpyn: at most size - 1 characters, then the zero
  std::vector<int> sizesAsked;

  ReadHeaderInto Reader() {
    return [this](char* buffer, int size) {
      sizesAsked.push_back(size);
      const size_t room = sizeCountsTheZero ? static_cast<size_t>(size) - 1 : static_cast<size_t>(size);
      const size_t n = std::min(room, value.size());
      std::memcpy(buffer, value.data(), n);
      buffer[n] = '\0';
    };
  }
};

TEST(ReadWholeHeaderValue, ShortValueTakesOneReadOf2047) {
  FakeHost host("Foo Ver.1.0");
  EXPECT_EQ(ReadWholeHeaderValue(host.Reader()), "Foo Ver.1.0");
  EXPECT_EQ(host.sizesAsked, std::vector<int>{2047});
}

TEST(ReadWholeHeaderValue, LongValuesAreReadWholeUnderEitherSizeRule) {
  for (bool countsZero : {true, false}) {
    for (size_t length : {2045u, 2046u, 2047u, 2048u, 5000u, 100000u}) {
      SCOPED_TRACE(testing::Message() << "length " << length << (countsZero ? " size counts the zero" : ""));
      std::string value;
      while (value.size() < length)
        value += "Plugin" + std::to_string(value.size()) + " Ver.1" + kFold;
      value.resize(length);
      FakeHost host(value, countsZero);
      EXPECT_EQ(ReadWholeHeaderValue(host.Reader()), value);
      EXPECT_EQ(host.sizesAsked.front(), 2047);
      EXPECT_TRUE(std::is_sorted(host.sizesAsked.begin(), host.sizesAsked.end()));
    }
  }
}

TEST(ReadWholeHeaderValue, GivesNothingWhenTheValueNeverFits) {
  FakeHost host(std::string(70000, 'x'));
  EXPECT_EQ(ReadWholeHeaderValue(host.Reader(), 65536), std::nullopt);
  EXPECT_EQ(host.sizesAsked.back(), 65536);
}

}  // namespace
}  // namespace quorvel
