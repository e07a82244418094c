#include "mail/win/version_watch_shell.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/win/settings_store.h"
#include "common/win/system_text.h"
#include "common/win/wide_text.h"
#include "host/win/boundary_guard.h"
#include "host/win/command_callbacks.h"
#include "host/win/module_state.h"
#include "inventory/win/plugin_discovery.h"
#include "inventory/win/plugin_info_reader.h"
#include "mail/version_notice.h"

namespace quorvel::win {
namespace {

// The multipart warnings of a message: no owner, an empty caption, the exclamation icon.
void ShowSplitWarning(const std::string& text) {
  MessageBoxA(nullptr, text.c_str(), "", MB_OK | MB_ICONEXCLAMATION);
}

void ShowVersionNotice(const PendingTexts& pending) {
  if (const auto notice = VersionNoticeText(pending)) {
    ShowMessageBox(nullptr, *notice, kVersionNoticeCaption, MB_OK | MB_ICONINFORMATION);
  }
}

std::string StoredText(const std::string& keyPath, const std::string& valueName) {
  return ToText(ReadSetting(keyPath, valueName, Variant::String("")));
}

// The host's text is read where it lies, so the lines let go of it before the callback returns.
// The message's multipart warnings are shown once the scan is over: a message box runs the
// host's message loop, in which the host may hand over the next message, and that scan reuses
// the lines this one would still be reading.
void Scan(ModuleState& module, const char* text) {
  std::vector<std::string> warnings;
  module.messageLines.SetText(text ? text : "");
  ScanReceivedMessage(module.messageLines, module.mailerFilter, *module.knownSoftware, module.pending,
                      AnsiUpperCase,
                      [&warnings](const std::string& warning) { warnings.push_back(warning); });
  module.messageLines.SetText(std::string_view());
  for (const std::string& warning : warnings)
    ShowSplitWarning(warning);
}

// The whole source of the host's current mail, copied; the host's own allocation of it is given back
// at once, whatever happens while it is copied.
std::string CurrentMailSource(const HostApi& host) {
  // The identifier is the host's text until its next API call: copied before that call.
  const char* mail = host.GetCurrentMail();
  const std::string mailId = mail ? mail : "";
  const auto giveBack = [&host](char* text) { host.Free(text); };
  const std::unique_ptr<char, decltype(giveBack)> source(host.GetSource(mailId.c_str()), giveBack);
  return source ? std::string(source.get()) : std::string();
}

// Shows what the pending texts hold and empties them. They are emptied before the box is shown,
// so that what a retrieval inside the box's message loop finds waits for the next notice.
void ShowAndClearVersionNotice(PendingTexts& pending) {
  ShowVersionNotice(std::exchange(pending, PendingTexts()));
}

}  // namespace

void LoadKnownSoftware() {
  ModuleState& module = Module();
  if (!module.knownSoftware) {
    LoadSettings();
    module.pending.Clear();
    module.messageLines = MessageLines();
    const int32_t count =
        ToInteger(ReadSetting(kKnownSoftwareKeyPath, kCountValueName, Variant::Int32(0)), 0);
    const std::vector<StoredEntry> stored = ReadStoredEntries(count, SettingsRowCount(), StoredText);
    std::vector<InstalledPlugIn> installed;
    for (const std::string& path : ListPlugInFiles()) {
      const PlugInFields fields = ReadPlugInInfo(path);  // one load for both fields
      installed.push_back({fields.name, fields.version});
    }
    const char* hostVersion = module.hostApi.GetVersion();
    KnownSoftware known(AnsiUpperCase);
    SeedKnownSoftware(known, stored, hostVersion ? hostVersion : "", installed);
    module.knownSoftware = std::move(known);
    module.knownSoftwareWritten.reset();
  }
  ReadMailerFilter();
}

void SaveKnownSoftware(bool unlessUnchanged) {
  ModuleState& module = Module();
  if (!module.knownSoftware) return;
  if (module.knownSoftwareWritten != module.knownSoftware->Revision()) {
    WriteKnownSoftware(*module.knownSoftware, WriteSetting);
    module.knownSoftwareWritten = module.knownSoftware->Revision();
  }
  SaveSettings(unlessUnchanged);
}

void ReadMailerFilter() {
  Module().mailerFilter =
      MailerFilter(ToBoolean(ReadSetting(kCheckKeyPath, kBeckyOnlyValueName, Variant::Boolean(true)), true));
}

void ReleaseKnownSoftware() {
  ModuleState& module = Module();
  module.knownSoftware.reset();
  module.knownSoftwareWritten.reset();
  module.messageLines = MessageLines();
}

void ScanRetrievedMessage(LPCSTR text) {
  ModuleState& module = Module();
  if (!module.knownSoftware) LoadKnownSoftware();
  Scan(module, text);
  // What a message found is in the file at once; a message that found nothing costs no look at
  // the disk: the end of the retrieval looks whether the file is still there.
  SaveKnownSoftware(/*unlessUnchanged=*/true);
  module.scannedSinceFinish = true;
}

void FinishRetrieval() {
  ModuleState& module = Module();
  if (std::exchange(module.scannedSinceFinish, false)) SaveKnownSoftware();
  ShowAndClearVersionNotice(module.pending);
}

// The version watch on the host's current mail, its findings shown at once.
void WINAPI TestCommand(HWND, LPARAM) {
  AtHostBoundary([] {
    ModuleState& module = Module();
    if (!module.knownSoftware) LoadKnownSoftware();
    const std::string source = CurrentMailSource(module.hostApi);
    Scan(module, source.c_str());
    ShowAndClearVersionNotice(module.pending);
    SaveKnownSoftware();
  });
}

}  // namespace quorvel::win
