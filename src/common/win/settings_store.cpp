#include "common/win/settings_store.h"

#include <windows.h>

#include "common/paths.h"

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
  if (settings.table) return;
  // The module's own file name less its extension, with "ini"; without a full path of the module
  // there is no settings file (a relative one would be the current folder's).
  const std::string& own = GetOwnFileName();
  std::string path = IsFullPath(own) ? own.substr(0, own.size() - 3) + "ini" : std::string();
  SettingsTable table(SystemLeadBytes(), AnsiUpperCase, SystemSettingsFormats());
  std::string bytes;
  const FileRead read = path.empty() ? FileRead::kMissing : settings.readFile(path, bytes);
  if (read == FileRead::kRead) table.Load(bytes);
  // Loaded only now, with nothing left that can fail.
  settings.path = std::move(path);
  settings.fileUnreadable = read == FileRead::kUnreadable;
  if (read == FileRead::kRead) settings.fileBytes = std::move(bytes);
  settings.table = std::move(table);
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

bool SaveSettings(bool unlessUnchanged) {
  LoadSettings();
  SettingsState& settings = Settings();
  // What this load knows was built from defaults; even once the file can be read again, saving
  // it would replace what the user has (the known-software list above all). The next load reads it.
  if (settings.fileUnreadable || settings.path.empty()) return false;
  // The file is written only when its bytes would change, or when it has gone since. While the
  // table has had no write since the file was last read or written, it has the same bytes, which
  // then need not even be made.
  const uint64_t revision = settings.table->Revision();
  std::optional<std::string> bytes;
  if (settings.fileRevision != revision) bytes = settings.table->Save();
  if ((!bytes || bytes == settings.fileBytes) && (unlessUnchanged || FileExists(settings.path))) {
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
