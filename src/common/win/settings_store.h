// The module's settings: typed values in the settings file beside the module file (Quorvel.ini for
// Quorvel.dll), read whole at first use and written whole when a caller saves.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/settings_table.h"
#include "common/variant.h"
#include "common/win/file_io.h"

namespace quorvel::win {

// The store's part of the module state.
struct SettingsState {
  // Beside the module's own file; empty when that is not known, and then nothing is read or written.
  std::string path;
  // There once the file has been read and parsed: the store is loaded.
  std::optional<SettingsTable> table;
  // How the file is read: the system's file functions, or a test's.
  FileRead (*readFile)(const std::string& path, std::string& bytes) = ReadWholeFile;
  // The file exists but could not be read: saving would wipe what the user has, so every save is
  // refused until the next load of the module reads it.
  bool fileUnreadable = false;
  // The bytes the file held when the store last read or wrote it; nothing while it has neither.
  std::optional<std::string> fileBytes;
  // The table's revision whose bytes fileBytes holds, so that a save after no write to the table
  // makes no bytes at all.
  std::optional<uint64_t> fileRevision;
};

// Loads the table at the first use of the store. Only a file read and parsed whole loads it: a
// failure on the way (out of memory) leaves the store unloaded, so that no save writes an empty table
// over the user's file, and the next use tries again.
void LoadSettings();
Variant ReadSetting(const std::string& keyPath, const std::string& valueName, const Variant& defaultValue);
void WriteSetting(const std::string& keyPath, const std::string& valueName, const Variant& value);
// The rows of the table, lines that are not entries included.
size_t SettingsRowCount();
// True when the file now holds the table. The file is written only when the table's bytes differ
// from those it last read or wrote, or the file has gone since: a retrieval that finds nothing new
// costs the disk no flush. With `unlessUnchanged`, a table with the bytes last read or written is
// not even compared with the disk (whether the file is still there costs a call of the system; a
// retrieval asks once, at its end). A failed save leaves the old file whole and the table in
// memory; the next save tries again. A file that could not be read is written by no save of this
// load of the module.
bool SaveSettings(bool unlessUnchanged = false);

}  // namespace quorvel::win
