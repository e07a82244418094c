#include "common/win/help.h"

#include <shellapi.h>

#include <string>

#include "common/help_texts.h"
#include "common/win/folder_listing.h"
#include "common/win/module_paths.h"
#include "common/win/system_text.h"
#include "common/win/wide_text.h"
#include "host/identity.h"

namespace quorvel::win {

namespace {

// The English file when English is in force and it exists, else the Japanese one; empty when that
// does not exist either.
std::string HelpFile(const std::string& base, const char* englishEnding, const char* japaneseEnding) {
  const std::string english = base + englishEnding;
  if (!IsJapanese() && FileExists(english)) return english;
  const std::string japanese = base + japaneseEnding;
  return FileExists(japanese) ? japanese : std::string();
}

}  // namespace

void ShowHelp(HWND owner) {
  const std::string base = GetOwnFolder() + kModuleBaseName;
  std::string help = HelpFile(base, kEnglishHelpEnding, kJapaneseHelpEnding);
  if (help.empty()) help = HelpFile(base, kEnglishPageEnding, kJapanesePageEnding);
  if (!help.empty()) {
    ShellExecuteA(owner, "OPEN", help.c_str(), "", "", SW_SHOW);
    return;
  }
  const MissingHelpMessage message = MissingHelp(base + kJapaneseHelpEnding, IsJapanese());
  ShowMessageBox(owner, message.text, message.caption, MB_OK | MB_ICONWARNING);
}

}  // namespace quorvel::win
