#include "inventory/plugin_fields.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace quorvel {
namespace {

TEST(ReadFields, TakesEachFieldUpToItsFirstNulOrWhole) {
  TPlugInInfo record;
  std::memset(&record, 0, sizeof record);
  std::memset(record.Name, 'N', sizeof record.Name);  // no NUL at all
  std::memcpy(record.Vendor, "Maker\0junk", 10);
  std::memset(record.Description, 'D', sizeof record.Description);
  const PlugInFields fields = ReadFields(record);
  EXPECT_EQ(fields.name, std::string(80, 'N'));
  EXPECT_EQ(fields.vendor, "Maker");
  EXPECT_EQ(fields.version, "") << "an empty field is empty, not (unknown)";
  EXPECT_EQ(fields.description, std::string(256, 'D'));
}

TEST(PlugInFields, SelectorOutsideTheFourSelectsTheName) {
  const PlugInFields fields{"n", "v", "ver", "d"};
  EXPECT_EQ(fields.Get(pifName), "n");
  EXPECT_EQ(fields.Get(pifVendor), "v");
  EXPECT_EQ(fields.Get(pifVersion), "ver");
  EXPECT_EQ(fields.Get(pifDescription), "d");
  EXPECT_EQ(fields.Get(4), "n");
  EXPECT_EQ(fields.Get(-1), "n");
  EXPECT_EQ(PlugInFields::Unknown().Get(pifVersion), "(unknown)");
}

}  // namespace
}  // namespace quorvel
