#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "common/language.h"
#include "common/win/system_text.h"
#include "common/win/wide_text.h"
#include "host/mismatch_warning.h"
#include "host/win/host_api.h"

namespace quorvel::win {

bool ReadTestSwitch() {
  const auto arguments = SplitCommandLine(GetCommandLineA());
  return std::any_of(arguments.begin() + std::min<size_t>(1, arguments.size()), arguments.end(),
                     [](const std::string& argument) { return AnsiUpperCase(argument) == "/TESTMODE"; });
}

bool BindHostApi(HostApi& api) {
  // The host is the process's own executable, so this only raises its load count. The handle is
  // kept for as long as the module is loaded and never freed.
  const HMODULE host = LoadLibraryA("B2.exe");
  if (reinterpret_cast<uintptr_t>(host) <= 32) return false;

  bool complete = true;
  for (size_t i = 0; i < kHostApiNames.size(); ++i) {
    api.entries[i] = GetProcAddress(host, kHostApiNames[i]);
    complete = complete && api.entries[i] != nullptr;
  }
  if (!complete) {
    ShowMessageBox(nullptr, ShownText(MismatchWarningText(IsJapanese())), kMismatchCaption,
                   MB_OK | MB_ICONWARNING);
  }
  return complete;
}

}  // namespace quorvel::win
