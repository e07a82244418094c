#include "common/win/settings_store.h"

#include <windows.h>

#include "common/win/file_io.h"
#include "common/win/folder_listing.h"
#include "common/win/module_paths.h"
#include "common/win/system_formats.h"
#include "common/win/system_text.h"
#include "host/win/module_state.h"

namespace quorvel::win {
namespace {

SettingsState& Settings() {
  return Module().settings;
}

}  // namespace

void LoadSettings() {
  SettingsState& settings = Settings();
  if (!settings.path.empty()) return;
  const std::string& own = GetOwnFileName();
  settings.path = own.substr(0, own.size() >= 3 ? own.size() - 3 : 0) + "ini";
  settings.table.emplace(SystemLeadBytes(), AnsiUpperCase, SystemSettingsFormats());
  std::string bytes;
  const FileRead read = ReadWholeFile(settings.path, bytes);
  settings.fileUnreadable = read == FileRead::kUnreadable;
  if (read != FileRead::kRead) return;
  settings.table->Load(bytes);
  settings.fileBytes = std::move(bytes);
}

Variant ReadSetting(const std::string& keyPath, const std::string& valueName, const Variant& defaultValue) {
  LoadSettings();
  return Settings().table->Read(keyPath, valueName, defaultValue);
}

void WriteSetting(const std::string& keyPath, const std::string& valueName, const Variant& value) {
  LoadSettings();
  Settings().table->Write(keyPath, valueName, value);
}

size_t SettingsRowCount() {
  LoadSettings();
  return Settings().table->RowCount();
}

bool SaveSettings() {
  LoadSettings();
  SettingsState& settings = Settings();
  // What this load knows was built from defaults; even once the file can be read again, saving
  // it would replace what the user has (the known-software list above all). The next load reads it.
  if (settings.fileUnreadable) return false;
  // The file is written only when its bytes would change, or when it has gone since. While the
  // table has had no write since the file was last read or written, it has the same bytes, which
  // then need not even be made.
  const uint64_t revision = settings.table->Revision();
  std::optional<std::string> bytes;
  if (settings.fileRevision != revision) bytes = settings.table->Save();
  if ((!bytes || bytes == settings.fileBytes) && FileExists(settings.path)) {
    settings.fileRevision = revision;
    return true;
  }
  if (!bytes) bytes = settings.table->Save();
  if (!ReplaceWholeFile(settings.path, *bytes)) return false;
  settings.fileBytes = std::move(bytes);
  settings.fileRevision = revision;
  return true;
}

}  // namespace quorvel::win
