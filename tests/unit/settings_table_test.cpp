#include "common/settings_table.h"

#include <gtest/gtest.h>

#include "variant_print.h"

#include <cmath>
#include <functional>
#include <string>
#include "ascii_upper.h"

namespace quorvel {
namespace {

// ASCII letters only. The shell's upper-casing steps over double-byte characters, so that a trail
// byte such as the "a" of Ｂ (0x82 0x61) is never changed; the table only hands keys to it.
using quorvel::test::AsciiUpper;

SettingsTable Loaded(const std::string& file, const LeadBytes& rule = LeadBytes::ShiftJis(),
                     SettingsFormats formats = {}) {
  SettingsTable table(rule, AsciiUpper, formats);
  table.Load(file);
  return table;
}

TEST(SettingsTable, WritesAndSavesEntries) {
  SettingsTable table(LeadBytes::ShiftJis(), AsciiUpper);
  EXPECT_EQ(table.Save(), "");
  table.Write("Menu", "ListWithPath", Variant::Boolean(true));
  table.Write("Plugins", "Count", Variant::Int32(2));
  table.Write("Plugins\\0", "Name", Variant::String("a\r\nb 100%"));
  EXPECT_EQ(table.Save(),
            "Menu\\ListWithPath=Boolean:True\r\nPlugins\\Count=Integer:2\r\n"
            "Plugins\\0\\Name=String:a%0D%0Ab 100%%\r\n");
  // Another spelling of a key keeps its row and takes the new spelling.
  table.Write("MENU", "LISTWITHPATH", Variant::Boolean(false));
  EXPECT_EQ(table.RowCount(), 3u);
  EXPECT_EQ(table.Read("menu", "listwithpath", Variant()), Variant::Boolean(false));
  // Empty or null deletes; the rows behind move up.
  table.Write("Menu", "ListWithPath", Variant());
  table.Write("Plugins", "count", Variant::Null());
  table.Write("No", "Such", Variant::Null());
  EXPECT_EQ(table.Save(), "Plugins\\0\\Name=String:a%0D%0Ab 100%%\r\n");
  EXPECT_EQ(table.Read("Plugins\\0", "Name", Variant()), Variant::String("a\r\nb 100%"));
}

// The store makes no bytes while the revision stands, so every change must move it.
TEST(SettingsTable, EveryChangeMovesTheRevisionAndNothingElseDoes) {
  SettingsTable table = Loaded("Menu\\ListWithPath=Boolean:True\r\nKept line\r\n");
  struct Row {
    const char* change;
    std::function<void(SettingsTable&)> apply;
    bool moves;
  };
  const Row rows[] = {
      {"read", [](SettingsTable& t) { t.Read("Menu", "ListWithPath", Variant()); }, false},
      {"save", [](SettingsTable& t) { t.Save(); }, false},
      {"row count", [](SettingsTable& t) { t.RowCount(); }, false},
      {"new row", [](SettingsTable& t) { t.Write("Check", "BeckyOnly", Variant::Boolean(false)); }, true},
      {"changed value", [](SettingsTable& t) { t.Write("Menu", "ListWithPath", Variant::Boolean(false)); },
       true},
      {"deleted row", [](SettingsTable& t) { t.Write("Check", "BeckyOnly", Variant()); }, true},
      {"load", [](SettingsTable& t) { t.Load("Menu\\ListWithPath=Boolean:True\r\n"); }, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.change);
    const uint64_t before = table.Revision();
    const std::string bytes = table.Save();
    row.apply(table);
    EXPECT_EQ(table.Revision() != before, row.moves);
    if (!row.moves) {
      EXPECT_EQ(table.Save(), bytes);
    }
  }
}

TEST(SettingsTable, ReadsByTypeWord) {
  const Variant fallback = Variant::Int32(-7);
  struct Row {
    const char* line;
    Variant expected;
  };
  const Row rows[] = {
      {"K\\V=Boolean:True", Variant::Boolean(true)},
      {"K\\V=Boolean:true", Variant::Boolean(false)},
      {"K\\V=Integer:-2147483648", Variant::Int32(-2147483647 - 1)},
      {"K\\V=Integer:+5", Variant::Int32(5)},
      {"K\\V=Integer:abc", fallback},
      {"K\\V=Integer:2147483648", fallback},
      {"K\\V=Float:-1.5E-5", Variant::Double(-1.5e-5)},
      {"K\\V=Float:.5", Variant::Double(0.5)},
      {"K\\V=Float:1,5", fallback},
      {"K\\V=Float:1e999", fallback},
      {"K\\V=Date:1899/12/30 06:00:00", Variant::Date(0.25)},
      {"K\\V=Date:1899/12/29 18:00", Variant::Date(-1.75)},
      {"K\\V=Date:2000/2/29", Variant::Date(36585)},
      {"K\\V=Date:1900/02/29", fallback},
      {"K\\V=Date:2000/01/01 24:00:00", fallback},
      {"K\\V=Date:2000/01/01x", fallback},
      {"K\\V=Text:abc", Variant::String("abc")},
      {"K\\V=:abc", Variant::String("abc")},
      {"K\\V=string:a%41", Variant::String("aA")},
      {"K\\V=String:a=b:c", Variant::String("a=b:c")},
      {"K\\V=String:abc%", fallback},
      {"K\\V=String:%zz", fallback},
      {"K\\V=Integer:", fallback},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    EXPECT_EQ(Loaded(row.line).Read("k", "v", fallback), row.expected);
  }
}

TEST(SettingsTable, EncodesEachKind) {
  const SettingsFormats comma{',', '-', '.', DateOrder::kYmd};
  struct Row {
    const char* name;
    Variant value;
    SettingsFormats formats;
    const char* line;
  };
  const Row rows[] = {
      {"16-bit integer", Variant::Int16(-300), {}, "K\\V=Integer:-300\r\n"},
      {"float", Variant::Double(0.1), {}, "K\\V=Float:0.1\r\n"},
      {"single as its double", Variant::Single(0.1f), {}, "K\\V=Float:0.100000001490116\r\n"},
      {"15 digits", Variant::Double(2.0 / 3), comma, "K\\V=Float:0,666666666666667\r\n"},
      {"large exponent", Variant::Double(1e20), {}, "K\\V=Float:1E20\r\n"},
      {"small exponent", Variant::Double(-1.5e-5), comma, "K\\V=Float:-1,5E-5\r\n"},
      {"fixed from 0.0001", Variant::Double(0.0001), {}, "K\\V=Float:0.0001\r\n"},
      {"fixed below 1E15", Variant::Double(1e14), {}, "K\\V=Float:100000000000000\r\n"},
      {"exponent from 1E15", Variant::Double(123456789012345678.0), {}, "K\\V=Float:1.23456789012346E17\r\n"},
      {"not a number", Variant::Double(NAN), {}, "K\\V=Float:NAN\r\n"},
      {"date and time", Variant::Date(45351.5 + 1.0 / 86400), comma, "K\\V=Date:2024-02-29 12.00.01\r\n"},
      {"before day 0", Variant::Date(-1.75), {}, "K\\V=Date:1899/12/29 18:00:00\r\n"},
      {"rounds to the next day", Variant::Date(1 - 1e-9), {}, "K\\V=Date:1899/12/31 00:00:00\r\n"},
      {"first year", Variant::Date(-693593), {}, "K\\V=Date:0001/01/01 00:00:00\r\n"},
      {"date beyond 9999 writes nothing", Variant::Date(2958466), {}, ""},
      {"currency has no stored form", Variant::Currency(15000), {}, "K\\V=:\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    SettingsTable table(LeadBytes::ShiftJis(), AsciiUpper, row.formats);
    table.Write("K", "V", row.value);
    EXPECT_EQ(table.Save(), row.line);
    // What is saved reads back: floats to 15 digits, date-times to the second.
    if (row.value.Kind() == VariantKind::kDouble || row.value.Kind() == VariantKind::kDate) {
      const Variant back = Loaded(table.Save(), LeadBytes::ShiftJis(), row.formats).Read("K", "V", Variant());
      if (*row.line == '\0') continue;
      EXPECT_EQ(back.Kind(), row.value.Kind());
      EXPECT_TRUE(std::isnan(row.value.Real()) ||
                  std::fabs(back.Real() - row.value.Real()) <= std::fabs(row.value.Real()) * 1e-14 + 1e-5);
    }
  }
  // A kind without a stored form leaves an existing entry as it was.
  SettingsTable table = Loaded("K\\V=Integer:5");
  table.Write("k", "v", Variant::Currency(1));
  EXPECT_EQ(table.Save(), "k\\v=Integer:5\r\n");
}

TEST(SettingsTable, ReadsDatesInTheSystemsOrder) {
  struct Row {
    const char* text;
    SettingsFormats formats;
    double days;  // NAN: the default
  };
  const Row rows[] = {
      {"06.05.2024 7:08", {',', '.', ':', DateOrder::kDmy}, 45418 + (7 * 60 + 8) / 1440.0},
      {"05/06/2024", {'.', '/', ':', DateOrder::kMdy}, 45418},
      {"2024/05/06 00:00:00", {'.', '/', ':', DateOrder::kMdy}, 45418},
      {"2024.05.06 23.59.59", {',', '.', '.', DateOrder::kDmy}, 45418 + 86399 / 86400.0},
      {"13/06/2024", {'.', '/', ':', DateOrder::kMdy}, NAN},
      {"2024-05-06", {}, NAN},
      {"2024/05/06 ", {}, NAN},
      {"2024/05/06 7", {}, NAN},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    const SettingsTable table = Loaded(std::string("K\\V=Date:") + row.text, LeadBytes(), row.formats);
    const Variant read = table.Read("K", "V", Variant::Null());
    EXPECT_EQ(read, std::isnan(row.days) ? Variant::Null() : Variant::Date(row.days));
  }
}

TEST(SettingsTable, KeepsEveryLineOfTheFile) {
  struct Row {
    const char* name;
    std::string file, saved;
  };
  const Row rows[] = {
      {"CR, LF and CR LF", "a=S:1\rb=S:2\nc=S:3\r\n", "a=S:1\r\nb=S:2\r\nc=S:3\r\n"},
      {"no final break", "a=S:1", "a=S:1\r\n"},
      {"empty lines", "\r\n\r\na=S:1\n\n", "\r\n\r\na=S:1\r\n\r\n"},
      {"NUL ends the text", std::string("a=S:1\r\nb\0c=S:2", 14), "a=S:1\r\nb\r\n"},
      {"lines without = or :", "[Section]\r\n; note\r\nx=y\r\n", "[Section]\r\n; note\r\nx=y\r\n"},
      {"separators in the text", "k=String:a=b:c", "k=String:a=b:c\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Loaded(row.file).Save(), row.saved);
  }
  // Kept lines stay in their place around writes and deletes, and no lookup finds them.
  SettingsTable table = Loaded("K\\V\r\nA\\B=Integer:1\r\nK\\W=Boolean\r\nC\\D=Integer:2\r\n");
  EXPECT_EQ(table.Read("K", "V", Variant::Int32(9)), Variant::Int32(9));
  EXPECT_EQ(table.Read("K", "W", Variant::Int32(9)), Variant::Int32(9));
  table.Write("A", "B", Variant());
  table.Write("K", "V", Variant::Int32(3));
  EXPECT_EQ(table.RowCount(), 4u);
  EXPECT_EQ(table.Save(), "K\\V\r\nK\\W=Boolean\r\nC\\D=Integer:2\r\nK\\V=Integer:3\r\n");
}

TEST(SettingsTable, FindsSeparatorsOnlyAtCharacterBoundaries) {
  // "\x81=" and "\x81:" are one character under Shift-JIS, two under a Western code page.
  const std::string line = "K\\\x81==Str\x81::v";
  const SettingsTable shiftJis = Loaded(line, LeadBytes::ShiftJis());
  EXPECT_EQ(shiftJis.Read("K", "\x81=", Variant()), Variant::String("v"));
  const SettingsTable western = Loaded(line, LeadBytes());
  EXPECT_EQ(western.Read("K", "\x81", Variant()), Variant::String(":v"));
  EXPECT_EQ(shiftJis.Save(), line + "\r\n");
  EXPECT_EQ(western.Save(), line + "\r\n");
}

TEST(SettingsTable, IgnoresKeysThatALineCannotHold) {
  struct Row {
    const char* name;
    std::string valueName;
    bool shiftJis, western;  // whether the write is kept
  };
  const Row rows[] = {
      {"equals sign", "a=b", false, false},           {"line break", "a\nb", false, false},
      {"carriage return", "a\r", false, false},       {"NUL", std::string("a\0b", 3), false, false},
      {"lead byte at the end", "a\x81", false, true}, {"equals sign as a trail byte", "\x81=", true, false},
      {"double-byte character", "表", true, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    for (const bool shiftJis : {true, false}) {
      SettingsTable table(shiftJis ? LeadBytes::ShiftJis() : LeadBytes(), AsciiUpper);
      table.Write("K", row.valueName, Variant::Int32(1));
      EXPECT_EQ(table.RowCount(), (shiftJis ? row.shiftJis : row.western) ? 1u : 0u);
      // Whatever is written reads back from the saved file.
      EXPECT_EQ(Loaded(table.Save(), shiftJis ? LeadBytes::ShiftJis() : LeadBytes()).Save(), table.Save());
    }
  }
}

TEST(SettingsTable, FirstOfDuplicateKeysIsFoundAlsoAfterDeletes) {
  // Enough deletes to sweep the deleted rows out of the table in between.
  std::string file;
  for (int i = 0; i < 300; ++i)
    file += "Dup\\" + std::to_string(i % 3) + "=Integer:" + std::to_string(i) + "\r\n";
  SettingsTable table = Loaded(file);
  for (int i = 0; i < 297; ++i) {
    SCOPED_TRACE(i);
    ASSERT_EQ(table.Read("dup", std::to_string(i % 3), Variant()), Variant::Int32(i));
    table.Write("Dup", std::to_string(i % 3), Variant());
  }
  EXPECT_EQ(table.RowCount(), 3u);
  table.Write("dup", "3", Variant::Int32(-1));
  table.Write("DUP", "0", Variant::Int32(0));
  EXPECT_EQ(table.Save(),
            "DUP\\0=Integer:0\r\nDup\\1=Integer:298\r\nDup\\2=Integer:299\r\ndup\\3=Integer:-1\r\n");
}

}  // namespace
}  // namespace quorvel
