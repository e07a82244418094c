#include "mail/version_watch.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "host_text.h"
#include "ascii_upper.h"

namespace quorvel {
namespace {

using Lines = std::vector<std::string>;

using quorvel::test::AsciiUpper;

std::string Message(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines)
    text += line + "\r\n";
  return text;
}

Lines LinesOf(const MessageLines& lines) {
  Lines all;
  for (size_t i = 0; i < lines.Count(); ++i)
    all.emplace_back(lines[i]);
  return all;
}

TEST(SplitEntryText, CutsAtTheFirstVerInAnyLetterCase) {
  struct Row {
    const char* entry;
    std::optional<std::pair<std::string, std::string>> split;
  };
  const Row rows[] = {
      {"Becky! ver. 2.05.07", {{"Becky!", "ver. 2.05.07"}}},
      {"Vintrell Ver.0.01 Rev.4", {{"Vintrell", "Ver.0.01 Rev.4"}}},
      {"Foo VER 1", {{"Foo", "VER 1"}}},
      {"Foo   vEr 1  ", {{"Foo", "vEr 1"}}},
      {"Two Words ver 1 ver 2", {{"Two Words", "ver 1 ver 2"}}},
      {"Foo version 3", {{"Foo", "version 3"}}},
      {"Foo\tver 1", std::nullopt},  // only a space counts in front of ver
      {"Foover 1", std::nullopt},
      {"ver 1", std::nullopt},
      {"Foo/1.0", std::nullopt},
      {"", std::nullopt},
      {"\x83\x76\x83\x89 ver 1", {{"\x83\x76\x83\x89", "ver 1"}}},  // プラ, whose first trail byte is a "v"
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.entry);
    const std::optional<SoftwareEntry> split = SplitEntryText(row.entry);
    ASSERT_EQ(split.has_value(), row.split.has_value());
    if (!split) continue;
    EXPECT_EQ(split->name, row.split->first);
    EXPECT_EQ(split->versionText, row.split->second);
  }
}

TEST(RecordSoftware, AddsNewNamesAndRaisesOlderKeys) {
  KnownSoftware known(AsciiUpper);
  known.Add("Foo", "0001/0000");
  Findings newNames, newer;
  struct Step {
    const char* name;
    const char* versionText;
    const char* newNames;
    const char* newer;
    const char* fooKey;
  };
  const Step steps[] = {
      {"foo", "ver 1.0", "", "", "0001/0000"},   // same version
      {"Foo", "ver 0.9", "", "", "0001/0000"},   // older
      {"FOO", "ver 1.0a", "", "", "0001/0000"},  // same key
      {"fOO", "ver 1.0.1", "", "fOO ver 1.0.1\r\n", "0001/0000/1000"},
      {"Bar", "Ver 2", "Bar Ver 2\r\n", "fOO ver 1.0.1\r\n", "0001/0000/1000"},
      {"bar", "ver 2", "Bar Ver 2\r\n", "fOO ver 1.0.1\r\n", "0001/0000/1000"},
      {"Baz", "ver x", "Bar Ver 2\r\nBaz ver x\r\n", "fOO ver 1.0.1\r\n", "0001/0000/1000"},
      {"baz", "ver 0.1", "Bar Ver 2\r\nBaz ver x\r\n", "fOO ver 1.0.1\r\nbaz ver 0.1\r\n", "0001/0000/1000"},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(std::string(step.name) + " " + step.versionText);
    RecordSoftware(step.name, step.versionText, known, newNames, newer);
    EXPECT_EQ(newNames.lines, step.newNames);
    EXPECT_EQ(newer.lines, step.newer);
    EXPECT_EQ(known.KnownVersions()[0], step.fooKey);
  }
  EXPECT_EQ(known.KnownNames(), (Lines{"Foo", "Bar", "Baz"}));
  EXPECT_EQ(known.KnownVersions(), (Lines{"0001/0000/1000", "0002", "0000/1000"}));
}

TEST(MarkFoldedLines, AppendsACommaToEachFoldedHeaderLine) {
  struct Row {
    const char* name;
    Lines message, marked;
  };
  const Row rows[] = {
      {"a TAB and a space continuation", {"X: a", "\tb", " c", "Y: d"}, {"X: a,", "\tb,", " c", "Y: d"}},
      {"a line already ending with a comma", {"X: a,", " b"}, {"X: a,", " b"}},
      {"a comma before trailing blanks", {"X: a, \t", " b"}, {"X: a, \t", " b"}},
      {"the last line is never marked", {"X: a", " b"}, {"X: a,", " b"}},
      {"no continuation", {"X: a", "Y: b"}, {"X: a", "Y: b"}},
      {"one line", {"X: a"}, {"X: a"}},
      {"stops at the empty line", {"X: a", "", "body", " indented"}, {"X: a", "", "body", " indented"}},
      {"stops at a line that is blank after trimming",
       {"X: a", "\x01", "Y: b", " c"},
       {"X: a", "\x01", "Y: b", " c"}},
      {"a blank continuation marks the line before it, then stops",
       {"X: a", " ", "Y: b", " c"},
       {"X: a,", " ", "Y: b", " c"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    MessageLines lines(Message(row.message));
    MarkFoldedLines(lines);
    EXPECT_EQ(LinesOf(lines), row.marked);
  }
}

// A retrieval: the known-software list as the load leaves it, and what the scans find.
class VersionWatch : public testing::Test {
 protected:
  VersionWatch() : known(AsciiUpper) {
    SeedKnownSoftware(known, {{"Known", "0001/0000"}}, "ver. 2.05.07", {{"Vintrell", "Ver.0.01 Rev.4"}});
  }

  void Scan(const Lines& message, const std::string& filter = "") {
    MessageLines lines(Message(message));
    ScanReceivedMessage(lines, filter, known, pending, AsciiUpper,
                        [&](const std::string& warning) { warnings.push_back(warning); });
  }

  KnownSoftware known;
  PendingTexts pending;
  Lines warnings;
};

TEST_F(VersionWatch, TheMailerFilterDecidesWhichMessagesAreRead) {
  struct Row {
    const char* name;
    std::string filter;
    Lines message;
    std::string newMailers, newPlugIns;
  };
  const std::string plugIns = "X-Mailer-Plugin: New Ver.1.0";
  const Row rows[] = {
      {"the host's mail", "Becky", {"X-Mailer: Becky! ver. 2.05.07", plugIns}, "", "New Ver.1.0\r\n"},
      {"another mail program", "Becky", {"X-Mailer: Other ver 1", plugIns}, "", ""},
      {"no X-Mailer", "Becky", {"From: a", plugIns}, "", ""},
      {"becky only in lower case", "Becky", {"X-Mailer: becky ver 1", plugIns}, "", ""},
      {"the filter anywhere in the value",
       "Becky",
       {"X-Mailer: Mail Becky ver 9", plugIns},
       "Mail Becky ver 9\r\n",
       "New Ver.1.0\r\n"},
      {"no filter: any mail program",
       "",
       {"X-Mailer: Other ver 1", plugIns},
       "Other ver 1\r\n",
       "New Ver.1.0\r\n"},
      {"no filter: no X-Mailer", "", {plugIns}, "", "New Ver.1.0\r\n"},
      {"no filter: a mail program without ver", "", {"X-Mailer: Foo/1.0", plugIns}, "", "New Ver.1.0\r\n"},
      {"only the header is read", "", {"From: a", "", plugIns}, "", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    KnownSoftware before = known;
    Scan(row.message, row.filter);
    EXPECT_EQ(pending.newMailers.lines, row.newMailers);
    EXPECT_EQ(pending.newPlugIns.lines, row.newPlugIns);
    EXPECT_EQ(pending.newMailerVersions.lines, "");
    EXPECT_EQ(pending.newPlugInVersions.lines, "");
    pending.Clear();
    known = before;
  }
}

TEST_F(VersionWatch, ReadsEachEntryOfThePlugInHeader) {
  struct Row {
    const char* name;
    Lines header;
    std::string newPlugIns;
  };
  const Row rows[] = {
      {"two entries, in order", {"X-Mailer-Plugin: A Ver.1.0, B Ver.2.0"}, "A Ver.1.0\r\nB Ver.2.0\r\n"},
      {"folded over three lines without commas",
       {"X-Mailer-Plugin: A ver 1", "\tB ver 2", " C ver 3"},
       "A ver 1\r\nB ver 2\r\nC ver 3\r\n"},
      {"folded after commas",
       {"X-Mailer-Plugin: A ver 1,", "\tB ver 2, ", " C ver 3"},
       "A ver 1\r\nB ver 2\r\nC ver 3\r\n"},
      {"empty entries and entries without ver",
       {"X-Mailer-Plugin: ,A ver 1,, Plain, ,B ver 2,"},
       "A ver 1\r\nB ver 2\r\n"},
      {"blanks around the entries", {"X-Mailer-Plugin:   A   ver 1  ,  B ver 2  "}, "A ver 1\r\nB ver 2\r\n"},
      {"the name of the first header",
       {"x-mailer-plugin: A ver 1", "X-Mailer-Plugin: B ver 2"},
       "A ver 1\r\n"},
      {"the module's own installed stamp is no news",
       {"X-Mailer-Plugin: Vintrell Ver.0.01 Rev.4, A ver 1"},
       "A ver 1\r\n"},
      {"a name met twice in one header is new once", {"X-Mailer-Plugin: A ver 1, a ver 1"}, "A ver 1\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    KnownSoftware before = known;
    Lines message = row.header;
    message.insert(message.begin(), "X-Mailer: Becky! ver. 2.05.07");
    Scan(message, "Becky");
    EXPECT_EQ(pending.newPlugIns.lines, row.newPlugIns);
    EXPECT_EQ(pending.newPlugInVersions.lines, "");
    EXPECT_EQ(pending.newMailers.lines, "");
    pending.Clear();
    known = before;
  }
}

TEST_F(VersionWatch, AFoldedMailerHeaderGetsTheCommaToo) {
  Scan({"X-Mailer: Foo ver 1.0", " (Windows)"});
  EXPECT_EQ(pending.newMailers.lines, "Foo ver 1.0,(Windows)\r\n");
  const size_t foo = known.Find("Foo");
  ASSERT_NE(foo, KnownSoftware::kNotFound);
  EXPECT_EQ(known.KnownVersions()[foo], "0001/0000");
}

TEST_F(VersionWatch, ReportsNewNamesOnceAndEachNewerVersion) {
  Scan({"X-Mailer: Becky! ver. 2.05.07", "X-Mailer-Plugin: New ver 1.0, Known ver 1.0"});
  Scan({"X-Mailer: Becky! ver. 2.05.07", "X-Mailer-Plugin: new ver 1.0, KNOWN ver 0.9"});
  Scan({"X-Mailer: becky! ver. 2.06", "X-Mailer-Plugin: NEW ver 1.1"});
  EXPECT_EQ(pending.newMailers.lines, "");
  EXPECT_EQ(pending.newMailerVersions.lines, "becky! ver. 2.06\r\n");
  EXPECT_EQ(pending.newPlugIns.lines, "New ver 1.0\r\n");
  EXPECT_EQ(pending.newPlugInVersions.lines, "NEW ver 1.1\r\n");
  EXPECT_EQ(known.KnownNames(), (Lines{"Known", "Becky!", "Vintrell", "New"}));
  EXPECT_EQ(known.KnownVersions(), (Lines{"0001/0000", "0002/0600", "0000/0100 0004", "0001/1000"}));
}

TEST_F(VersionWatch, MessagesWithoutFindingsAddNothing) {
  const Lines messages[] = {
      {},
      {""},
      {"From: a"},
      {"X-Mailer: Becky! ver. 2.05.07", "X-Mailer-Plugin: Vintrell Ver.0.01 Rev.4, Known ver 1.0"},
      {"X-Mailer: Becky! ver. 2.05", "X-Mailer-Plugin: Vintrell Ver.0.01 Rev.3"},  // older versions
      {"X-Mailer-Plugin: Plain, Other"},
  };
  for (const Lines& message : messages) {
    SCOPED_TRACE(Message(message));
    Scan(message);
    EXPECT_TRUE(pending.Empty());
  }
  EXPECT_EQ(known.Count(), 3u);
  EXPECT_EQ(warnings, Lines{});
}

TEST_F(VersionWatch, AMultipartWarningDoesNotStopTheScan) {
  Scan(
      {"Content-Type: multipart/mixed", "X-Mailer: Becky! ver. 2.05.07", "X-Mailer-Plugin: A ver 1", "", "x"},
      "Becky");
  EXPECT_EQ(warnings, Lines{"No boundary in Content-Type: multipart/mixed"});
  EXPECT_EQ(pending.newPlugIns.lines, "A ver 1\r\n");
}

TEST_F(VersionWatch, TheHostsTextIsScannedInPlaceAndNeverWritten) {
  const std::string text = Message({"X-Mailer: Becky! ver. 2.05.07", "X-Mailer-Plugin: A ver 1", "\tB ver 2",
                                    " C ver 3", "Content-Type: multipart/mixed; boundary=\"b\"", "", "--b",
                                    "Content-Type: image/png", "", std::string(100000, 'Q'), "--b--"});
  const HostText host(text);
  MessageLines lines(host.get());
  ScanReceivedMessage(lines, "Becky", known, pending, AsciiUpper,
                      [&](const std::string& warning) { warnings.push_back(warning); });
  EXPECT_EQ(pending.newPlugIns.lines, "A ver 1\r\nB ver 2\r\nC ver 3\r\n");
  EXPECT_EQ(warnings, Lines{});
  EXPECT_EQ(host.Bytes(), text);
  EXPECT_EQ(lines[1], "X-Mailer-Plugin: A ver 1,");
}

// What one stranger's message can add is bounded far above what real mail names; every real header
// is read whole.
TEST_F(VersionWatch, OneMessageAddsAtMostAHundredEntriesOfNamesThatFitARecord) {
  const auto entries = [](int from, int to) {
    std::string list;
    for (int i = from; i <= to; ++i)
      list += "Plug" + std::to_string(i) + " ver " + std::to_string(i % 7) + (i % 3 ? ", " : ",");
    return list;
  };
  const auto names = [](int from, int to) {
    Lines added;
    for (int i = from; i <= to; ++i)
      added.push_back("Plug" + std::to_string(i));
    return added;
  };
  const std::string longest(255, 'n'), tooLong(256, 'n');
  const std::string version255 = "ver" + std::string(252, '1'), version256 = "ver" + std::string(253, '1');
  struct Row {
    const char* name;
    Lines message;
    Lines added;  // to the known-software list, in order
  };
  const Row rows[] = {
      {"a header of 100 entries is read whole", {"X-Mailer-Plugin: " + entries(1, 100)}, names(1, 100)},
      {"of 101 entries the first 100", {"X-Mailer-Plugin: " + entries(1, 101)}, names(1, 100)},
      {"empty entries do not count",
       {"X-Mailer-Plugin: " + std::string(500, ',') + entries(1, 100)},
       names(1, 100)},
      {"entries without ver count", {"X-Mailer-Plugin: Plain, " + entries(1, 100)}, names(1, 99)},
      {"a name of 255 bytes", {"X-Mailer-Plugin: " + longest + " ver 1"}, {longest}},
      {"a name of 256 bytes is no program's",
       {"X-Mailer: " + tooLong + " ver 1", "X-Mailer-Plugin: " + tooLong + " ver 1, B ver 2"},
       {"B"}},
      {"a version text of 255 bytes", {"X-Mailer: Mail " + version255}, {"Mail"}},
      {"a version text of 256 bytes is no program's",
       {"X-Mailer: Mail " + version256, "X-Mailer-Plugin: A " + version256},
       {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const KnownSoftware before = known;
    Scan(row.message);
    EXPECT_EQ(
        Lines(known.KnownNames().begin() + static_cast<ptrdiff_t>(before.Count()), known.KnownNames().end()),
        row.added);
    const size_t reported =
        pending.newMailers.listed + pending.newPlugIns.listed + pending.newPlugIns.unlisted;
    EXPECT_EQ(reported, row.added.size()) << "each new name is reported";
    pending.Clear();
    known = before;
  }
}

// A notice lists at most fifty findings of a kind and counts the rest; every one is still known.
TEST_F(VersionWatch, FindingsBeyondFiftyAreCountedAndStillKnown) {
  std::string header = "X-Mailer-Plugin: ", expected;
  for (int i = 1; i <= 51; ++i) {
    header += "P" + std::to_string(i) + " ver 1, ";
    if (i <= static_cast<int>(kListedFindings)) expected += "P" + std::to_string(i) + " ver 1\r\n";
  }
  Scan({header});
  Scan({"X-Mailer-Plugin: Q ver 1"});
  EXPECT_EQ(pending.newPlugIns.lines, expected);
  EXPECT_EQ(pending.newPlugIns.listed, 50u);
  EXPECT_EQ(pending.newPlugIns.unlisted, 2u);
  EXPECT_NE(known.Find("P51"), KnownSoftware::kNotFound);
  EXPECT_NE(known.Find("Q"), KnownSoftware::kNotFound);
}

TEST_F(VersionWatch, OversizedAndOddMessagesAreReadToTheEnd) {
  const std::string megabyte(1 << 20, 'a');
  std::string attachment;  // 20 MB of base64 lines
  for (const std::string line(76, 'Q'); attachment.size() < 20u << 20;)
    attachment += line + "\r\n";
  std::string anyBytes;
  for (int byte = 1; byte < 256; ++byte)
    anyBytes += static_cast<char>(byte);
  struct Row {
    const char* name;
    std::string text;
    std::string newPlugIns;
  };
  const Row rows[] = {
      {"a 1 MB header line first", "X-Long: " + megabyte + "\r\nX-Mailer-Plugin: A ver 1\r\n\r\nbody\r\n",
       "A ver 1\r\n"},
      {"a 1 MB plug-in entry", "X-Mailer-Plugin: " + megabyte + ", B ver 2\r\n\r\n", "B ver 2\r\n"},
      {"a 1 MB folded header without an empty line",
       "X-Mailer-Plugin: C ver 3\r\n\t" + megabyte + "\r\n\tD ver 4", "C ver 3\r\nD ver 4\r\n"},
      {"a 20 MB attachment",
       "X-Mailer-Plugin: E ver 5\r\nContent-Type: multipart/mixed; boundary=\"b\"\r\n\r\n--b\r\n"
       "Content-Type: application/octet-stream\r\n\r\n" +
           attachment + "--b--\r\n",
       "E ver 5\r\n"},
      {"only an empty line", "\r\n", ""},
      {"nothing at all", "", ""},
      {"every byte value in the header", "X-Mailer-Plugin: F ver 6, " + anyBytes + "\r\n\r\n", "F ver 6\r\n"},
      {"a NUL ends the text", std::string("X-Mailer-Plugin: G ver 7\r\n") + '\0' + "X-Mailer: H ver 8\r\n",
       "G ver 7\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    pending.Clear();
    MessageLines lines(row.text);
    ScanReceivedMessage(lines, "", known, pending, AsciiUpper,
                        [&](const std::string& warning) { warnings.push_back(warning); });
    EXPECT_EQ(pending.newPlugIns.lines, row.newPlugIns);
    EXPECT_EQ(pending.newMailers.lines, "");
  }
  EXPECT_EQ(warnings, Lines{});
}

}  // namespace
}  // namespace quorvel
