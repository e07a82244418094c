// The settings table in memory and the text of the settings file: one "key=type:text" line per
// entry, in table order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/dbcs.h"
#include "common/upper_case.h"
#include "common/value_text.h"
#include "common/variant.h"

namespace quorvel {

class SettingsTable {
 public:
  SettingsTable(LeadBytes rule, UpperCase upper, SettingsFormats formats = {});

  // Replaces the rows with the lines of a settings file. Lines end at CR LF, CR or LF, a NUL ends
  // the text. The key runs to the first "=", the type word from there to the first ":", the stored
  // text to the end of the line; both searches step over double-byte characters. A line without
  // such an "=" and ":" is kept as it is, in its place, and no lookup finds it.
  void Load(std::string_view fileText);

  // Every row as its line followed by CR LF; "" for an empty table. Saving a loaded table without
  // writes gives back its lines.
  std::string Save() const;

  // The value stored under keyPath + "\" + valueName (letter case ignored, the first such row), by
  // its type word; a copy of `defaultValue` when there is none or its text does not convert.
  Variant Read(const std::string& keyPath, const std::string& valueName, const Variant& defaultValue) const;

  // Stores `value` under the key, spelled as given. Empty or null deletes the row; a kind without a
  // stored form (currency, byte) keeps the row's type word and text, or adds an empty row. Ignored
  // when a settings line could not hold the key (CR, LF, NUL, a "=", a lead byte at its end), or
  // for a date-time outside the years 1 to 9999.
  void Write(const std::string& keyPath, const std::string& valueName, const Variant& value);

  // Rows, kept lines included.
  size_t RowCount() const { return rows_.size() - deleted_; }

  // Counts the loads and writes: while it stays the same, so does what Save() gives.
  uint64_t Revision() const { return revision_; }

 private:
  static constexpr size_t kNotFound = static_cast<size_t>(-1);

  struct Row {
    std::string key;  // as last written; for a kept line, the whole line
    std::string upperKey;
    std::string typeWord;
    std::string storedText;
    bool kept = false;  // a line that is not an entry
    bool deleted = false;
    size_t nextSameKey = kNotFound;  // the next live row with this upper key
  };

  // The live rows of one upper key, linked through nextSameKey in table order.
  struct KeyRows {
    size_t first, last;
  };

  // Position of the first live row with this upper key, or kNotFound.
  size_t Find(const std::string& upperKey) const;
  // Appends a row and links it behind the others of its key.
  void Append(Row row);
  void Delete(const std::string& upperKey);
  void Compact();

  LeadBytes rule_;
  UpperCase upper_;
  SettingsFormats formats_;
  std::vector<Row> rows_;  // in table order; deleted rows stay until the next compaction
  size_t deleted_ = 0;
  // Upper key -> its live rows; the first is the one found.
  std::unordered_map<std::string, KeyRows> index_;
  uint64_t revision_ = 0;
};

}  // namespace quorvel
