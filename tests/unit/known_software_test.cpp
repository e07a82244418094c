#include "mail/known_software.h"

#include <gtest/gtest.h>

#include "variant_print.h"

#include <string>
#include <vector>

#include "common/settings_table.h"
#include "ascii_upper.h"

namespace quorvel {
namespace {

using Names = std::vector<std::string>;

using quorvel::test::AsciiUpper;

// Code page 1252 casing of the letters used here: the list must use the shell's rules, not ASCII's.
std::string WesternUpper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c == '\xe9') c = '\xc9';  // é -> É
  }
  return text;
}

TEST(KnownSoftware, FindsTheFirstEntryOfANameInAnyLetterCase) {
  KnownSoftware known(WesternUpper);
  known.Add("Becky!", "0002/0500");
  known.Add("Ren\xe9 Mail", "0001");
  known.Add("BECKY!", "0009");  // kept, but the first one is the one found
  struct Row {
    const char* name;
    size_t entry;
  };
  const Row rows[] = {
      {"Becky!", 0},
      {"becky!", 0},
      {"BECKY!", 0},
      {"REN\xc9 MAIL", 1},
      {"ren\xe9 mail", 1},
      {"Becky", KnownSoftware::kNotFound},
      {"", KnownSoftware::kNotFound},
      {"Becky! ", KnownSoftware::kNotFound},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(known.Find(row.name), row.entry);
  }
  EXPECT_EQ(known.KnownNames(), (Names{"Becky!", "Ren\xe9 Mail", "BECKY!"}));
  EXPECT_EQ(known.KnownVersions(), (Names{"0002/0500", "0001", "0009"}));
}

TEST(KnownSoftware, KeepsNamesAndVersionsInStep) {
  KnownSoftware known(AsciiUpper);
  for (int i = 0; i < 10000; ++i)
    known.Add("Plug-in " + std::to_string(i), std::to_string(i));
  known.SetVersion(4711, "new");
  ASSERT_EQ(known.Count(), 10000u);
  ASSERT_EQ(known.KnownVersions().size(), 10000u);
  for (int i = 0; i < 10000; i += 997) {
    SCOPED_TRACE(i);
    const size_t entry = known.Find("PLUG-IN " + std::to_string(i));
    ASSERT_EQ(entry, static_cast<size_t>(i));
    EXPECT_EQ(known.KnownNames()[entry], "Plug-in " + std::to_string(i));
  }
  EXPECT_EQ(known.KnownVersions()[4711], "new");
  known.Clear();
  EXPECT_EQ(known.Count(), 0u);
  EXPECT_EQ(known.Find("Plug-in 1"), KnownSoftware::kNotFound);
}

// The list is written to the settings only when its revision has moved, so every change must move it.
TEST(KnownSoftware, EveryChangeMovesTheRevisionAndLookupsDoNot) {
  KnownSoftware known(AsciiUpper);
  uint64_t revision = known.Revision();
  const auto moved = [&] {
    const bool result = known.Revision() != revision;
    revision = known.Revision();
    return result;
  };
  known.Add("Signetta", "0003/0001");
  EXPECT_TRUE(moved()) << "added";
  known.Find("SIGNETTA");
  EXPECT_FALSE(moved()) << "looked up";
  known.SetVersion(0, "0003/0002");
  EXPECT_TRUE(moved()) << "newer version";
  known.Clear();
  EXPECT_TRUE(moved()) << "cleared";
}

TEST(ReadStoredEntries, ReadsNameThenVersionOfEachEntry) {
  struct Row {
    const char* name;
    int32_t count;
    size_t storeRows;
    Names reads;
  };
  const Row rows[] = {
      {"no entries", 0, 100, {}},
      {"a negative count", -5, 100, {}},
      {"two entries",
       2,
       100,
       {"Plugins\\0/Name", "Plugins\\0/Version", "Plugins\\1/Name", "Plugins\\1/Version"}},
      {"a count beyond the rows of the store",
       2000000000,
       3,
       {"Plugins\\0/Name", "Plugins\\0/Version", "Plugins\\1/Name", "Plugins\\1/Version", "Plugins\\2/Name",
        "Plugins\\2/Version"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Names reads;
    const std::vector<StoredEntry> entries =
        ReadStoredEntries(row.count, row.storeRows, [&](const std::string& path, const std::string& value) {
          reads.push_back(path + "/" + value);
          return value == "Name" ? "n" + path : "v" + path;
        });
    EXPECT_EQ(reads, row.reads);
    ASSERT_EQ(entries.size(), row.reads.size() / 2);
    for (size_t n = 0; n < entries.size(); ++n) {
      EXPECT_EQ(entries[n].name, "nPlugins\\" + std::to_string(n));
      EXPECT_EQ(entries[n].version, "vPlugins\\" + std::to_string(n));
    }
  }
}

struct Seeded {
  Names names, versions;
};

Seeded Seed(const std::vector<StoredEntry>& stored, const std::string& hostVersion,
            const std::vector<InstalledPlugIn>& installed) {
  KnownSoftware known(AsciiUpper);
  known.Add("left over", "");  // a list loaded before is replaced
  SeedKnownSoftware(known, stored, hostVersion, installed);
  return {known.KnownNames(), known.KnownVersions()};
}

TEST(SeedKnownSoftware, StoredEntriesThenTheHostThenInstalledPlugIns) {
  struct Row {
    const char* name;
    std::vector<StoredEntry> stored;
    std::vector<InstalledPlugIn> installed;
    Names names, versions;
  };
  const std::string host = "2.75.01";  // what the host's version call answers
  const Row rows[] = {
      {"an empty store: the host, then the plug-ins in inventory order",
       {},
       {{"Vintrell", "Ver.0.01 Rev.4"}, {"Foo", "1.2"}},
       {"Becky!", "Vintrell", "Foo"},
       {"0002/7500/0100", "0000/0100 0004", "0001/2000"}},
      {"a stored becky! prevents a second host entry and keeps its key",
       {{"becky!", "0002/0500"}},
       {},
       {"becky!"},
       {"0002/0500"}},
      {"a stored version text is turned into its key, a stored key stays",
       {{"A", "ver. 2.05.07"}, {"B", "0002/0500/0700"}, {"C", "Ver.1"}},
       {},
       {"A", "B", "C", "Becky!"},
       {"0002/0500/0700", "0002/0500/0700", "0001", "0002/7500/0100"}},
      {"stored text without a v stays as it is",
       {{"A", "1.2"}},
       {},
       {"A", "Becky!"},
       {"1.2", "0002/7500/0100"}},
      {"an installed plug-in raises an older key and keeps a newer one",
       {{"Vintrell", "0000/0100 0003"}, {"Bar", "0009"}},
       {{"VINTRELL", "Ver.0.01 Rev.4"}, {"bar", "1.0"}},
       {"Vintrell", "Bar", "Becky!"},
       {"0000/0100 0004", "0009", "0002/7500/0100"}},
      {"two modules of one name: the first adds, the second can only raise",
       {},
       {{"Twin", "1.0"}, {"twin", "2.0"}, {"TWIN", "0.5"}},
       {"Becky!", "Twin"},
       {"0002/7500/0100", "0002/0000"}},
      {"a module that cannot answer",
       {},
       {{"(unknown)", "(unknown)"}},
       {"Becky!", "(unknown)"},
       {"0002/7500/0100", ""}},
      {"missing stored entries are empty entries",
       {{"", ""}, {"", ""}},
       {},
       {"", "", "Becky!"},
       {"", "", "0002/7500/0100"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Seeded seeded = Seed(row.stored, host, row.installed);
    EXPECT_EQ(seeded.names, row.names);
    EXPECT_EQ(seeded.versions, row.versions);
  }
}

TEST(WriteKnownSoftware, WritesTheWholeListInItsStoredForm) {
  KnownSoftware known(AsciiUpper);
  known.Add("Becky!", "0002/7500/0100");
  known.Add("Plug %1", "0000/0100 0004");
  SettingsTable table(LeadBytes::ShiftJis(), AsciiUpper);
  table.Load("Check\\BeckyOnly=Boolean:False\r\nPlugins\\Count=Integer:1\r\n");
  WriteKnownSoftware(known, [&](const std::string& path, const std::string& value, const Variant& v) {
    table.Write(path, value, v);
  });
  EXPECT_EQ(table.Save(),
            "Check\\BeckyOnly=Boolean:False\r\n"
            "Plugins\\Count=Integer:2\r\n"
            "Plugins\\0\\Name=String:Becky!\r\n"
            "Plugins\\0\\Version=String:0002/7500/0100\r\n"
            "Plugins\\1\\Name=String:Plug %%1\r\n"
            "Plugins\\1\\Version=String:0000/0100 0004\r\n");

  // What is written reads back as the same list.
  const Variant none = Variant::String("");
  const std::vector<StoredEntry> stored =
      ReadStoredEntries(ToInteger(table.Read("Plugins", "Count", Variant::Int32(0)), 0), table.RowCount(),
                        [&](const std::string& path, const std::string& value) {
                          return ToText(table.Read(path, value, none));
                        });
  KnownSoftware again(AsciiUpper);
  SeedKnownSoftware(again, stored, "9.9", {});
  EXPECT_EQ(again.KnownNames(), known.KnownNames());
  EXPECT_EQ(again.KnownVersions(), known.KnownVersions());
}

TEST(MailerFilter, BeckyOnlyOrEverything) {
  EXPECT_EQ(MailerFilter(true), "Becky");
  EXPECT_EQ(MailerFilter(false), "");
}

}  // namespace
}  // namespace quorvel
