// The module's entry in the X-Mailer-Plugin header of mail sent through the stand-in host.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "module_fixture.h"

namespace e2e {
namespace {

// Header values as the host's `headers` step prints them (C escapes).
const std::string kStamp = "Vintrell Ver.0.01 Rev.4";
const std::string kFold = ",\\r\\n\\t";

std::string HeaderLine(const std::string& escapedValue) {
  return "  X-Mailer-Plugin: \"" + escapedValue + "\"";
}

class Stamping : public ModuleTest {};

TEST_F(Stamping, EachCaseOfTheHeaderBeforeSending) {
  struct Row {
    const char* name;
    std::string composeStep;  // the value in the host's step escapes
    std::string stamped;      // the value after sending, as printed
  };
  const Row rows[] = {
      {"absent header", "compose:To=a@example.com", kStamp},
      {"one foreign entry", "compose:X-Mailer-Plugin=Foo Ver.1.0", "Foo Ver.1.0" + kFold + kStamp},
      {"an older stamp alone", "compose:X-Mailer-Plugin=Vintrell Ver.0.00 Rev.9", kStamp},
      {"an older stamp between two entries",
       "compose:X-Mailer-Plugin=Foo 1,\\r\\n\\tVintrell Ver.0.00 Rev.9,\\r\\n\\tBar 2",
       "Foo 1" + kFold + kStamp + kFold + "Bar 2"},
      {"old stamp with more text and no comma", "compose:X-Mailer-Plugin=Vintrell Ver.0.00 Rev.9 beta",
       kStamp},
      {"letter case differs", "compose:X-Mailer-Plugin=vintrell ver.0.00",
       "vintrell ver.0.00" + kFold + kStamp},
      {"key twice, comma between", "compose:X-Mailer-Plugin=Vintrell Ver.1, Vintrell Ver.2",
       kStamp + ", Vintrell Ver.2"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const HostRun run = Run({row.composeStep, "send", "headers"});
    EXPECT_TRUE(HasLine(StepOutput(run, "headers"), HeaderLine(row.stamped))) << run.output;
  }
}

TEST_F(Stamping, SendingTwiceLeavesOneStamp) {
  const HostRun run = Run({"compose:X-Mailer-Plugin=Foo Ver.1.0", "send", "send", "headers"});
  EXPECT_EQ(StepOutput(run, "headers"), Lines{HeaderLine("Foo Ver.1.0" + kFold + kStamp)});
}

TEST_F(Stamping, SitsBesideTheEntriesOfOtherPlugIns) {
  // Alpha.dll is loaded before Quorvel.dll and Zeta.dll after it, so each stamps in its turn.
  installation.InstallTestPlugin(PlugIns(), "Alpha.dll", "stamp=Alpha Ver.1\n");
  installation.InstallTestPlugin(PlugIns(), "Zeta.dll", "stamp=Zeta Ver.2\n");
  const HostRun run = Run({"compose", "send", "send", "headers"});
  EXPECT_EQ(StepOutput(run, "headers"),
            Lines{HeaderLine("Alpha Ver.1" + kFold + kStamp + kFold + "Zeta Ver.2" + kFold + "Alpha Ver.1" +
                             kFold + "Zeta Ver.2")})
      << "the second send renews the stamp where it stands";
}

TEST_F(Stamping, ValueLongerThanTheFirstReadKeepsEveryOtherEntry) {
  // About 3000 bytes of other plug-ins' entries, the old stamp in their middle.
  std::string written, expected;
  for (int i = 0; i < 120; ++i) {
    const std::string entry = "Plugin" + std::to_string(i) + " Ver.1.0";
    if (i > 0) {
      written += ",\\r\\n\\t";
      expected += kFold;
    }
    written += i == 60 ? "Vintrell Ver.0.00 Rev.1" : entry;
    expected += i == 60 ? kStamp : entry;
  }
  const HostRun run = Run({"compose:X-Mailer-Plugin=" + written, "send", "headers"});
  EXPECT_EQ(StepOutput(run, "headers"), Lines{HeaderLine(expected)});
}

TEST_F(Stamping, ValueOfExactlyTheFirstReadsSizeIsNotCut) {
  // 2046 bytes come back whole from a 2047-byte read that counts the zero; the stamp goes after.
  const std::string entry = "Foo Ver." + std::string(2046 - 8, '1');
  const HostRun run = Run({"compose:X-Mailer-Plugin=" + entry, "send", "headers"});
  EXPECT_EQ(StepOutput(run, "headers"), Lines{HeaderLine(entry + kFold + kStamp)});
}

}  // namespace
}  // namespace e2e
