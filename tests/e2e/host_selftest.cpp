// Tests of the stand-in host B2.exe itself, driven through the e2e harness with the test plug-ins.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/host_api_names.h"
#include "host_session.h"
#include "pe_image.h"

namespace {

using e2e::HasLine;
using e2e::HostRun;
using e2e::Installation;
using e2e::Lines;
using e2e::SplitLines;
using e2e::StepOutput;
using e2e::WithPrefix;

std::string PlugIns(const Installation& installation) {
  return installation.ProgramFolder() + "PlugIns\\";
}

// A plug-in that logs to the shared log.txt of the program folder, its lines tagged with `tag`.
std::string Logging(const std::string& tag, const std::string& more = "") {
  return "log=log.txt\ntag=" + tag + "\n" + more;
}

Lines LogLines(const Installation& installation) {
  return SplitLines(installation.ReadFile("log.txt"));
}

// ---------------------------------------------------------------------------------------------
// Export tables, read from the PE files of the build.

std::string BuiltFile(const std::string& name) {
  return e2e::ReadWholeFile(e2e::BuildFolder() + name);
}

std::set<std::string> HostApiNamesExcept(const std::string& missing) {
  std::set<std::string> names(quorvel::kHostApiNames.begin(), quorvel::kHostApiNames.end());
  names.erase(missing);
  return names;
}

TEST(Exports, EachBuiltBinaryExportsExactlyItsNames) {
  const std::set<std::string> plugInExports = {
      "BKC_OnStart",      "BKC_OnExit",     "BKC_OnMenuInit",       "BKC_OnOpenCompose",
      "BKC_OnOutgoing",   "BKC_OnRetrieve", "BKC_OnFinishRetrieve", "BKC_OnPlugInSetup",
      "BKC_OnPlugInInfo", "NeverPrecede",   "NeverFollow"};
  std::set<std::string> withoutInfo = plugInExports;
  withoutInfo.erase("BKC_OnPlugInInfo");
  struct Case {
    std::string file;
    std::set<std::string> names;
    size_t count;
  } cases[] = {
      {"B2.exe", HostApiNamesExcept(""), 52},
      {"B2-lacking.exe", HostApiNamesExcept("BKA_MIMEHeader"), 51},
      {"TestPlugin.dll", plugInExports, 11},
      {"NoInfoPlugin.dll", withoutInfo, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const auto image = quorvel::test::ReadPeImage(BuiltFile(c.file));
    ASSERT_TRUE(image);
    std::set<std::string> names;
    for (const auto& [name, ordinal] : image->exportOrdinals)
      names.insert(name);
    EXPECT_EQ(image->exportOrdinals.size(), c.count);
    EXPECT_EQ(names, c.names);
  }
}

// ---------------------------------------------------------------------------------------------
// Loading plug-ins.

TEST(Loading, ProgramFolderThenDataFolderEachSortedWithoutCase) {
  Installation host;
  host.InstallTestPlugin(PlugIns(host), "b.dll", Logging("b"));
  host.InstallTestPlugin(PlugIns(host), "A.DLL", Logging("A"));
  host.InstallTestPlugin(PlugIns(host), "C.Dll", Logging("C"));
  host.InstallTestPlugin(host.DataFolder() + "PlugIns\\", "0.dll", Logging("0"));
  // Neither a folder named like a DLL nor a file of another type is loaded.
  host.InstallTestPlugin(PlugIns(host) + "sub.dll\\", "inner.dll", Logging("inner"));
  host.InstallTestPlugin(PlugIns(host), "notes.dllx", Logging("notes"));

  HostRun run = host.Run({"start", "exit"});
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(WithPrefix(run.Lines(), "loaded plug-in "),
            (Lines{"loaded plug-in A.DLL", "loaded plug-in b.dll", "loaded plug-in C.Dll",
                   "loaded plug-in 0.dll"}));
  EXPECT_EQ(run.Lines().back(), "host exits");
  EXPECT_EQ(LogLines(host),
            (Lines{"A: attach",           "b: attach",           "C: attach",           "0: attach",
                   "A: BKC_OnMenuInit 0", "b: BKC_OnMenuInit 0", "C: BKC_OnMenuInit 0", "0: BKC_OnMenuInit 0",
                   "A: BKC_OnStart",      "b: BKC_OnStart",      "C: BKC_OnStart",      "0: BKC_OnStart",
                   "A: BKC_OnExit",       "b: BKC_OnExit",       "C: BKC_OnExit",       "0: BKC_OnExit",
                   "0: detach",           "C: detach",           "b: detach",           "A: detach"}));
}

TEST(Loading, AFolderThatIsBothProgramAndDataFolderIsScannedOnce) {
  Installation host;
  host.InstallTestPlugin(PlugIns(host), "Once.dll", Logging("once"));
  std::string programFolderWithoutSlash = host.ProgramFolder().substr(0, host.ProgramFolder().size() - 1);
  HostRun run = host.Run({"-data:" + programFolderWithoutSlash});
  EXPECT_EQ(WithPrefix(run.Lines(), "loaded plug-in "), Lines{"loaded plug-in Once.dll"}) << run.output;
  EXPECT_EQ(WithPrefix(LogLines(host), "once: attach"), Lines{"once: attach"});
}

TEST(Loading, NoLoadPinNamesThePlugInsToSkip) {
  struct Case {
    std::string option;
    Lines skipped;
  } cases[] = {
      {"-noloadpin-none", {}},
      {"-noloadpin:b.dll", {"B.dll"}},
      {"-noloadpin:x.dll/a.DLL/bb.dll", {"A.dll", "BB.dll"}},
      {"-noloadpin:/B.DLL/", {"B.dll"}},
      {"-noloadpin:BB", {}},           // a part of a name is no name
      {"-noloadpin:A.dll B.dll", {}},  // only "/" separates
      {"-noloadpin-expand:A.dll", {"A.dll"}},
      {"-noloadpin-dword:1", {}},  // a number is no list of names
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.option);
    Installation host;
    for (const char* name : {"A.dll", "B.dll", "BB.dll"})
      host.InstallTestPlugin(PlugIns(host), name, Logging(name));
    HostRun run = host.Run({c.option});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    Lines notLoaded, attached;
    for (const std::string& name : c.skipped)
      notLoaded.push_back("not loaded (NoLoadPin): " + name);
    EXPECT_EQ(WithPrefix(run.Lines(), "not loaded"), notLoaded);
    for (const char* name : {"A.dll", "B.dll", "BB.dll"}) {
      bool skipped = std::find(c.skipped.begin(), c.skipped.end(), name) != c.skipped.end();
      EXPECT_EQ(HasLine(run.Lines(), std::string("loaded plug-in ") + name), !skipped) << name;
      EXPECT_EQ(HasLine(LogLines(host), std::string(name) + ": attach"), !skipped) << name;
    }
  }
}

TEST(Loading, APlugInThatCannotLoadIsReported) {
  Installation host;
  host.WriteFile(PlugIns(host) + "Broken.dll", "this is not a DLL");
  HostRun run = host.Run({"exit"});
  EXPECT_TRUE(HasLine(run.Lines(), "cannot load Broken.dll")) << run.output;
  EXPECT_EQ(run.exitCode, 0);
}

TEST(Loading, PlugInPathsGoThroughTheAnsiCodePage) {
  // As in the mail client, LoadLibraryA: a name the code page cannot spell cannot be loaded.
  Installation host;
  host.InstallTestPlugin(PlugIns(host), "日本語.dll", Logging("ja"));
  HostRun run = host.Run({"exit"});
  bool spelled = GetACP() == 932;
  EXPECT_EQ(HasLine(run.Lines(), "loaded plug-in 日本語.dll"), spelled) << run.output;
  EXPECT_EQ(HasLine(run.Lines(), "cannot load 日本語.dll"), !spelled) << run.output;
  EXPECT_EQ(HasLine(LogLines(host), "ja: attach"), spelled);
}

// ---------------------------------------------------------------------------------------------
// Compose windows and sending.

TEST(Compose, StampingPlugInsEachAddAnEntryWhenSending) {
  Installation host;
  host.InstallTestPlugin(PlugIns(host), "Alpha.dll", "stamp=Alpha 1.0\n");
  host.InstallTestPlugin(PlugIns(host), "Beta.dll", "stamp=Beta 2.0\n");
  HostRun run = host.Run({"start", "compose:From=a@example.com|Subject=Hello\\|World", "headers", "send",
                          "headers", "close", "exit"});
  EXPECT_EQ(run.exitCode, 0) << run.output;
  Lines lines = run.Lines();
  auto before = std::find(lines.begin(), lines.end(), "> headers");
  ASSERT_NE(before, lines.end());
  EXPECT_EQ(Lines(before + 1, before + 3),
            (Lines{"  From: \"a@example.com\"", "  Subject: \"Hello|World\""}));
  EXPECT_EQ(StepOutput(run, "send"),
            (Lines{"sent message:", "  From: a@example.com", "  Subject: Hello|World",
                   "  X-Mailer-Plugin: Alpha 1.0,", "  \tBeta 2.0", "  "}));
  auto after = std::find(before + 1, lines.end(), "> headers");
  ASSERT_NE(after, lines.end());
  EXPECT_EQ(*(after + 3), "  X-Mailer-Plugin: \"Alpha 1.0,\\r\\n\\tBeta 2.0\"");
}

TEST(Compose, AnExistingHeaderKeepsItsPlaceWhenAStampIsAdded) {
  Installation host;
  host.InstallTestPlugin(PlugIns(host), "Alpha.dll", "stamp=Alpha 1.0\n");
  HostRun run = host.Run({"compose:x-mailer-plugin=Other 3|Subject=S", "send", "headers"});
  EXPECT_EQ(StepOutput(run, "headers"),
            (Lines{"  x-mailer-plugin: \"Other 3,\\r\\n\\tAlpha 1.0\"", "  Subject: \"S\""}))
      << run.output;
}

TEST(Compose, HeaderStepReplacesInPlaceAppendsAndRemoves) {
  Installation host;
  HostRun run = host.Run({"compose:A=1|B=2|C=3", "header:b=two", "header:D=4",
                          "header:A=", "header:E=x\\ty\\x01\\x7F\"\\\\", "headers"});
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(StepOutput(run, "headers"),
            (Lines{"  B: \"two\"", "  C: \"3\"", "  D: \"4\"", "  E: \"x\\ty\\x01\\x7F\\\"\\\\\""}));
}

TEST(Compose, ReadingAHeaderCopiesAtMostSizeMinusOneBytes) {
  struct Case {
    int size;
    std::string stamped;
  } cases[] = {
      {100, "abcdef,\\r\\n\\tS"},
      {7, "abcdef,\\r\\n\\tS"},
      {6, "abcde,\\r\\n\\tS"},
      {1, "S"},  // nothing but the NUL fits, so the header reads as empty
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    Installation host;
    host.InstallTestPlugin(PlugIns(host), "Stamp.dll",
                           "stamp=S\nstamp-buffer=" + std::to_string(c.size) + "\n");
    HostRun run = host.Run({"compose:X-Mailer-Plugin=abcdef", "send", "headers"});
    EXPECT_EQ(StepOutput(run, "headers"), Lines{"  X-Mailer-Plugin: \"" + c.stamped + "\""}) << run.output;
  }
}

TEST(Compose, EditPasteIsCarriedOutThroughTheWindowsMessageQueue) {
  struct Case {
    std::string cfg;
    std::string body;
  } cases[] = {
      {"paste-on-open=1\n", "  body: \"first\\r\\nline\""},
      // The plug-in changes the clipboard right after asking; the paste happens later and sees that.
      {"paste-on-open=1\nclipboard-after-paste=later\n", "  body: \"later\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cfg);
    Installation host;
    host.InstallTestPlugin(PlugIns(host), "Paste.dll", c.cfg);
    HostRun run = host.Run({"clipboard:first\\r\\nline", "compose", "body", "print-clipboard"});
    EXPECT_EQ(StepOutput(run, "body"), Lines{c.body}) << run.output;
  }
}

TEST(Compose, StepsThatNeedAComposeWindowFailWithoutOne) {
  Installation host;
  HostRun run = host.Run({"compose", "close", "headers", "send"});
  EXPECT_EQ(StepOutput(run, "headers"), Lines{"no compose window"});
  EXPECT_EQ(StepOutput(run, "send"), Lines{"no compose window"});
  EXPECT_EQ(run.exitCode, 2);
}

// ---------------------------------------------------------------------------------------------
// Message boxes and dialogs.

TEST(MessageBoxes, EachIsPrintedAndClosedWithItsUsualButton) {
  struct Case {
    std::string file;
    std::string type;
    std::string caption;
    std::string text;
    Lines printed;
    std::string answer;
  } cases[] = {
      {"P1.dll",
       "0x30",
       "Say \"hi\"",
       "one\r\ntwo\r\n",
       {"message box: caption \"Say \\\"hi\\\"\" icon warning buttons OK owner none", "| one", "| two", "|"},
       "1"},
      {"P2.dll",
       "0x41",
       "Info",
       "a\n\nb",
       {"message box: caption \"Info\" icon information buttons OK Cancel owner none", "| a", "|", "| b"},
       "1"},
      {"P3.dll",
       "0x24",
       "Ask",
       "Sure?",
       {"message box: caption \"Ask\" icon question buttons Yes No owner none", "| Sure?"},
       "6"},
      {"P4.dll",
       "0x12",
       "Bad",
       "Failed",
       {"message box: caption \"Bad\" icon error buttons Abort Retry Ignore owner none", "| Failed"},
       "3"},
      {"P5.dll",
       "0x3",
       "Plain",
       "",
       {"message box: caption \"Plain\" icon none buttons Yes No Cancel owner none", "|"},
       "2"},
  };
  Installation host;
  for (const Case& c : cases) {
    host.InstallTestPlugin(
        PlugIns(host), c.file,
        Logging(c.file, "box-type=" + c.type + "\nbox-caption=" + e2e::CfgValue(c.caption) +
                            "\nbox-text=" + e2e::CfgValue(c.text) + "\n"));
  }
  HostRun run = host.Run({"exit"});
  Lines lines = run.Lines();
  Lines log = LogLines(host);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    auto loaded = std::find(lines.begin(), lines.end(), "loaded plug-in " + c.file);
    ASSERT_NE(loaded, lines.end()) << run.output;
    ASSERT_GE(loaded - lines.begin(), static_cast<long>(c.printed.size()));
    EXPECT_EQ(Lines(loaded - c.printed.size(), loaded), c.printed);
    EXPECT_TRUE(HasLine(log, c.file + ": box answered " + c.answer));
  }
}

TEST(MessageBoxes, OwnersAnswersAndDialogs) {
  Installation host;
  host.InstallTestPlugin(PlugIns(host), "Setup.dll",
                         Logging("setup", "box-on=setup\nbox-type=0x24\nbox-caption=Setup\nbox-text=Go?\n"));
  host.InstallTestPlugin(PlugIns(host), "Compose.dll",
                         Logging("compose",
                                 "compose-command=Check\nbox-on=command\nbox-caption=Checked\n"
                                 "dialog-caption=Details\n"));
  HostRun run = host.Run({"start", "answer:No", "setup:Setup.dll", "compose", "choose-compose:ツール>Check"});
  EXPECT_EQ(StepOutput(run, "setup:Setup.dll"),
            (Lines{"message box: caption \"Setup\" icon question buttons Yes No owner main window", "| Go?",
                   "setup returned 1"}))
      << run.output;
  EXPECT_EQ(StepOutput(run, "choose-compose:ツール>Check"),
            (Lines{"message box: caption \"Checked\" icon warning buttons OK owner compose window", "|",
                   "dialog: caption \"Details\""}));
  Lines log = LogLines(host);
  EXPECT_TRUE(HasLine(log, "setup: box answered 7"));
  EXPECT_TRUE(HasLine(log, "compose: dialog ended 2"));
}

TEST(MessageBoxes, ACaptionInTheCodePageIsPrintedAsText) {
  // テスト in Shift-JIS; under code page 1252 the same bytes are other characters.
  Installation host;
  host.InstallTestPlugin(PlugIns(host), "Ja.dll", "box-caption=\\x83\\x65\\x83\\x58\\x83\\x67\nbox-text=x\n");
  HostRun run = host.Run({"exit"});
  std::string caption = GetACP() == 932 ? "テスト" : "ƒeƒXƒg";
  EXPECT_TRUE(
      HasLine(run.Lines(), "message box: caption \"" + caption + "\" icon warning buttons OK owner none"))
      << run.output;
}

// ---------------------------------------------------------------------------------------------
// Menus and commands.

const Lines kJapaneseMainMenu = {"main window menu:",
                                 "  ファイル(&F)",
                                 "    受信(&R)",
                                 "    送信(&S)",
                                 "    ----",
                                 "    印刷(&P)...",
                                 "    ----",
                                 "    終了(&X)",
                                 "  編集(&E)",
                                 "    コピー(&C)",
                                 "    貼り付け(&P)",
                                 "    ----",
                                 "    すべて選択(&A)",
                                 "    検索(&F)...",
                                 "  表示(&V)",
                                 "    ツールバー(&T)",
                                 "    ステータスバー(&S)",
                                 "    ----",
                                 "    最新の情報に更新(&R)",
                                 "  メール(&M)",
                                 "    新規作成(&N)",
                                 "    返信(&R)",
                                 "    転送(&F)",
                                 "  ツール(&T)",
                                 "    アドレス帳(&A)",
                                 "    振り分け設定(&F)...",
                                 "    ----",
                                 "    オプション(&O)...",
                                 "  ヘルプ(&H)",
                                 "    目次(&C)",
                                 "    ----",
                                 "    Becky!について(&A)"};

TEST(Menus, TheMainMenuBarInEachLanguageAndShape) {
  Lines english = {"main window menu:", "  &File",
                   "    &Receive",      "    &Send",
                   "    ----",          "    &Print...",
                   "    ----",          "    E&xit",
                   "  &Edit",           "    &Copy",
                   "    &Paste",        "    ----",
                   "    Select &All",   "    &Find...",
                   "  &View",           "    &Toolbar",
                   "    &Status Bar",   "    ----",
                   "    &Refresh",      "  &Mail",
                   "    &New Message",  "    &Reply",
                   "    &Forward",      "  &Tool",
                   "    &Address Book", "    &Filtering Manager...",
                   "    ----",          "    &Options...",
                   "  &Help",           "    &Contents",
                   "    ----",          "    &About \"Becky!\""};
  Lines trimmed = kJapaneseMainMenu;
  trimmed.erase(std::find(trimmed.begin(), trimmed.end(), "  ツール(&T)"),
                std::find(trimmed.begin(), trimmed.end(), "  ヘルプ(&H)"));
  trimmed.pop_back();
  struct Case {
    std::vector<std::string> options;
    Lines tree;
  } cases[] = {
      {{}, kJapaneseMainMenu},
      {{"-menus:en"}, english},
      {{"-menu-no-tool", "-menu-no-about"}, trimmed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.options.empty() ? "default" : c.options[0]);
    Installation host;
    std::vector<std::string> arguments = c.options;
    arguments.push_back("menus");
    HostRun run = host.Run(arguments);
    EXPECT_EQ(StepOutput(run, "menus"), c.tree) << run.output;
  }
}

TEST(Menus, PlugInCommandsAreListedShownAndRunWhenChosen) {
  Installation host;
  host.InstallTestPlugin(
      PlugIns(host), "Alpha.dll",
      Logging("alpha", "command=Run Alpha\ncommand-bitmap=1\ncompose-command=In Compose\n"));
  HostRun run = host.Run({"start", "menus", "compose", "compose-menus", "commands", "choose:ツール>Run Alpha",
                          "choose:ツール(&T)>Run", "choose:ツール>オプション", "choose:ツール>Nothing",
                          "choose-compose:Tool>In", "choose-compose:ヘルプ>目次"});
  EXPECT_EQ(run.exitCode, 0) << run.output;
  Lines menus = StepOutput(run, "menus");
  Lines expected = kJapaneseMainMenu;
  expected.insert(std::find(expected.begin(), expected.end(), "  ヘルプ(&H)"),
                  "    Run Alpha [bitmap] -> \"Run Alpha\"");
  EXPECT_EQ(menus, expected);
  EXPECT_TRUE(HasLine(StepOutput(run, "compose-menus"), "    In Compose [bitmap] -> \"In Compose\""));
  EXPECT_EQ(StepOutput(run, "commands"), (Lines{"  40001 \"Run Alpha\" window type 0 by Alpha.dll",
                                                "  40002 \"In Compose\" window type 10 by Alpha.dll"}));
  EXPECT_EQ(StepOutput(run, "choose:ツール>オプション"), Lines{"host command 1503"});
  EXPECT_EQ(StepOutput(run, "choose:ツール>Nothing"), Lines{"menu item not found: ツール>Nothing"});
  EXPECT_EQ(StepOutput(run, "choose-compose:Tool>In"), Lines{"menu item not found: Tool>In"});
  EXPECT_EQ(StepOutput(run, "choose-compose:ヘルプ>目次"), Lines{"host command 2401"});
  EXPECT_EQ(WithPrefix(LogLines(host), "alpha: command"),
            (Lines{"alpha: command Run Alpha", "alpha: command Run Alpha"}));
}

TEST(Menus, AGrayedItemCannotBeChosen) {
  Installation host;
  host.InstallTestPlugin(PlugIns(host), "Gray.dll", Logging("gray", "command=Grayed\ncommand-grayed=1\n"));
  HostRun run = host.Run({"start", "choose:ツール>Grayed"});
  EXPECT_EQ(StepOutput(run, "choose:ツール>Grayed"), Lines{"menu item disabled: ツール>Grayed"})
      << run.output;
  EXPECT_TRUE(WithPrefix(LogLines(host), "gray: command").empty());
}

// ---------------------------------------------------------------------------------------------
// The other steps and the host API behind them.

TEST(Steps, RetrievedAndCurrentMailReachThePlugIns) {
  Installation host;
  host.WriteFile("one.eml", "Subject: one\r\n\r\nbody\r\n");
  host.WriteFile("two.eml", "Subject: two\r\n\r\nlonger body\r\n");
  host.InstallTestPlugin(PlugIns(host), "Mail.dll", Logging("mail", "command=Show\nreport-host=1\n"));
  HostRun run = host.Run({"start", "retrieve:one.eml," + host.ProgramFolder() + "two.eml", "mail:two.eml",
                          "choose:ツール>Show", "mail:", "choose:ツール>Show", "retrieve:missing.eml"});
  std::string one = host.ProgramFolder() + "one.eml";
  std::string two = host.ProgramFolder() + "two.eml";
  Lines log = LogLines(host);
  EXPECT_EQ(WithPrefix(log, "mail: BKC_OnRetrieve"),
            (Lines{"mail: BKC_OnRetrieve " + one, "mail: BKC_OnRetrieve " + two}));
  EXPECT_EQ(WithPrefix(log, "mail: BKC_OnFinishRetrieve"),
            (Lines{"mail: BKC_OnFinishRetrieve 2", "mail: BKC_OnFinishRetrieve 0"}));
  EXPECT_EQ(WithPrefix(log, "mail: current mail"),
            (Lines{"mail: current mail " + two, "mail: current mail "}));
  EXPECT_EQ(WithPrefix(log, "mail: source"), (Lines{"mail: source 29 bytes", "mail: source 0 bytes"}));
  EXPECT_EQ(StepOutput(run, "retrieve:missing.eml"), Lines{"cannot read missing.eml"});
  EXPECT_EQ(run.exitCode, 2);
}

TEST(Steps, VersionAndDataFolderAsThePlugInsSeeThem) {
  struct Case {
    std::vector<std::string> options;
    std::string version;
    bool dataFolderWithoutSlash;
  } cases[] = {
      {{}, "2.80.03", false},
      {{"-version:2.75.01"}, "2.75.01", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    Installation host;
    host.InstallTestPlugin(PlugIns(host), "Report.dll", Logging("r", "report-host=1\n"));
    std::vector<std::string> arguments = c.options;
    if (c.dataFolderWithoutSlash) {
      arguments.push_back("-data:" + host.DataFolder().substr(0, host.DataFolder().size() - 1));
    }
    arguments.push_back("start");
    HostRun run = host.Run(arguments);
    Lines log = LogLines(host);
    EXPECT_TRUE(HasLine(log, "r: version " + c.version)) << host.ReadFile("log.txt");
    EXPECT_TRUE(HasLine(log, "r: data folder " + host.DataFolder())) << host.ReadFile("log.txt");
  }
}

TEST(Steps, InfoPrintsEachFieldAndWhetherTheRestStayedZero) {
  Installation host;
  std::string eighty(80, 'N');
  host.InstallTestPlugin(PlugIns(host), "A_Full.dll",
                         "name=" + eighty + "\nvendor=Vendor\nversion=1.0\ndescription=What it does\n");
  host.InstallTestPlugin(PlugIns(host), "B_Untouched.dll", "");
  host.InstallTestPlugin(PlugIns(host), "C_Dirty.dll", "name=ab\\x00cd\n");
  host.InstallTestPlugin(PlugIns(host), "D_NoInfo.dll", "", "NoInfoPlugin.dll");
  HostRun run = host.Run({"info"});
  EXPECT_EQ(
      StepOutput(run, "info"),
      (Lines{
          "  A_Full.dll: name \"" + eighty +
              "\" vendor \"Vendor\" version \"1.0\" description \"What it does\" (bytes after the texts are "
              "zero)",
          "  B_Untouched.dll: name \"\" vendor \"\" version \"\" description \"\" (bytes after the texts are "
          "zero)",
          "  C_Dirty.dll: name \"ab\" vendor \"\" version \"\" description \"\" (bytes after the texts are "
          "not zero)",
          "  D_NoInfo.dll: no BKC_OnPlugInInfo"}))
      << run.output;
}

TEST(Steps, APlugInThatFaultsEndsTheHostWithAReport) {
  Installation host;
  host.InstallTestPlugin(PlugIns(host), "Fault.dll", "fault=info\n");
  HostRun run = host.Run({"info", "exit"});
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_FALSE(run.timedOut);
  Lines info = StepOutput(run, "info");
  ASSERT_EQ(info.size(), 1u) << run.output;
  EXPECT_EQ(info[0].rfind("host crashed: exception 0xC0000005 at Fault.dll+0x", 0), 0u) << info[0];
}

TEST(Steps, NeverTextsSetupAndClipboard) {
  Installation host;
  host.InstallTestPlugin(PlugIns(host), "Order.dll",
                         "never-precede=First.dll/Second.dll\nnever-follow=Last.dll\nsetup-result=7\n");
  HostRun run =
      host.Run({"never", "setup:order.DLL", "setup:Missing.dll", "clipboard:a\\tb", "print-clipboard"});
  EXPECT_EQ(
      StepOutput(run, "never"),
      Lines{"  Order.dll: NeverPrecede \"First.dll/Second.dll\" (same address: yes) NeverFollow \"Last.dll\" "
            "(same address: yes)"})
      << run.output;
  EXPECT_EQ(StepOutput(run, "setup:order.DLL"), Lines{"setup returned 7"});
  EXPECT_EQ(StepOutput(run, "setup:Missing.dll"), Lines{"no plug-in Missing.dll"});
  EXPECT_EQ(StepOutput(run, "print-clipboard"), Lines{"clipboard: \"a\\tb\""});
  EXPECT_EQ(run.exitCode, 2);
}

TEST(Steps, ScriptStepsRunInPlaceAndBadStepsMakeExitCodeTwo) {
  Installation host;
  host.WriteFile("steps.txt", "\xEF\xBB\xBF# a comment\r\n\r\n  compose:Subject=件名\r\nheaders\n");
  HostRun run = host.Run({"/TESTMODE", "-bogus", "pump", "-script:steps.txt", "bogus", "start:x", "wait:1"});
  Lines steps = WithPrefix(run.Lines(), "> ");
  EXPECT_EQ(steps,
            (Lines{"> pump", "> compose:Subject=件名", "> headers", "> bogus", "> start:x", "> wait:1"}))
      << run.output;
  EXPECT_TRUE(HasLine(run.Lines(), "unknown option: -bogus"));
  EXPECT_EQ(StepOutput(run, "bogus"), Lines{"unknown step: bogus"});
  EXPECT_EQ(StepOutput(run, "start:x"), Lines{"unknown step: start:x"});
  EXPECT_EQ(run.Lines().back(), "host exits");
  EXPECT_EQ(run.exitCode, 2);
}

TEST(Steps, TraceShowsEachExportCallWithItsArgumentsAndResult) {
  Installation host;
  host.InstallTestPlugin(PlugIns(host), "T.dll", "setup-result=5\n");
  HostRun run = host.Run({"-trace", "start", "compose", "setup:T.dll"});
  EXPECT_EQ(WithPrefix(StepOutput(run, "start"), "  call "),
            (Lines{"  call T.dll BKC_OnMenuInit(main window, main menu bar, 0) -> 0",
                   "  call T.dll BKC_OnStart() -> 0"}))
      << run.output;
  EXPECT_EQ(WithPrefix(StepOutput(run, "compose"), "  call "),
            (Lines{"  call T.dll BKC_OnMenuInit(compose window, compose menu bar, 10) -> 0",
                   "  call T.dll BKC_OnOpenCompose(compose window, 0) -> 0"}));
  EXPECT_TRUE(HasLine(StepOutput(run, "setup:T.dll"), "  call T.dll BKC_OnPlugInSetup(main window) -> 5"));
  EXPECT_TRUE(HasLine(run.Lines(), "  call T.dll BKC_OnExit() -> 0"));
}

// ---------------------------------------------------------------------------------------------
// Output and the harness itself.

TEST(Output, PrintedInUtf8OrInTheAnsiCodePage) {
  Installation host;
  HostRun utf8 = host.Run({"menus"});
  EXPECT_EQ(StepOutput(utf8, "menus").at(1), "  ファイル(&F)") << utf8.output;
  HostRun ansi = host.Run({"-ansi", "menus"});
  std::string file = GetACP() == 932 ? "\x83\x74\x83\x40\x83\x43\x83\x8B(&F)" : "???\?(&F)";
  EXPECT_EQ(StepOutput(ansi, "menus").at(1), "  " + file) << ansi.output;
}

TEST(Harness, ArgumentsArriveAsWrittenAndAHungHostIsKilled) {
  Installation host;
  HostRun run = host.Run({"compose", "header:X=two words \"quoted\" end\\", "header:Y=", "headers"});
  EXPECT_EQ(StepOutput(run, "headers"), Lines{"  X: \"two words \\\"quoted\\\" end\\\\\""}) << run.output;

  HostRun hung = host.Run({"wait:600000"}, 5000);
  EXPECT_TRUE(hung.timedOut);
  EXPECT_TRUE(HasLine(hung.Lines(), "> wait:600000")) << hung.output;
}

TEST(Harness, PlugInsCannotBindAHostInstalledUnderAnotherName) {
  Installation host;
  host.UseHost("B2.exe", "Other.exe");
  EXPECT_FALSE(host.FileExists("B2.exe"));
  host.InstallTestPlugin(PlugIns(host), "Stamp.dll", Logging("s", "stamp=S\n"));
  HostRun run = host.Run({"compose", "send"});
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_TRUE(HasLine(LogLines(host), "s: no host API"));
  EXPECT_EQ(StepOutput(run, "send"), (Lines{"sent message:", "  "}));
}

}  // namespace
