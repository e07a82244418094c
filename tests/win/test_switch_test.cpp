// The test switch as the module reads it from the command line of the process it was loaded into:
// the test program starts itself with each command line and the child reports what it read.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "host/win/host_api.h"

namespace quorvel::win {
namespace {

constexpr char kReportVariable[] = "QUORVEL_REPORT_TEST_SWITCH";

// Runs this program with `commandLine` (the program name included) and gives the child's answer.
int TestSwitchOf(const std::string& commandLine) {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string line = commandLine;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  SetEnvironmentVariableA(kReportVariable, "1");
  const BOOL started =
      CreateProcessA(self, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
  SetEnvironmentVariableA(kReportVariable, nullptr);
  if (!started) return -1;
  WaitForSingleObject(process.hProcess, 30000);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

TEST(ReadTestSwitch, OnlyTheWholeArgumentCountsInAnyLetterCase) {
  struct Row {
    const char* commandLine;
    int testMode;
  };
  const Row rows[] = {
      {"B2.exe", 0},
      {"B2.exe /TESTMODE", 1},
      {"B2.exe /testmode", 1},
      {"\"C:\\Program Files\\Becky!\\B2.exe\" /JAPANESE /TestMode", 1},
      {"B2.exe \"/TESTMODE\"", 1},
      {"B2.exe /TESTMODEX", 0},
      {"B2.exe /TESTMODE2 x/testmode", 0},
      {"B2.exe -/TESTMODE", 0},
      {"/TESTMODE", 0},  // the program name is not an argument
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.commandLine);
    EXPECT_EQ(TestSwitchOf(row.commandLine), row.testMode);
  }
}

}  // namespace
}  // namespace quorvel::win

int main(int argc, char** argv) {
  if (GetEnvironmentVariableA(quorvel::win::kReportVariable, nullptr, 0) != 0) {
    return quorvel::win::ReadTestSwitch() ? 1 : 0;
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
