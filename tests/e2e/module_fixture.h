// A host installation with Quorvel.dll in the program folder's PlugIns\, for the module's
// end-to-end tests.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "host_session.h"

namespace e2e {

class ModuleTest : public ::testing::Test {
 protected:
  void SetUp() override { installation.InstallBuilt("Quorvel.dll", PlugIns(), "Quorvel.dll"); }

  std::string PlugIns() const { return installation.ProgramFolder() + "PlugIns\\"; }

  // Runs the host and fails the test when it did not end normally.
  HostRun Run(const std::vector<std::string>& arguments) const {
    HostRun run = installation.Run(arguments);
    EXPECT_FALSE(run.timedOut) << run.output;
    EXPECT_EQ(run.exitCode, 0) << run.output;
    return run;
  }

  Installation installation;
};

// How the host shows a Japanese text that came from mail under the code page in force: its
// Shift-JIS bytes read as characters of that code page (the text itself under code page 932). The
// module's own texts read as themselves on every code page.
inline std::string ShownJapanese(const std::string& utf8) {
  const auto convert = [](const std::string& text, UINT from, UINT to) {
    const int wideLength =
        MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(wideLength, L'\0');
    MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), wide.data(), wideLength);
    const int length = WideCharToMultiByte(to, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string converted(length, '\0');
    WideCharToMultiByte(to, 0, wide.data(), wideLength, converted.data(), length, nullptr, nullptr);
    return converted;
  };
  return convert(convert(utf8, CP_UTF8, 932), CP_ACP, CP_UTF8);
}

// The lines of every message box the run showed: its header line and its text lines.
inline std::vector<Lines> MessageBoxes(const HostRun& run) {
  std::vector<Lines> boxes;
  bool inBox = false;
  for (const std::string& line : run.Lines()) {
    if (line.rfind("message box: ", 0) == 0) {
      boxes.push_back({line});
      inBox = true;
    } else if (inBox && !line.empty() && line[0] == '|') {
      boxes.back().push_back(line);
    } else {
      inBox = false;
    }
  }
  return boxes;
}

}  // namespace e2e
