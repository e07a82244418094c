// Tests of the stand-in host B2.exe itself, driven through the e2e harness with the test plug-ins.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <regex>
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

// How a text of a plug-in (bytes of the code page in force) comes out in the host's output.
std::string ShownAnsi(const std::string& bytes) {
  int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring wide(length, L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), length);
  int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  std::string utf8(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, utf8.data(), size, nullptr, nullptr);
  return utf8;
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
  // The dialog of the second compose window keeps that window alone from input while it is open.
  HostRun run = host.Run({"start", "answer:No", "setup:Setup.dll", "compose", "compose",
                          "dialog:windows;key:ESC", "choose-compose:ツール>Check", "windows"});
  EXPECT_EQ(StepOutput(run, "setup:Setup.dll"),
            (Lines{"message box: caption \"Setup\" icon question buttons Yes No owner main window", "| Go?",
                   "setup returned 1"}))
      << run.output;
  EXPECT_EQ(StepOutput(run, "choose-compose:ツール>Check"),
            (Lines{"message box: caption \"Checked\" icon warning buttons OK owner compose window", "|",
                   "dialog: caption \"Details\"",
                   "windows: main window enabled, compose window enabled, compose window disabled",
                   "dialog ended: caption \"Details\" result 2"}));
  EXPECT_EQ(StepOutput(run, "windows"),
            Lines{"windows: main window enabled, compose window enabled, compose window enabled"});
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
// Dialogs: printed and cancelled, or driven by the actions of dialog steps.

// The test plug-in's dialog with everything it can have, shown by BKC_OnPlugInSetup.
const std::string kFullDialog =
    "box-on=setup\ndialog-caption=Setup\ndialog-label=Label & more\ndialog-image=1\ndialog-check=&Remember\n"
    "dialog-bevel=1\ndialog-cancel=1\ndialog-help-box=No help here\ndialog-ok-box=Saved.\ndialog-sizeable=1\n"
    "dialog-font=Tahoma,9\ndialog-icon=1\n";

// What each run of `step` printed, in order of the runs.
std::vector<Lines> EachStepOutput(const HostRun& run, const std::string& step) {
  std::vector<Lines> outputs;
  const Lines lines = run.Lines();
  for (auto at = lines.begin(); (at = std::find(at, lines.end(), "> " + step)) != lines.end();) {
    auto end = std::find_if(at + 1, lines.end(), [](const std::string& line) {
      return line.rfind("> ", 0) == 0 || line == "host exits";
    });
    outputs.emplace_back(at + 1, end);
    at = end;
  }
  return outputs;
}

// The log lines from each "<tag>: BKC_OnPlugInSetup" up to the next, one group per setup.
std::vector<Lines> LogPerSetup(const Lines& log, const std::string& tag) {
  std::vector<Lines> groups;
  for (const std::string& line : log) {
    if (line == tag + ": BKC_OnPlugInSetup") {
      groups.emplace_back();
    } else if (!groups.empty() && line.rfind(tag + ": ", 0) == 0) {
      groups.back().push_back(line.substr(tag.size() + 2));
    }
  }
  return groups;
}

// `text` with the characters that std::regex gives a meaning escaped.
std::string Literal(const std::string& text) {
  static const std::regex special(R"([.^$|()\[\]{}*+?\\])");
  return std::regex_replace(text, special, R"(\$&)");
}

// The numbers of a line that matches `pattern` (its groups), or a failure naming the line.
std::vector<int> Numbers(const std::string& line, const std::string& pattern) {
  std::smatch match;
  if (!std::regex_match(line, match, std::regex(pattern))) {
    ADD_FAILURE() << "line\n  " << line << "\ndoes not match\n  " << pattern;
    return {};
  }
  std::vector<int> numbers;
  for (size_t i = 1; i < match.size(); ++i)
    numbers.push_back(std::stoi(match[i].str()));
  return numbers;
}

// The text of a message box whose one line is `text`, owned by the dialog "Setup".
Lines SetupBox(const std::string& icon, const std::string& text) {
  return {"message box: caption \"Test dialog\" icon " + icon + " buttons OK owner dialog \"Setup\"",
          "| " + text};
}

TEST(Dialogs, WithoutActionsEachIsPrintedCancelledAndItsEndReported) {
  Installation host;
  host.InstallTestPlugin(PlugIns(host), "Attach.dll", Logging("attach", "dialog-caption=At load\n"));
  host.InstallTestPlugin(PlugIns(host), "Setup.dll",
                         Logging("setup", "box-on=setup\ndialog-caption=Setup\ndialog-cancel=1\n"));
  host.InstallTestPlugin(
      PlugIns(host), "Broken.dll",
      Logging("broken", "box-on=setup\ndialog-caption=Broken\ndialog-class=NoSuchClass\n"));
  HostRun run = host.Run({"setup:Setup.dll", "setup:Broken.dll"});
  EXPECT_EQ(run.exitCode, 0) << run.output;
  // The dialog of a call made while the plug-in loads has no watched DialogBox call to tell its result.
  Lines lines = run.Lines();
  auto loaded = std::find(lines.begin(), lines.end(), "loaded plug-in Attach.dll");
  ASSERT_GE(loaded - lines.begin(), 2) << run.output;
  EXPECT_EQ(Lines(loaded - 2, loaded),
            (Lines{"dialog: caption \"At load\"", "dialog ended: caption \"At load\""}));
  EXPECT_EQ(
      StepOutput(run, "setup:Setup.dll"),
      (Lines{"dialog: caption \"Setup\"", "dialog ended: caption \"Setup\" result 2", "setup returned 1"}));
  EXPECT_EQ(StepOutput(run, "setup:Broken.dll"), (Lines{"dialog failed: result -1", "setup returned 1"}));
  Lines log = LogLines(host);
  EXPECT_TRUE(HasLine(log, "attach: dialog ended 2"));
  EXPECT_TRUE(HasLine(log, "setup: dialog ended 2"));
  EXPECT_TRUE(HasLine(log, "broken: dialog ended -1"));
}

TEST(Dialogs, PrintDescribesTheFormAndEachControlInTabOrder) {
  Installation host;
  host.InstallTestPlugin(PlugIns(host), "Full.dll", kFullDialog + "dialog-checked=1\n");
  host.InstallTestPlugin(PlugIns(host), "Plain.dll",
                         "box-on=setup\ndialog-caption=Plain\ndialog-no-close=1\n");
  HostRun run = host.Run({"dialog:print", "setup:Full.dll", "dialog:print", "setup:Plain.dll"});
  EXPECT_EQ(run.exitCode, 0) << run.output;

  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  const std::string font =
      Literal("font \"Tahoma\" " + std::to_string(-MulDiv(9, dpi, 72))) + " weight \\d+ charset 1";
  const std::string place = " at (\\d+),(\\d+) (\\d+)x(\\d+) ";
  Lines full = StepOutput(run, "setup:Full.dll");
  ASSERT_EQ(full.size(), 12u) << run.output;
  EXPECT_EQ(full[0], "dialog: caption \"Setup\"");
  std::vector<int> form =
      Numbers(full[1], Literal("dialog \"Setup\": owner main window, frame sizeable, title bar: "
                               "caption system-menu minimize maximize close, window ") +
                           "(\\d+)x(\\d+) at -?\\d+,-?\\d+, client (\\d+)x(\\d+), " + font + ", icon yes");
  ASSERT_EQ(form.size(), 4u);
  EXPECT_LT(form[2], form[0]);
  EXPECT_LT(form[3], form[1]);
  const std::string controls[] = {
      "  Static #1002 \"Label & more\"" + place + "text no-prefix visible enabled " + font,
      "  Static #1003 \"\"" + place + "bitmap 32x32 .*visible enabled .*",
      "  Button #1001 \"&Remember\"" + place + "check-box checked visible enabled tab-stop focused " + font,
      "  Static #1004 \"\"" + place + "etched-horizontal .*visible enabled .*",
      "  Button #1 \"OK\"" + place + "push-button default-button visible enabled tab-stop " + font,
      "  Button #2 \"Cancel\"" + place + "push-button visible enabled tab-stop " + font,
      "  Button #9 \"&Help\"" + place + "push-button visible enabled tab-stop " + font,
  };
  std::vector<std::vector<int>> boxes;  // x, y, width, height of each control
  for (size_t i = 0; i < std::size(controls); ++i) {
    boxes.push_back(Numbers(full[2 + i], controls[i]));
    ASSERT_EQ(boxes.back().size(), 4u);
    EXPECT_LE(boxes.back()[0] + boxes.back()[2], form[2]) << full[2 + i];
    EXPECT_LE(boxes.back()[1] + boxes.back()[3], form[3]) << full[2 + i];
  }
  // The rows come one under the other, the buttons side by side from the left.
  for (size_t i = 1; i < 4; ++i)
    EXPECT_GE(boxes[i][1], boxes[i - 1][1] + boxes[i - 1][3]) << full[2 + i];
  EXPECT_GE(boxes[4][1], boxes[3][1] + boxes[3][3]);
  EXPECT_EQ(boxes[5][1], boxes[4][1]);
  EXPECT_EQ(boxes[6][1], boxes[4][1]);
  EXPECT_GT(boxes[5][0], boxes[4][0] + boxes[4][2]);
  EXPECT_GT(boxes[6][0], boxes[5][0] + boxes[5][2]);
  EXPECT_EQ(
      Lines(full.begin() + 9, full.end()),
      (Lines{"dialog: closed by the host", "dialog ended: caption \"Setup\" result 2", "setup returned 1"}));

  Lines plain = StepOutput(run, "setup:Plain.dll");
  ASSERT_EQ(plain.size(), 6u) << run.output;
  Numbers(plain[1],
          Literal("dialog \"Plain\": owner main window, frame dialog, title bar: caption, window ") +
              "\\d+x\\d+ at -?\\d+,-?\\d+, client \\d+x\\d+, font system, icon no");
  Numbers(plain[2], "  Button #1 \"OK\"" + place +
                        "push-button default-button visible enabled tab-stop focused font system");
}

TEST(Dialogs, ActionsClickPressKeysAndCloseAsAUserWould) {
  const Lines saved = SetupBox("information", "Saved.");
  auto with = [](Lines lines, const std::string& last) {
    lines.push_back(last);
    return lines;
  };
  const std::string one = "dialog ended: caption \"Setup\" result 1";
  const std::string two = "dialog ended: caption \"Setup\" result 2";
  struct Case {
    std::string actions;
    Lines printed;  // between the dialog's first line and "setup returned 1"
    std::string checkBox;
  } cases[] = {
      {"click:OK", with(saved, one), "unchecked"},
      {"click:Cancel", {two}, "unchecked"},
      {"click:#2", {two}, "unchecked"},
      {"click:Remember;click:OK", with(saved, one), "checked"},
      {"click:&Remember;click:&Remember;click:Cancel", {two}, "unchecked"},
      {"key:ENTER", with(saved, one), "unchecked"},
      {"key:ESC", {two}, "unchecked"},
      {"key:SPACE;key:TAB;key:SPACE", with(saved, one), "checked"},
      {"close", {two}, "unchecked"},
      {"windows;click:Cancel", {"windows: main window disabled", two}, "unchecked"},
      {"click:Help;click:Cancel", with(SetupBox("warning", "No help here"), two), "unchecked"},
      {"click:Nothing", {"dialog: no control Nothing", "dialog: closed by the host", two}, "unchecked"},
  };
  Installation host;
  host.InstallTestPlugin(PlugIns(host), "Setup.dll", Logging("s", kFullDialog));
  std::vector<std::string> steps;
  for (const Case& c : cases) {
    steps.push_back("dialog:" + c.actions);
    steps.push_back("setup:Setup.dll");
  }
  HostRun run = host.Run(steps);
  EXPECT_EQ(run.exitCode, 0) << run.output;
  std::vector<Lines> outputs = EachStepOutput(run, "setup:Setup.dll");
  std::vector<Lines> logs = LogPerSetup(LogLines(host), "s");
  ASSERT_EQ(outputs.size(), std::size(cases)) << run.output;
  ASSERT_EQ(logs.size(), std::size(cases)) << host.ReadFile("log.txt");
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(c.actions);
    Lines expected = {"dialog: caption \"Setup\""};
    expected.insert(expected.end(), c.printed.begin(), c.printed.end());
    expected.push_back("setup returned 1");
    EXPECT_EQ(outputs[i], expected);
    EXPECT_TRUE(HasLine(logs[i], "dialog check box " + c.checkBox)) << host.ReadFile("log.txt");
  }
}

TEST(Dialogs, TextsOfAPlugInAreShownAndFoundAsTheCodePageSpellsThem) {
  // The plug-in's texts are Shift-JIS bytes; under code page 1252 they are other characters, and a
  // script names them as shown.
  const std::string caption = ShownAnsi(e2e::InCodePage("設定", 932));
  const std::string check = ShownAnsi(e2e::InCodePage("保存する(&S)", 932));
  std::string withoutAmpersand = check;
  withoutAmpersand.erase(std::remove(withoutAmpersand.begin(), withoutAmpersand.end(), '&'),
                         withoutAmpersand.end());
  Installation host;
  host.InstallTestPlugin(PlugIns(host), "Ja.dll",
                         "box-on=setup\ndialog-caption=" + e2e::CfgBytes(e2e::InCodePage("設定", 932)) +
                             "\ndialog-check=" + e2e::CfgBytes(e2e::InCodePage("保存する(&S)", 932)) + "\n");
  const std::string step = "dialog:click:" + withoutAmpersand + ";print;key:ESC";
  HostRun run = host.Run({step, "setup:Ja.dll"});
  EXPECT_EQ(run.exitCode, 0) << run.output;
  Lines lines = StepOutput(run, "setup:Ja.dll");
  ASSERT_EQ(lines.size(), 6u) << run.output;
  EXPECT_EQ(lines[0], "dialog: caption \"" + caption + "\"");
  EXPECT_EQ(lines[1].rfind("dialog \"" + caption + "\": owner main window, ", 0), 0u) << lines[1];
  EXPECT_EQ(lines[2].rfind("  Button #1001 \"" + check + "\" at ", 0), 0u) << lines[2];
  EXPECT_NE(lines[2].find(" check-box checked "), std::string::npos) << lines[2];
  EXPECT_EQ(lines[4], "dialog ended: caption \"" + caption + "\" result 2");
}

TEST(Dialogs, ADialogThatStaysOpenIsClosedByTheHostSoNoRunHangs) {
  Installation host;
  host.InstallTestPlugin(PlugIns(host), "Stubborn.dll",
                         Logging("st",
                                 "box-on=setup\ndialog-caption=Stubborn\ndialog-ignore-cancel=1\n"
                                 "dialog-no-close=1\n"));
  host.InstallTestPlugin(PlugIns(host), "Disabled.dll",
                         "box-on=setup\ndialog-caption=Disabled\ndialog-cancel=1\ndialog-disabled=2\n");
  HostRun run = host.Run({"dialog:close;resize:300,200;key:ESC", "setup:Stubborn.dll", "setup:Stubborn.dll",
                          "dialog:click:Cancel", "setup:Disabled.dll"});
  EXPECT_EQ(run.exitCode, 0) << run.output;
  std::vector<Lines> stubborn = EachStepOutput(run, "setup:Stubborn.dll");
  ASSERT_EQ(stubborn.size(), 2u) << run.output;
  const Lines ended = {"dialog: still open after IDCANCEL; ended by the host",
                       "dialog ended: caption \"Stubborn\" result 2", "setup returned 1"};
  Lines expected = {"dialog: caption \"Stubborn\"", "dialog: no close box",
                    "dialog: the frame is not sizeable", "dialog: closed by the host"};
  expected.insert(expected.end(), ended.begin(), ended.end());
  EXPECT_EQ(stubborn[0], expected);
  expected = {"dialog: caption \"Stubborn\""};
  expected.insert(expected.end(), ended.begin(), ended.end());
  EXPECT_EQ(stubborn[1], expected);
  std::vector<Lines> logs = LogPerSetup(LogLines(host), "st");
  ASSERT_EQ(logs.size(), 2u);
  // Esc and the host's IDCANCEL, then the host's IDCANCEL alone.
  EXPECT_EQ(WithPrefix(logs[0], "dialog cancel ignored").size(), 2u);
  EXPECT_EQ(WithPrefix(logs[1], "dialog cancel ignored").size(), 1u);

  EXPECT_EQ(
      StepOutput(run, "setup:Disabled.dll"),
      (Lines{"dialog: caption \"Disabled\"", "dialog: control Cancel disabled", "dialog: closed by the host",
             "dialog ended: caption \"Disabled\" result 2", "setup returned 1"}));
}

TEST(Dialogs, ResizeMoveAndScreenshotShowTheDialogAsDrawn) {
  Installation host;
  host.InstallTestPlugin(PlugIns(host), "Full.dll", kFullDialog);
  HostRun run =
      host.Run({"dialog:resize:480,260;move:30,40;print;screenshot:shot.png;"
                "screenshot:missing\\shot.png;click:Cancel",
                "setup:Full.dll"});
  EXPECT_EQ(run.exitCode, 2) << run.output;  // one picture could not be written
  Lines lines = StepOutput(run, "setup:Full.dll");
  ASSERT_EQ(lines.size(), 13u) << run.output;
  std::vector<int> client =
      Numbers(lines[1], "dialog \"Setup\": .*, window 480x260 at 30,40, client (\\d+)x(\\d+), .*");
  std::vector<int> image = Numbers(lines[3], "  Static #1003 \"\" at (\\d+),(\\d+) 32x32 bitmap 32x32 .*");
  EXPECT_EQ(lines[9], "dialog: screenshot shot.png 480x260");
  EXPECT_EQ(lines[10], "dialog: cannot write screenshot missing\\shot.png");
  EXPECT_EQ(lines[11], "dialog ended: caption \"Setup\" result 2");
  ASSERT_EQ(client.size(), 2u);
  ASSERT_EQ(image.size(), 2u);

  std::optional<e2e::Picture> picture = e2e::ReadPicture(host.ProgramFolder() + "shot.png");
  ASSERT_TRUE(picture) << "shot.png is not a picture";
  EXPECT_EQ(picture->width, 480);
  EXPECT_EQ(picture->height, 260);
  // The client area lies inside the frame: borders of one width left, right and below, the title bar
  // above. The picture's left half is red, its right half blue.
  int border = (480 - client[0]) / 2;
  int top = 260 - client[1] - border;
  EXPECT_EQ(picture->At(border + image[0] + 4, top + image[1] + 16), 0xFFFF0000u);
  EXPECT_EQ(picture->At(border + image[0] + 27, top + image[1] + 16), 0xFF0000FFu);
  std::set<uint32_t> colours(picture->pixels.begin(), picture->pixels.end());
  EXPECT_GT(colours.size(), 4u);
  EXPECT_FALSE(host.FileExists("missing\\shot.png"));
  EXPECT_FALSE(e2e::ReadPicture(host.ProgramFolder() + "B2.exe"));
}

TEST(Dialogs, ActionListsGoToSuccessiveDialogsAndBadActionsFailTheStep) {
  Installation host;
  host.InstallTestPlugin(
      PlugIns(host), "Both.dll",
      Logging("b", "box-on=setup\nbox-caption=First\nbox-text=A box\ndialog-caption=Second\n"));
  HostRun run = host.Run({"dialog:click:OK", "dialog:bogus", "dialog:key:ESC", "dialog:key:F1",
                          "dialog:resize:0,10", "dialog:wait:soon",
                          "dialog:click:", "dialog:", "setup:Both.dll", "setup:Both.dll", "setup:Both.dll"});
  EXPECT_EQ(run.exitCode, 2) << run.output;
  for (const char* bad : {"bogus", "key:F1", "resize:0,10", "wait:soon", "click:"}) {
    EXPECT_EQ(StepOutput(run, std::string("dialog:") + bad),
              Lines{std::string("not a dialog action: ") + bad});
  }
  EXPECT_TRUE(StepOutput(run, "dialog:").empty());
  const Lines box = {"message box: caption \"First\" icon warning buttons OK owner main window", "| A box"};
  auto expected = [&box](Lines middle) {
    Lines lines = box;
    lines.push_back("dialog: caption \"Second\"");
    lines.insert(lines.end(), middle.begin(), middle.end());
    lines.push_back("setup returned 1");
    return lines;
  };
  std::vector<Lines> outputs = EachStepOutput(run, "setup:Both.dll");
  ASSERT_EQ(outputs.size(), 3u) << run.output;
  // The message box before each dialog takes none of the lists.
  EXPECT_EQ(outputs[0], expected({"dialog ended: caption \"Second\" result 1"}));
  EXPECT_EQ(outputs[1], expected({"dialog ended: caption \"Second\" result 2"}));
  EXPECT_EQ(outputs[2],
            expected({"dialog: closed by the host", "dialog ended: caption \"Second\" result 2"}));
  EXPECT_EQ(WithPrefix(LogLines(host), "b: dialog ended"),
            (Lines{"b: dialog ended 1", "b: dialog ended 2", "b: dialog ended 2"}));
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
                          "choose-compose:Tool>In", "choose-compose:ヘルプ>目次", "choose-compose:#4>#1",
                          "choose:#5>#0"});
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
  EXPECT_EQ(StepOutput(run, "choose-compose:#4>#1"), Lines{"host command 2401"}) << "by position";
  EXPECT_EQ(StepOutput(run, "choose:#5>#0"), Lines{"menu item not found: #5>#0"});
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

TEST(Menus, AnotherPlugInsSharedSubmenusAndMakerGroupComeBeforeLaterPlugIns) {
  const std::string pluginHelp = e2e::InCodePage("プラグインヘルプ", 932);
  struct Case {
    std::string more;     // for A.dll
    std::string heading;  // the tool menu's line for the group's heading
  } cases[] = {
      {"", "    ZEFO"},
      {"maker-heading=ZEFO Lab\nfinish-maker-group=1\n", "    ----"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.heading);
    Installation host;
    host.InstallTestPlugin(PlugIns(host), "A.dll",
                           Logging("a", "help-submenu=" + e2e::CfgBytes(pluginHelp) +
                                            ">Other Help\nhelp-submenu=About Plugins>About Other\n"
                                            "maker-group=Other Tools>Run Other\ncommand=After Group\n" +
                                            c.more));
    // A later plug-in finds the submenu the first one made.
    host.InstallTestPlugin(PlugIns(host), "B.dll", Logging("b", "help-submenu=About Plugins>About B\n"));
    HostRun run = host.Run(
        {"start", "menus", "choose:ヘルプ>About Plugins>About B", "choose:ツール>Other Tools>Run Other"});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    Lines menus = StepOutput(run, "menus");
    Lines expected = kJapaneseMainMenu;
    expected.insert(std::find(expected.begin(), expected.end(), "  ヘルプ(&H)"),
                    {c.heading, "    Other Tools", "      Run Other -> \"Run Other\"", "    ----",
                     "    After Group -> \"After Group\""});
    expected.insert(expected.end(), {"    " + ShownAnsi(pluginHelp), "      Other Help -> \"Other Help\"",
                                     "    About Plugins", "      About Other -> \"About Other\"",
                                     "      About B -> \"About B\""});
    EXPECT_EQ(menus, expected) << run.output;
    Lines log = LogLines(host);
    EXPECT_TRUE(HasLine(log, "b: command About B"));
    EXPECT_TRUE(HasLine(log, "a: command Run Other"));
  }
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

TEST(Steps, ASourceIsGivenBackOnceAndTheCurrentMailIdCopiedBeforeItIsUsed) {
  const std::string taken =
      "host API: BKA_GetSource was given the text of BKA_GetCurrentMail, taken back at this call";
  struct Case {
    std::string misuse;  // free-source
    Lines calls;         // the trace after BKA_GetCurrentMail, with @ for the quoted mail id
    std::string measured;
    std::string reportedBy;  // the step that prints the breach
    Lines reported;
    int exitCode;
  } cases[] = {
      {"", {"  api BKA_GetSource(@) -> <29 bytes>", "  api BKA_Free(<29 bytes>) -> done"}, "29", "", {}, 0},
      {"never",
       {"  api BKA_GetSource(@) -> <29 bytes>"},
       "29",
       "exit",
       {"host API: a text of BKA_GetSource was never given back (29 bytes)"},
       4},
      {"twice",
       {"  api BKA_GetSource(@) -> <29 bytes>", "  api BKA_Free(<29 bytes>) -> done",
        "host API: BKA_Free of a text given back before", "  api BKA_Free(<given back before>) -> done"},
       "29",
       "choose:ツール>Show",
       {"host API: BKA_Free of a text given back before"},
       4},
      {"foreign",
       {"  api BKA_GetSource(@) -> <29 bytes>", "host API: BKA_Free of memory the host did not hand out",
        "  api BKA_Free(<not the host's>) -> done", "  api BKA_Free(<29 bytes>) -> done"},
       "29",
       "choose:ツール>Show",
       {"host API: BKA_Free of memory the host did not hand out"},
       4},
      // The id itself, not a copy: the host has taken it back, so the plug-in gets the unknown id's "".
      {"stale-id",
       {taken, "  api BKA_GetSource(<taken back>) -> <0 bytes>", "  api BKA_Free(<0 bytes>) -> done"},
       "0",
       "choose:ツール>Show",
       {taken},
       4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.misuse);
    Installation host;
    host.WriteFile("two.eml", "Subject: two\r\n\r\nlonger body\r\n");
    host.InstallTestPlugin(PlugIns(host), "Mail.dll",
                           Logging("mail", "command=Show\nreport-host=1\n" +
                                               (c.misuse.empty() ? "" : "free-source=" + c.misuse + "\n")));
    HostRun run = host.Run({"-trace", "start", "mail:two.eml", "choose:ツール>Show", "exit"});
    EXPECT_EQ(run.exitCode, c.exitCode) << run.output;
    std::string id = host.ProgramFolder() + "two.eml";
    for (size_t at = 0; (at = id.find('\\', at)) != std::string::npos; at += 2)
      id.insert(at, "\\");
    Lines expected = {"  api BKA_GetCurrentMail() -> \"" + id + "\""};
    for (std::string line : c.calls) {
      if (size_t at = line.find('@'); at != std::string::npos) line.replace(at, 1, "\"" + id + "\"");
      expected.push_back(line);
    }
    Lines command = StepOutput(run, "choose:ツール>Show");
    EXPECT_EQ(Lines(command.begin(), std::find(command.begin(), command.end(),
                                               "  call Mail.dll command 40001(main window, 0) -> done")),
              expected);
    EXPECT_EQ(WithPrefix(run.Lines(), "host API: "), c.reported);
    if (!c.reported.empty()) {
      EXPECT_TRUE(HasLine(StepOutput(run, c.reportedBy), c.reported[0]));
    }
    EXPECT_EQ(run.Lines().back(), "host exits");
    EXPECT_EQ(WithPrefix(LogLines(host), "mail: source"), Lines{"mail: source " + c.measured + " bytes"});
    EXPECT_TRUE(WithPrefix(LogLines(host), "mail: unknown keys").empty());
  }
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
  // A 32-bit export that removes no argument, or two, from the stack; x64 has one calling convention.
  host.InstallTestPlugin(PlugIns(host), "E_Cdecl.dll", Logging("e", "name=Cdecl\ninfo-convention=cdecl\n"));
  host.InstallTestPlugin(PlugIns(host), "F_Two.dll", Logging("f", "name=Two\ninfo-convention=stdcall8\n"));
  host.InstallTestPlugin(PlugIns(host), "G_Bad.dll", Logging("g", "info-convention=fastcall\n"));
  HostRun run = host.Run({"info", "info"});
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
          "  D_NoInfo.dll: no BKC_OnPlugInInfo",
          "  E_Cdecl.dll: name \"Cdecl\" vendor \"\" version \"\" description \"\" (bytes after the texts "
          "are zero)",
          "  F_Two.dll: name \"Two\" vendor \"\" version \"\" description \"\" (bytes after the texts are "
          "zero)",
          "  G_Bad.dll: name \"\" vendor \"\" version \"\" description \"\" (bytes after the texts are "
          "zero)"}))
      << run.output;
  // The host goes on after them: the second info step prints the same.
  Lines lines = run.Lines();
  auto second = std::find(std::find(lines.begin(), lines.end(), "> info") + 1, lines.end(), "> info");
  ASSERT_NE(second, lines.end());
  EXPECT_EQ(Lines(second + 1, lines.end() - 1), StepOutput(run, "info"));
  EXPECT_EQ(run.exitCode, 0);
  const Lines log = LogLines(host);
  EXPECT_TRUE(WithPrefix(log, "e: unknown").empty());
  EXPECT_TRUE(WithPrefix(log, "f: unknown").empty());
  EXPECT_TRUE(HasLine(log, "g: unknown keys info-convention"));
}

TEST(Steps, APlugInThatFaultsEndsTheHostWithAReport) {
  struct Case {
    std::string cfg;
    std::vector<std::string> steps;  // the last but one faults
    std::string crash;               // the pattern of the one line it prints
  } cases[] = {
      {"fault=info\n", {"info", "exit"}, R"(host crashed: exception 0xC0000005 at Fault\.dll\+0x[0-9A-F]+)"},
      // The source is read after it was given back: the report tells what the address was.
      {"command=Show\nreport-host=1\nfree-source=early\n",
       {"start", "mail:one.eml", "choose:ツール>Show", "exit"},
       R"(host crashed: exception 0xC0000005 at \S+\+0x[0-9A-F]+ )"
       R"(\(the address is in a text given back with BKA_Free\))"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cfg);
    Installation host;
    host.WriteFile("one.eml", "Subject: one\r\n\r\nbody\r\n");
    host.InstallTestPlugin(PlugIns(host), "Fault.dll", c.cfg);
    HostRun run = host.Run(c.steps);
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_FALSE(run.timedOut);
    Lines output = StepOutput(run, c.steps[c.steps.size() - 2]);
    ASSERT_EQ(output.size(), 1u) << run.output;
    EXPECT_TRUE(std::regex_match(output[0], std::regex(c.crash))) << output[0];
  }
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

TEST(Steps, AStepRunsInsideTheNextBoxBeforeItsButtonIsPressed) {
  Installation host;
  host.InstallTestPlugin(PlugIns(host), "Setup.dll",
                         Logging("setup", "box-on=setup\nbox-caption=Setup\nbox-text=Go\n"));
  host.WriteFile("note.txt", "a\r\n");
  HostRun run = host.Run({"clipboard:x", "in-box:print-clipboard", "in-box:print-file:note.txt",
                          "setup:Setup.dll", "setup:Setup.dll", "print-file:missing.txt", "in-box:exit"});
  EXPECT_EQ(StepOutput(run, "setup:Setup.dll"),
            (Lines{"message box: caption \"Setup\" icon warning buttons OK owner main window", "| Go",
                   "in the box: print-clipboard", "clipboard: \"x\"", "setup returned 1"}))
      << run.output;
  const Lines lines = run.Lines();
  EXPECT_TRUE(HasLine(lines, "in the box: print-file:note.txt")) << "the second box gets the second step";
  EXPECT_TRUE(HasLine(lines, "file note.txt: \"a\\r\\n\""));
  EXPECT_EQ(StepOutput(run, "print-file:missing.txt"), Lines{"file missing.txt: none"});
  EXPECT_EQ(StepOutput(run, "in-box:exit"), Lines{"cannot exit inside a box"});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(HasLine(LogLines(host), "setup: box answered 1"));
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
