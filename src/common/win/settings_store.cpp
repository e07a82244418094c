#include "common/win/settings_store.h"

#include <windows.h>

#include "common/win/file_io.h"
#include "common/win/module_paths.h"
#include "common/win/system_formats.h"
#include "common/win/system_text.h"
#include "host/win/module_state.h"

namespace quorvel::win {
namespace {

SettingsState& Settings() {
  return Module().settings;
}

// Reads the file into a fresh table; false, with the table left as it was, when the file exists
// but cannot be read.
bool ReadSettingsFile(SettingsState& settings) {
  std::string bytes;
  const FileRead read = ReadWholeFile(settings.path, bytes);
  settings.fileUnreadable = read == FileRead::kUnreadable;
  if (settings.fileUnreadable) return false;
  settings.table->Load(bytes);
  return true;
}

}  // namespace

void LoadSettings() {
  SettingsState& settings = Settings();
  if (!settings.path.empty()) return;
  const std::string& own = GetOwnFileName();
  settings.path = own.substr(0, own.size() >= 3 ? own.size() - 3 : 0) + "ini";
  settings.table.emplace(SystemLeadBytes(), AnsiUpperCase, SystemSettingsFormats());
  ReadSettingsFile(settings);
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
  // Once the file can be read again its rows are the ones that count; they are saved unchanged.
  if (settings.fileUnreadable && !ReadSettingsFile(settings)) return false;
  return ReplaceWholeFile(settings.path, settings.table->Save());
}

}  // namespace quorvel::win
