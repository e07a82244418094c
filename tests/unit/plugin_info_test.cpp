#include "host/plugin_info.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace quorvel {
namespace {

TEST(FillPlugInInfo, ZeroFilledRecordHoldsExactlyTheFourTexts) {
  struct Row {
    const char* system;
    bool shiftJis;
    std::string description;
  };
  const Row rows[] = {
      // プラグイン一覧プラグイン in Shift-JIS, 24 bytes.
      {"Shift-JIS", true,
       "\x83\x76\x83\x89\x83\x4f\x83\x43\x83\x93\x88\xea\x97\x97\x83\x76\x83\x89\x83\x4f\x83\x43\x83\x93"},
      // Another code page would read those bytes as other characters.
      {"another code page", false, "Plug-in list plug-in"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.system);
    TPlugInInfo info;
    std::memset(&info, 0, sizeof info);
    FillPlugInInfo(info, row.shiftJis);

    TPlugInInfo expected;
    std::memset(&expected, 0, sizeof expected);
    std::memcpy(expected.Name, "Vintrell", 8);
    std::memcpy(expected.Vendor, "TARVI Semmo & ZEFO Lab.", 23);
    std::memcpy(expected.Version, "Ver.0.01 Rev.4", 14);
    std::memcpy(expected.Description, row.description.data(), row.description.size());
    EXPECT_EQ(std::memcmp(&info, &expected, sizeof info), 0);
  }
}

TEST(FillPlugInInfo, LeavesTheRestOfEachFieldAsTheHostGaveIt) {
  TPlugInInfo info;
  std::memset(&info, 0xCC, sizeof info);
  FillPlugInInfo(info, true);
  EXPECT_STREQ(info.Name, "Vintrell");
  EXPECT_EQ(static_cast<unsigned char>(info.Name[9]), 0xCC);
  EXPECT_EQ(static_cast<unsigned char>(info.Vendor[24]), 0xCC);
  EXPECT_EQ(static_cast<unsigned char>(info.Version[15]), 0xCC);
  EXPECT_EQ(static_cast<unsigned char>(info.Description[25]), 0xCC);
  EXPECT_EQ(std::strlen(info.Description), 24u);
}

}  // namespace
}  // namespace quorvel
