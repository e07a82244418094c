#include "common/form_font.h"

#include <gtest/gtest.h>

#include "variant_print.h"

#include <map>
#include <string>

#include "common/settings_table.h"
#include "ascii_upper.h"

namespace quorvel {
namespace {

using quorvel::test::AsciiUpper;

// The font that a settings file gives a form designed with `designed`.
FormFont Loaded(const std::string& file, bool japanese, FormFont designed = BuiltInFont(false)) {
  SettingsTable table(LeadBytes::ShiftJis(), AsciiUpper);
  table.Load(file);
  LoadFormFont("AboutForm", designed, japanese,
               [&](const std::string& keyPath, const std::string& valueName, const Variant& defaultValue) {
                 return table.Read(keyPath, valueName, defaultValue);
               });
  return designed;
}

TEST(LoadFormFont, WithoutAStoredNameTheLanguagesBuiltInFont) {
  FormFont designed;
  designed.name = "Designed";
  designed.bold = true;
  const FormFont japanese = Loaded("", true, designed);
  EXPECT_EQ(japanese.name, "ＭＳ Ｐゴシック");
  EXPECT_EQ(japanese.charset, 128);
  EXPECT_EQ(japanese.size, 9);
  EXPECT_EQ(japanese.color, 0x80000008u);
  EXPECT_FALSE(japanese.bold) << "styles off";
  const FormFont english = Loaded("", false, designed);
  EXPECT_EQ(english.name, "Arial");
  EXPECT_EQ(english.charset, 0);
  EXPECT_EQ(english.size, 9);
  EXPECT_EQ(Loaded("AboutForm\\Font\\English\\Name=String:\r\n", false, designed), BuiltInFont(false))
      << "an empty stored name";
}

TEST(LoadFormFont, ANameStoredForTheOtherLanguageHasNoEffect) {
  EXPECT_EQ(Loaded("AboutForm\\Font\\Japanese\\Name=String:Mincho\r\n", false), BuiltInFont(false));
}

TEST(LoadFormFont, StoredValuesReplaceTheFontsOwn) {
  const FormFont font = Loaded(
      "AboutForm\\Font\\English\\Name=String:Courier New\r\n"
      "AboutForm\\Font\\English\\Charset=Integer:161\r\n"
      "AboutForm\\Font\\English\\Size=Integer:14\r\n"
      "AboutForm\\Font\\English\\Color=Integer:255\r\n"
      "AboutForm\\Font\\English\\Pitch=Integer:2\r\n"
      "AboutForm\\Font\\English\\Italic=Boolean:True\r\n"
      "AboutForm\\Font\\English\\Size2=Integer:99\r\n",
      false);
  EXPECT_EQ(font.name, "Courier New");
  EXPECT_EQ(font.charset, 161);
  EXPECT_EQ(font.size, 14);
  EXPECT_EQ(font.color, 255u);
  EXPECT_EQ(font.pitch, 2);
  EXPECT_TRUE(font.italic);
}

TEST(LoadFormFont, EachStyleFollowsItsEntryOrStaysAsDesigned) {
  FormFont designed = BuiltInFont(false);
  designed.bold = designed.underline = true;
  const std::string named = "AboutForm\\Font\\English\\Name=String:Tahoma\r\n";
  struct Row {
    const char* name;
    std::string lines;
    bool bold, italic;
  };
  const Row rows[] = {
      {"no entries: as designed", "", true, false},
      {"stored false turns it off", "AboutForm\\Font\\English\\Bold=Boolean:False\r\n", false, false},
      {"any other text reads false too", "AboutForm\\Font\\English\\Bold=Boolean:false\r\n", false, false},
      {"stored true turns it on", "AboutForm\\Font\\English\\Italic=Boolean:True\r\n", true, true},
      {"unreadable integer keeps the design", "AboutForm\\Font\\English\\Bold=Integer:x\r\n", true, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const FormFont font = Loaded(named + row.lines, false, designed);
    EXPECT_EQ(font.bold, row.bold);
    EXPECT_EQ(font.italic, row.italic);
    EXPECT_TRUE(font.underline);
  }
}

}  // namespace
}  // namespace quorvel
