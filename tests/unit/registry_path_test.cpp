#include "common/registry_path.h"

#include <gtest/gtest.h>

#include "variant_print.h"

#include <cstring>
#include <string>
#include "ascii_upper.h"

namespace quorvel {
namespace {

using quorvel::test::AsciiUpper;

TEST(ParseRegistryPath, SplitsRootAndSubKey) {
  struct Row {
    const char* name;
    std::string path;
    std::optional<uint32_t> root;  // nullopt: the parse fails
    std::string subKey;
  };
  const Row rows[] = {
      {"relative path", "Options", kCurrentUser, "Software\\ZEFO Lab\\Vintrell\\Options"},
      {"empty path", "", kCurrentUser, "Software\\ZEFO Lab\\Vintrell\\"},
      {"root alone, any case", "\\hkey_local_machine", kLocalMachine, ""},
      {"root and sub-key", "\\HKEY_CURRENT_USER\\Software\\X\\Settings", kCurrentUser,
       "Software\\X\\Settings"},
      {"trailing backslash", "\\HKEY_USERS\\", kUsers, ""},
      {"classes root", "\\HKEY_CLASSES_ROOT\\.txt", kClassesRoot, ".txt"},
      {"current config", "\\Hkey_Current_Config\\a", kCurrentConfig, "a"},
      {"dynamic data", "\\HKEY_DYN_DATA", kDynData, ""},
      {"trail byte 0x5C is not a delimiter", "\\HKEY_USERS\\表\\x", kUsers, "表\\x"},
      {"path ends at NUL", std::string("Opt\0ions", 8), kCurrentUser, "Software\\ZEFO Lab\\Vintrell\\Opt"},
      {"abbreviation", "\\HKLM\\Software", std::nullopt, ""},
      {"performance data", "\\HKEY_PERFORMANCE_DATA", std::nullopt, ""},
      {"empty root name", "\\\\Software", std::nullopt, ""},
      {"backslash alone", "\\", std::nullopt, ""},
      {"root name with more letters", "\\HKEY_USERSX\\a", std::nullopt, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const auto parsed = ParseRegistryPath(row.path, LeadBytes::ShiftJis(), AsciiUpper);
    ASSERT_EQ(parsed.has_value(), row.root.has_value());
    if (!parsed) continue;
    EXPECT_EQ(parsed->root, *row.root);
    EXPECT_EQ(parsed->subKey, row.subKey);
  }
}

std::string Bytes(double value) {
  std::string data(8, '\0');
  std::memcpy(&data[0], &value, 8);
  return data;
}

TEST(ConvertRegistryValue, ReadsWhatFitsTheDefault) {
  using namespace std::string_literals;
  const Variant number = Variant::Int32(-1), text = Variant::String("d"), yes = Variant::Boolean(true);
  const std::optional<Variant> nothing;
  struct Row {
    const char* name;
    uint32_t type;
    std::string data;
    Variant defaultValue;
    std::optional<Variant> expected;
  };
  const Row rows[] = {
      {"string, terminating NUL cut", kRegString, std::string("1\0x", 3), text, Variant::String("1")},
      {"expandable string reads nothing", kRegExpandString, "1", text, nothing},
      {"number for a string reads nothing", kRegNumber, "\1\0\0\0"s, text, nothing},
      {"missing value reads nothing", 0, "", text, nothing},
      {"number, little-endian", kRegNumber, "\x01\x02\0\0"s, number, Variant::Int32(513)},
      {"negative number", kRegNumber, "\xFF\xFF\xFF\xFF", Variant::Int16(0), Variant::Int32(-1)},
      {"number of 3 bytes", kRegNumber, "\1\0\0"s, number, nothing},
      {"decimal string", kRegString, std::string("-42\0", 4), number, Variant::Int32(-42)},
      {"string that is no integer", kRegString, "4x", number, nothing},
      {"double of 8 bytes", kRegBinary, Bytes(1.5), Variant::Single(0), Variant::Double(1.5)},
      {"binary of 7 bytes", kRegBinary, Bytes(1.5).substr(1), Variant::Double(0), nothing},
      {"float string", kRegString, "2.5", Variant::Double(0), Variant::Double(2.5)},
      {"currency string rounds", kRegString, "-1.23455", Variant::Currency(0), Variant::Currency(-12346)},
      {"currency string too large", kRegString, "922337203685478", Variant::Currency(0), nothing},
      {"currency of 8 bytes", kRegBinary, std::string("\x10\0\0\0\0\0\0\0", 8), Variant::Currency(0),
       Variant::Currency(16)},
      {"date string", kRegString, "2000/01/01 12:00", Variant::Date(0), Variant::Date(36526.5)},
      {"date of 8 bytes", kRegBinary, Bytes(-2.5), Variant::Date(0), Variant::Date(-2.5)},
      {"Boolean number", kRegNumber, std::string(4, '\0'), yes, Variant::Boolean(false)},
      {"Boolean from \"0\"", kRegString, "0", yes, Variant::Boolean(false)},
      {"Boolean from \"false\"", kRegString, "false", yes, Variant::Boolean(false)},
      {"Boolean from the empty string", kRegString, "", Variant::Boolean(false), Variant::Boolean(true)},
      {"Boolean from \"no\"", kRegString, "no", Variant::Boolean(false), Variant::Boolean(true)},
      {"byte of 1 byte", kRegBinary, "\xC8", Variant::Byte(0), Variant::Int32(200)},
      {"byte of 2 bytes", kRegBinary, "\xC8\0"s, Variant::Byte(0), nothing},
      {"empty default", kRegString, "x", Variant(), nothing},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ConvertRegistryValue(row.type, row.data, row.defaultValue, SettingsFormats{}), row.expected);
  }
}

}  // namespace
}  // namespace quorvel
