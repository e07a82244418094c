// The module in the stand-in host: binding the host API at load, the mismatch warning, the inert
// module, and the answers of the exports as the host sees them.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "module_fixture.h"

namespace e2e {
namespace {

const Lines kJapaneseWarning = {
    "message box: caption \"Quorvel\" icon warning buttons OK owner none",
    "| Vintrell のバージョンと",
    "| Becky! のバージョンが合っていないようです。",
    "|",
    "| Vintrell のバージョンは",
    "| Ver.0.01 Rev.4 です。",
};
const Lines kEnglishWarning = {
    "message box: caption \"Quorvel\" icon warning buttons OK owner none",
    "| Version Mismatch",
    "| between Vintrell & Becky!",
    "|",
    "| Vintrell is Ver.0.01 Rev.4.",
};

// Steps that would make a bound module act: build the menus, send a message, ask its information.
const std::vector<std::string> kSession = {
    "start", "compose:X-Mailer-Plugin=Foo Ver.1.0", "send", "headers", "commands", "info"};

std::vector<std::string> With(std::vector<std::string> first, const std::vector<std::string>& more) {
  first.insert(first.end(), more.begin(), more.end());
  return first;
}

// The record is ANSI: its description is Japanese only where the code page reads Shift-JIS.
std::string Description() {
  return GetACP() == 932 ? "プラグイン一覧プラグイン" : "Plug-in list plug-in";
}

void ExpectInert(const HostRun& run) {
  EXPECT_EQ(StepOutput(run, "headers"), Lines{"  X-Mailer-Plugin: \"Foo Ver.1.0\""}) << "nothing stamped";
  EXPECT_TRUE(StepOutput(run, "commands").empty()) << "no command registered";
  // The information export works without the host API.
  EXPECT_TRUE(HasLine(
      StepOutput(run, "info"),
      "  Quorvel.dll: name \"Vintrell\" vendor \"TARVI Semmo & ZEFO Lab.\" version \"Ver.0.01 Rev.4\" "
      "description \"" +
          Description() + "\" (bytes after the texts are zero)"))
      << run.output;
}

class HostBinding : public ModuleTest {};

TEST_F(HostBinding, CompleteHostBindsWithoutAWordAndTheModuleWorks) {
  const HostRun run = Run(kSession);
  EXPECT_TRUE(MessageBoxes(run).empty()) << run.output;
  EXPECT_EQ(StepOutput(run, "headers"),
            Lines{"  X-Mailer-Plugin: \"Foo Ver.1.0,\\r\\n\\tVintrell Ver.0.01 Rev.4\""});
}

TEST_F(HostBinding, HostLackingANameGetsTheWarningOnceInTheLanguageInForce) {
  installation.UseHost("B2-lacking.exe");
  struct Row {
    const char* name;
    std::vector<std::string> switches;
    const Lines& warning;
  };
  // Wine names every system language in English, so Japanese is reached through the switch; the
  // Japanese text reads as Japanese under either code page.
  const Row rows[] = {
      {"no switch: the system language, named in English", {}, kEnglishWarning},
      {"/japanese in lower case", {"/japanese"}, kJapaneseWarning},
      {"/ENGLISH", {"/ENGLISH"}, kEnglishWarning},
      {"both switches: Japanese wins", {"/ENGLISH", "/JAPANESE"}, kJapaneseWarning},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const HostRun run = Run(With(row.switches, kSession));
    const auto boxes = MessageBoxes(run);
    ASSERT_EQ(boxes.size(), 1u) << run.output;
    EXPECT_EQ(boxes[0], row.warning);
    // Shown while the host loads the module, before any step.
    const Lines lines = run.Lines();
    const auto box = std::find(lines.begin(), lines.end(), row.warning[0]);
    const auto loaded = std::find(lines.begin(), lines.end(), "loaded plug-in Quorvel.dll");
    EXPECT_LT(box, loaded);
    ExpectInert(run);
  }
}

TEST_F(HostBinding, HostThatCannotBeLoadedByNameLeavesTheModuleInertWithoutAWord) {
  installation.UseHost("B2.exe", "Other.exe");
  const HostRun run = Run(kSession);
  EXPECT_TRUE(MessageBoxes(run).empty()) << run.output;
  ExpectInert(run);
}

TEST_F(HostBinding, ExportsAnswerTheirFixedResults) {
  installation.WriteFile("mail.eml", "X-Mailer: Becky! ver. 2.80.03\r\nSubject: hi\r\n\r\nbody\r\n");
  const HostRun run = Run({"-trace", "start", "compose", "send", "retrieve:mail.eml", "never", "exit"});
  const Lines calls = WithPrefix(run.Lines(), "  call Quorvel.dll ");
  const Lines expected = {
      "  call Quorvel.dll BKC_OnMenuInit(main window, main menu bar, 0) -> 0",
      "  call Quorvel.dll BKC_OnStart() -> 0",
      "  call Quorvel.dll BKC_OnMenuInit(compose window, compose menu bar, 10) -> 0",
      "  call Quorvel.dll BKC_OnOpenCompose(compose window, 0) -> 0",
      "  call Quorvel.dll BKC_OnOutgoing(compose window, 0) -> 0",
  };
  ASSERT_GE(calls.size(), expected.size()) << run.output;
  EXPECT_EQ(Lines(calls.begin(), calls.begin() + expected.size()), expected);
  const Lines retrieves = WithPrefix(calls, "  call Quorvel.dll BKC_OnRetrieve(<");
  ASSERT_EQ(retrieves.size(), 1u) << run.output;
  EXPECT_EQ(retrieves[0].substr(retrieves[0].size() - 5), " -> 0");
  EXPECT_TRUE(HasLine(calls, "  call Quorvel.dll BKC_OnFinishRetrieve(1) -> 0")) << run.output;
  EXPECT_TRUE(HasLine(calls, "  call Quorvel.dll NeverPrecede() -> \"\"")) << run.output;
  EXPECT_TRUE(HasLine(calls, "  call Quorvel.dll NeverFollow() -> \"\"")) << run.output;
  EXPECT_TRUE(HasLine(calls, "  call Quorvel.dll BKC_OnExit() -> 0")) << run.output;
  EXPECT_TRUE(
      HasLine(StepOutput(run, "never"),
              "  Quorvel.dll: NeverPrecede \"\" (same address: yes) NeverFollow \"\" (same address: yes)"));
}

}  // namespace
}  // namespace e2e
