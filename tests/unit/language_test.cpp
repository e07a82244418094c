#include "common/language.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvel {
namespace {

TEST(IsJapaneseFor, SwitchesWinOverTheSystemLanguage) {
  struct Row {
    const char* name;
    std::string upperCommandLine, languageName;
    bool japanese;
  };
  const Row rows[] = {
      {"Japanese system, no switch", "\"C:\\BECKY!\\B2.EXE\"", "日本語", true},
      {"English system, no switch", "\"C:\\BECKY!\\B2.EXE\"", "English (United States)", false},
      {"/ENGLISH on a Japanese system", "B2.EXE /ENGLISH", "日本語", false},
      {"/JAPANESE on an English system", "B2.EXE /JAPANESE", "English", true},
      {"both switches: Japanese wins", "B2.EXE /ENGLISH /JAPANESE", "English", true},
      {"switch with letters behind it", "B2.EXE /ENGLISHX", "日本語", false},
      {"switch inside another argument", "B2.EXE -X/JAPANESE", "English", true},
      {"a name in English", "B2.EXE", "Japanese", false},
      {"name shorter than four bytes", "B2.EXE", "日", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(IsJapaneseFor(row.upperCommandLine, row.languageName), row.japanese);
  }
}

TEST(SplitCommandLine, SeparatesArgumentsAndDropsQuotes) {
  struct Row {
    std::string commandLine;
    std::vector<std::string> arguments;
  };
  const Row rows[] = {
      {"B2.exe /testmode", {"B2.exe", "/testmode"}},
      {"\"C:\\Program Files\\Becky!\\B2.exe\" /TESTMODE", {"C:\\Program Files\\Becky!\\B2.exe", "/TESTMODE"}},
      {"  B2.exe\t\t/a  ", {"B2.exe", "/a"}},
      {"B2.exe \"/TEST\"MODE", {"B2.exe", "/TESTMODE"}},
      {"B2.exe \"\"", {"B2.exe", ""}},
      {"", {}},
      {std::string("B2.exe /a\0/b", 12), {"B2.exe", "/a"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.commandLine);
    EXPECT_EQ(SplitCommandLine(row.commandLine), row.arguments);
  }
}

}  // namespace
}  // namespace quorvel
