// Reading values of the real (Wine) registry by full path, converted to the kind of the default.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/win/registry_reader.h"

namespace quorvel::win {
namespace {

constexpr char kKey[] = "Software\\QuorvelTest\\Registry";
const std::string kPath = std::string("\\HKEY_CURRENT_USER\\") + kKey;

class RegistryReader : public ::testing::Test {
 protected:
  void SetUp() override {
    RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    Set("Text", REG_SZ, "A.DLL/B.DLL", 12);
    Set("Expandable", REG_EXPAND_SZ, "%TEMP%\\x", 9);
    const DWORD number = 7;
    Set("Number", REG_DWORD, &number, sizeof number);
    const DWORD zero = 0;
    Set("Zero", REG_DWORD, &zero, sizeof zero);
    Set("NumberText", REG_SZ, "42", 3);
    Set("FalseText", REG_SZ, "false", 6);
    const double real = 2.5;
    Set("Double", REG_BINARY, &real, sizeof real);
    Set("Byte", REG_BINARY, "\x9A", 1);
    Set("Empty", REG_SZ, "", 1);
  }
  void TearDown() override {
    RegCloseKey(key);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\QuorvelTest");
  }
  void Set(const char* name, DWORD type, const void* data, DWORD size) {
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
  }
  HKEY key = nullptr;
};

TEST_F(RegistryReader, ConvertsWhatFitsTheDefaultAndGivesTheDefaultOtherwise) {
  const Variant noText = Variant::String("default");
  EXPECT_EQ(ToText(ReadRegistryValue(kPath, "Text", noText)), "A.DLL/B.DLL");
  EXPECT_EQ(ToText(ReadRegistryValue(kPath, "Empty", noText)), "");
  EXPECT_EQ(ToText(ReadRegistryValue(kPath, "Expandable", noText)), "default")
      << "expandable strings read nothing";
  EXPECT_EQ(ToText(ReadRegistryValue(kPath, "Number", noText)), "default") << "a number is not a string";
  EXPECT_EQ(ToText(ReadRegistryValue(kPath, "Missing", noText)), "default");

  const Variant noNumber = Variant::Int32(-1);
  EXPECT_EQ(ToInteger(ReadRegistryValue(kPath, "Number", noNumber), 0), 7);
  EXPECT_EQ(ToInteger(ReadRegistryValue(kPath, "NumberText", noNumber), 0), 42);
  EXPECT_EQ(ToInteger(ReadRegistryValue(kPath, "Text", noNumber), 0), -1) << "not a number";
  EXPECT_EQ(ToInteger(ReadRegistryValue(kPath, "Byte", Variant::Byte(0)), 0), 0x9A);

  EXPECT_TRUE(ToBoolean(ReadRegistryValue(kPath, "Number", Variant::Boolean(false)), false));
  EXPECT_FALSE(ToBoolean(ReadRegistryValue(kPath, "Zero", Variant::Boolean(true)), true));
  EXPECT_FALSE(ToBoolean(ReadRegistryValue(kPath, "FalseText", Variant::Boolean(true)), true));
  EXPECT_TRUE(ToBoolean(ReadRegistryValue(kPath, "Empty", Variant::Boolean(false)), false))
      << "any other string is true";

  const Variant real = ReadRegistryValue(kPath, "Double", Variant::Double(0));
  ASSERT_EQ(real.Kind(), VariantKind::kDouble);
  EXPECT_EQ(real.Real(), 2.5);
}

TEST_F(RegistryReader, MissingKeysAndUnknownRootsGiveTheDefault) {
  const Variant fallback = Variant::String("fallback");
  for (const std::string& path :
       {std::string("\\HKEY_CURRENT_USER\\Software\\QuorvelTest\\Nowhere"), std::string("\\HKCU\\") + kKey,
        std::string("\\HKEY_PERFORMANCE_DATA\\x")}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(ToText(ReadRegistryValue(path, "Text", fallback)), "fallback");
  }
  EXPECT_EQ(ToText(ReadRegistryValue("\\hkey_current_user\\" + std::string(kKey), "Text", fallback)),
            "A.DLL/B.DLL")
      << "root names in any letter case";
}

TEST_F(RegistryReader, RelativePathsLieUnderTheModulesOwnKey) {
  HKEY own = nullptr;
  RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\ZEFO Lab\\Vintrell\\QuorvelTest", 0, nullptr, 0,
                  KEY_ALL_ACCESS, nullptr, &own, nullptr);
  RegSetValueExA(own, "Value", 0, REG_SZ, reinterpret_cast<const BYTE*>("own"), 4);
  RegCloseKey(own);
  EXPECT_EQ(ToText(ReadRegistryValue("QuorvelTest", "Value", Variant::String(""))), "own");
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\ZEFO Lab");
}

}  // namespace
}  // namespace quorvel::win
