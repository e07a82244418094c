#include "common/win/help.h"

#include <shellapi.h>

#include <string>

#include "common/help_texts.h"
#include "common/win/folder_listing.h"
#include "common/win/module_paths.h"
#include "common/win/system_text.h"
#include "host/identity.h"

namespace quorvel::win {

void ShowHelp(HWND owner) {
  const std::string base = GetOwnFolder() + kModuleBaseName;
  std::string help = base + kEnglishHelpEnding;
  if (IsJapanese() || !FileExists(help)) help = base + kJapaneseHelpEnding;
  if (FileExists(help)) {
    ShellExecuteA(owner, "OPEN", help.c_str(), "", "", SW_SHOW);
    return;
  }
  const MissingHelpMessage message = MissingHelp(help, IsJapanese());
  MessageBoxA(owner, message.text.c_str(), message.caption.c_str(), MB_OK | MB_ICONWARNING);
}

}  // namespace quorvel::win
