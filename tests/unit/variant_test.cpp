#include "common/variant.h"

#include <gtest/gtest.h>

#include "variant_print.h"

#include <cmath>

namespace quorvel {
namespace {

TEST(Variant, ConvertsForItsCallers) {
  struct Row {
    const char* name;
    Variant value;
    bool boolean;     // ToBoolean with fallback true
    int32_t integer;  // ToInteger with fallback 77
    const char* text;
  };
  const Row rows[] = {
      {"empty", Variant(), true, 77, ""},
      {"zero", Variant::Int32(0), false, 0, "0"},
      {"negative 16-bit", Variant::Int16(-5), true, -5, "-5"},
      {"true is -1", Variant::Boolean(true), true, -1, "True"},
      {"half rounds to even", Variant::Double(2.5), true, 2, "2.5"},
      {"beyond 32 bits", Variant::Double(3e9), true, 77, "3000000000"},
      {"not a number", Variant::Double(NAN), true, 77, "NAN"},
      {"currency", Variant::Currency(-15000), true, -2, "-1.5"},
      {"small currency", Variant::Currency(1), true, 0, "0.0001"},
      {"byte", Variant::Byte(200), true, 200, "200"},
      {"date", Variant::Date(1.5), true, 2, "1899/12/31 12:00:00"},
      {"string true", Variant::String("tRUE"), true, 77, "tRUE"},
      {"string false", Variant::String("False"), false, 77, "False"},
      {"string zero", Variant::String("0"), false, 0, "0"},
      {"string integer", Variant::String("-12"), true, -12, "-12"},
      {"string decimal", Variant::String("0.0"), false, 77, "0.0"},
      {"string word", Variant::String("yes"), true, 77, "yes"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ToBoolean(row.value, true), row.boolean);
    EXPECT_EQ(ToInteger(row.value, 77), row.integer);
    EXPECT_EQ(ToText(row.value), row.text);
  }
  EXPECT_FALSE(ToBoolean(Variant::String("yes"), false));
  EXPECT_NE(Variant::Int16(1), Variant::Int32(1));
}

}  // namespace
}  // namespace quorvel
