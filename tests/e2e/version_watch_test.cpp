// The version watch in the stand-in host: retrieved mail is scanned, the known-software list is kept
// in the settings file, and the end of each retrieval shows one Japanese notice of what is new.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "module_fixture.h"

namespace e2e {
namespace {

struct Section {
  const char* heading;  // UTF-8
  std::vector<std::string> lines;
};

// The notice's lines as the host prints them: opening, each section with its closing line, an
// empty line after each section but the one of newer plug-in versions.
Lines Notice(const std::vector<Section>& sections) {
  Lines lines = {"message box: caption \"Vintrell\" icon information buttons OK owner none",
                 "| 今受信したメールによると、"};
  for (const Section& section : sections) {
    lines.push_back(std::string("| ") + section.heading);
    for (const std::string& line : section.lines)
      lines.push_back("| " + line);
    lines.push_back("| が出たようです。");
    // An empty line closes each section but that of newer plug-in versions, always the last.
    if (std::string(section.heading) != "プラグインの新しいバージョン") lines.push_back("|");
  }
  lines.push_back("|");  // the text's final CR LF
  return lines;
}

const char* const kNewMailers = "新しいメールソフト";
const char* const kNewMailerVersions = "メールソフトの新しいバージョン";
const char* const kNewPlugIns = "新しいプラグイン";
const char* const kNewPlugInVersions = "プラグインの新しいバージョン";

class VersionWatch : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    installation.InstallTestPlugin(PlugIns(), "Pinned.dll", "name=Pinned\nversion=Ver.1.5\n");
  }
  std::string Mail(const std::string& name, const std::string& headers,
                   const std::string& body = "Hello.\r\n") {
    installation.WriteFile(name, headers + "\r\n" + body);
    return name;
  }
  std::string Ini() const { return installation.ReadFile(PlugIns() + "Quorvel.ini"); }
};

TEST_F(VersionWatch, ARetrievalReportsWhatIsNewInOneNotice) {
  const std::string retrieved =
      Mail("1.eml",
           "From: a@example.com\r\nX-Mailer: Becky! ver. 2.90.01\r\n"
           "X-Mailer-Plugin: Pinned Ver.1.5, Quillet Ver.0.3\r\n"
           "Content-Type: multipart/mixed; boundary=\"b1\"\r\n") +
      "," +
      Mail("2.eml",
           "X-Mailer: Becky! ver. 2.90.01 (Japanese)\r\nX-Mailer-Plugin: Pinned Ver.1.6\r\n\tScrivel "
           "Ver.2.0\r\n"
           "\tQuillet Ver.0.2\r\n",
           "--b1\r\n") +
      "," + Mail("3.eml", "X-Mailer: Postwick Mail ver 3.2\r\nX-Mailer-Plugin: Other Ver.1\r\n");
  const HostRun run = Run({"-version:2.80.03", "start", "retrieve:" + retrieved});
  const auto boxes = MessageBoxes(run);
  ASSERT_EQ(boxes.size(), 1u) << run.output;
  EXPECT_EQ(boxes[0], Notice({{kNewMailerVersions, {"Becky! ver. 2.90.01"}},
                              {kNewPlugIns, {"Quillet Ver.0.3", "Scrivel Ver.2.0"}},
                              {kNewPlugInVersions, {"Pinned Ver.1.6"}}}))
      << "the filter keeps the third message out; the older Quillet is no news";
}

// A stranger's message naming thousands of plug-ins: the first hundred are read, the notice lists
// fifty and says how many more, and the settings file keeps the hundred.
TEST_F(VersionWatch, AMessageOfThousandsOfEntriesAddsAHundredAndTheNoticeListsFifty) {
  std::string header = "X-Mailer-Plugin: ";
  std::vector<std::string> listed;
  for (int i = 1; i <= 5000; ++i) {
    header += "Made" + std::to_string(i) + " Ver.1, ";
    if (i <= 50) listed.push_back("Made" + std::to_string(i) + " Ver.1");
  }
  listed.push_back("ほか 50 件");
  const HostRun run =
      Run({"start", "retrieve:" + Mail("1.eml", "X-Mailer: Becky! ver. 2.80.03\r\n" + header + "\r\n")});
  const auto boxes = MessageBoxes(run);
  ASSERT_EQ(boxes.size(), 1u) << run.output;
  EXPECT_EQ(boxes[0], Notice({{kNewPlugIns, listed}}));
  EXPECT_NE(Ini().find("Plugins\\Count=Integer:103\r\n"), std::string::npos)
      << "the host, two installed, 100";
  EXPECT_NE(Ini().find("=String:Made100\r\n"), std::string::npos);
  EXPECT_EQ(Ini().find("=String:Made101\r\n"), std::string::npos);
}

TEST_F(VersionWatch, NothingNewShowsNothing) {
  const HostRun run =
      Run({"start", "retrieve:" + Mail("1.eml",
                                       "X-Mailer: Becky! ver. 2.80.03\r\n"
                                       "X-Mailer-Plugin: Pinned Ver.1.5, Vintrell Ver.0.01 Rev.4\r\n")});
  EXPECT_TRUE(MessageBoxes(run).empty()) << run.output;
}

TEST_F(VersionWatch, TheFilterFollowsTheBeckyOnlyOption) {
  const std::string mail =
      Mail("1.eml", "X-Mailer: Postwick Mail ver 3.2\r\nX-Mailer-Plugin: Other Ver.1\r\n");
  installation.WriteFile(PlugIns() + "Quorvel.ini", "Check\\BeckyOnly=Boolean:False\r\n");
  const HostRun run = Run({"start", "retrieve:" + mail});
  const auto boxes = MessageBoxes(run);
  ASSERT_EQ(boxes.size(), 1u) << run.output;
  EXPECT_EQ(boxes[0], Notice({{kNewMailers, {"Postwick Mail ver 3.2"}}, {kNewPlugIns, {"Other Ver.1"}}}));
}

TEST_F(VersionWatch, JapaneseNamesAreReportedAsTheMessageWroteThem) {
  // Shift-JIS names, one of them with a trail byte that is a backslash (表).
  const std::string mailer = InCodePage("電信メール", 932), plugIn = InCodePage("表計算", 932);
  installation.WriteFile(PlugIns() + "Quorvel.ini", "Check\\BeckyOnly=Boolean:False\r\n");
  const HostRun run = Run(
      {"start", "retrieve:" + Mail("1.eml", "X-Mailer: " + mailer + " ver 1.0\r\nX-Mailer-Plugin: " + plugIn +
                                                " Ver.2, Quillet Ver.0.3\r\n")});
  const auto boxes = MessageBoxes(run);
  ASSERT_EQ(boxes.size(), 1u) << run.output;
  EXPECT_EQ(boxes[0], Notice({{kNewMailers, {ShownJapanese("電信メール") + " ver 1.0"}},
                              {kNewPlugIns, {ShownJapanese("表計算") + " Ver.2", "Quillet Ver.0.3"}}}));
  EXPECT_NE(Ini().find("=String:" + plugIn + "\r\n"), std::string::npos) << "kept in the settings file";
}

TEST_F(VersionWatch, TheSettingsFileAfterTheFirstScannedMessage) {
  const HostRun run = Run({"-version:2.80.03", "start",
                           "retrieve:" + Mail("1.eml",
                                              "X-Mailer: Becky! ver. 2.80.03\r\n"
                                              "X-Mailer-Plugin: Quillet Ver.0.3\r\n")});
  EXPECT_EQ(SplitLines(Ini()), (Lines{
                                   "Plugins\\Count=Integer:4",
                                   "Plugins\\0\\Name=String:Becky!",
                                   "Plugins\\0\\Version=String:0002/8000/0300",
                                   "Plugins\\1\\Name=String:Pinned",
                                   "Plugins\\1\\Version=String:0001/5000",
                                   "Plugins\\2\\Name=String:Vintrell",
                                   "Plugins\\2\\Version=String:0000/0100 0004",
                                   "Plugins\\3\\Name=String:Quillet",
                                   "Plugins\\3\\Version=String:0000/3000",
                               }))
      << "the host, the installed plug-ins, then what the message named";
}

TEST_F(VersionWatch, ASecondMainMenuBuildChangesNothingAndAMessageBeforeTheFirstLoadsTheList) {
  const std::string mail =
      Mail("1.eml", "X-Mailer: Becky! ver. 2.80.03\r\nX-Mailer-Plugin: Quillet Ver.0.3\r\n");
  const HostRun early = Run({"-trace", "retrieve:" + mail, "start", "start", "retrieve:" + mail});
  const auto boxes = MessageBoxes(early);
  ASSERT_EQ(boxes.size(), 1u) << early.output;
  EXPECT_EQ(boxes[0], Notice({{kNewPlugIns, {"Quillet Ver.0.3"}}}))
      << "reported once, at the first retrieval";
  EXPECT_NE(Ini().find("Plugins\\Count=Integer:4\r\n"), std::string::npos) << Ini();
  EXPECT_EQ(WithPrefix(early.Lines(), "  api BKA_GetVersion(").size(), 1u)
      << "the list is loaded and seeded once, by the early message\n"
      << early.output;
}

TEST_F(VersionWatch, WhatARetrievalInsideTheNoticeFindsWaitsForItsOwnNotice) {
  // The host's callbacks can come while the notice is open; what they find is not lost when the
  // notice closes, and what the notice shows is not shown again.
  const std::string first =
      Mail("1.eml", "X-Mailer: Becky! ver. 2.80.03\r\nX-Mailer-Plugin: Quillet Ver.0.3\r\n");
  const std::string second =
      Mail("2.eml", "X-Mailer: Becky! ver. 2.80.03\r\nX-Mailer-Plugin: Scrivel Ver.2.0\r\n");
  const HostRun run = Run({"start", "in-box:retrieve:" + second, "retrieve:" + first});
  const auto boxes = MessageBoxes(run);
  ASSERT_EQ(boxes.size(), 2u) << run.output;
  EXPECT_EQ(boxes[0], Notice({{kNewPlugIns, {"Quillet Ver.0.3"}}}));
  EXPECT_EQ(boxes[1], Notice({{kNewPlugIns, {"Scrivel Ver.2.0"}}}));
}

TEST_F(VersionWatch, AMessageRetrievedInsideTheMultipartWarningLeavesTheScanWhole) {
  // Folded headers make the scan work on a copy of the message's lines; the warning's message loop
  // lets the host hand over the next message, whose scan must not pull those lines away.
  const std::string first = Mail("1.eml",
                                 "Received: from a\r\n\tby b\r\nX-Mailer: Becky! ver. 2.80.03\r\n"
                                 "Content-Type: multipart/mixed\r\nX-Mailer-Plugin: Quillet Ver.0.3\r\n");
  const std::string second =
      Mail("2.eml",
           "Received: from a much longer relay name than the first message has\r\n\tby c\r\n"
           "\tfor d\r\nX-Mailer: Becky! ver. 2.80.03\r\nX-Mailer-Plugin: Scrivel Ver.2.0\r\n"
           "Subject: a longer header than the first message has, to need a larger copy\r\n");
  const HostRun run = Run({"start", "in-box:retrieve:" + second, "retrieve:" + first});
  const auto boxes = MessageBoxes(run);
  ASSERT_EQ(boxes.size(), 2u) << run.output;
  EXPECT_EQ(boxes[0], (Lines{"message box: caption \"\" icon warning buttons OK owner none",
                             "| No boundary in Content-Type: multipart/mixed"}));
  EXPECT_EQ(boxes[1], Notice({{kNewPlugIns, {"Quillet Ver.0.3", "Scrivel Ver.2.0"}}}))
      << "the first message was read whole before its warning";
}

// A message that finds nothing costs no look at the disk; the end of the retrieval looks, and writes
// again a settings file that has gone.
TEST_F(VersionWatch, ASettingsFileThatHasGoneIsWrittenAgainAtTheEndOfTheRetrieval) {
  const std::string mail =
      Mail("1.eml", "X-Mailer: Becky! ver. 2.80.03\r\nX-Mailer-Plugin: Quillet Ver.0.3\r\n");
  const std::string ini = PlugIns() + "Quorvel.ini";
  const HostRun run =
      Run({"start", "retrieve:" + mail, "delete-file:" + ini, "retrieve:" + mail + "," + mail});
  EXPECT_EQ(MessageBoxes(run).size(), 1u) << run.output;
  EXPECT_NE(Ini().find("=String:Quillet\r\n"), std::string::npos) << run.output;
}

TEST_F(VersionWatch, KnownSoftwareSurvivesTheHostsExit) {
  const std::string mail =
      Mail("1.eml", "X-Mailer: Becky! ver. 2.80.03\r\nX-Mailer-Plugin: Quillet Ver.0.3\r\n");
  EXPECT_EQ(MessageBoxes(Run({"start", "retrieve:" + mail})).size(), 1u);
  EXPECT_TRUE(MessageBoxes(Run({"start", "retrieve:" + mail})).empty()) << "known from the settings file";
}

TEST_F(VersionWatch, MultipartWithoutBoundaryWarnsAndTheHeadersAreStillRead) {
  const HostRun run =
      Run({"start", "retrieve:" + Mail("1.eml",
                                       "X-Mailer: Becky! ver. 2.80.03\r\nContent-Type: multipart/mixed\r\n"
                                       "X-Mailer-Plugin: Quillet Ver.0.3\r\n")});
  const auto boxes = MessageBoxes(run);
  ASSERT_EQ(boxes.size(), 2u) << run.output;
  EXPECT_EQ(boxes[0], (Lines{"message box: caption \"\" icon warning buttons OK owner none",
                             "| No boundary in Content-Type: multipart/mixed"}));
  EXPECT_EQ(boxes[1], Notice({{kNewPlugIns, {"Quillet Ver.0.3"}}}));
}

TEST_F(VersionWatch, AnInertModuleScansNothing) {
  installation.UseHost("B2-lacking.exe");
  const HostRun run = Run({"start", "retrieve:" + Mail("1.eml", "X-Mailer: Becky! ver. 2.90\r\n")});
  const auto boxes = MessageBoxes(run);
  ASSERT_EQ(boxes.size(), 1u) << "only the mismatch warning";
  EXPECT_FALSE(installation.FileExists(PlugIns() + "Quorvel.ini"));
}

// The host lends the source of a mail for one call: the command gives it back at once, and copies
// the mail's id, which stays the host's only until its next call. The stand-in host fails the run
// (exit code 4) when a text is never given back, given back twice, or read after its time.
TEST_F(VersionWatch, TheTestCommandScansTheCurrentMailAtOnceAndGivesItsSourceBack) {
  const std::string mail =
      Mail("current.eml", "X-Mailer: Becky! ver. 2.80.03\r\nX-Mailer-Plugin: Quillet Ver.0.3\r\n");
  struct Row {
    const char* name;
    std::string current;
    std::vector<Lines> boxes;
    std::string givenBack;
  };
  const Row rows[] = {
      {"a current mail", mail, {Notice({{kNewPlugIns, {"Quillet Ver.0.3"}}})}, "<75 bytes>"},
      {"no current mail", "", {}, "<0 bytes>"},
  };
  const std::string choose = "choose:テスト（プラグインリスト）";
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const HostRun run = Run({"-trace", "/TESTMODE", "start", "mail:" + row.current, choose, "exit"});
    EXPECT_EQ(MessageBoxes(run), row.boxes) << run.output;
    const Lines calls = WithPrefix(StepOutput(run, choose), "  api ");
    ASSERT_EQ(calls.size(), 3u) << run.output;
    EXPECT_EQ(calls[0].rfind("  api BKA_GetCurrentMail() -> ", 0), 0u) << calls[0];
    EXPECT_EQ(calls[1].rfind("  api BKA_GetSource(", 0), 0u) << calls[1];
    EXPECT_EQ(calls[2], "  api BKA_Free(" + row.givenBack + ") -> done");
  }
  EXPECT_NE(Ini().find("Quillet"), std::string::npos) << "saved";
}

TEST_F(VersionWatch, TheTestCommandShowsItsNoticeBeforeItSaves) {
  const std::string mail =
      Mail("current.eml", "X-Mailer: Becky! ver. 2.80.03\r\nX-Mailer-Plugin: Quillet Ver.0.3\r\n");
  const std::string ini = PlugIns() + "Quorvel.ini";
  const HostRun run = Run({"/TESTMODE", "start", "mail:" + mail, "in-box:print-file:" + ini,
                           "choose:テスト（プラグインリスト）", "print-file:" + ini});
  const Lines printed = WithPrefix(run.Lines(), "file " + ini + ": ");
  ASSERT_EQ(printed.size(), 2u) << run.output;
  EXPECT_EQ(printed[0], "file " + ini + ": none") << "nothing saved while the notice is open";
  EXPECT_NE(printed[1].find("Quillet"), std::string::npos) << "saved once it is closed: " << printed[1];
}

}  // namespace
}  // namespace e2e
