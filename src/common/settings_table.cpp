#include "common/settings_table.h"

#include <algorithm>
#include <utility>

#include "common/setting_text.h"

namespace quorvel {
namespace {

// Deleted rows are swept out once they are this many and outnumber the live ones, so that deletes
// stay cheap and the table does not grow without end.
constexpr size_t kCompactionFloor = 64;

std::string JoinKey(const std::string& keyPath, const std::string& valueName) {
  return keyPath + "\\" + valueName;
}

// Whether "key=" reads back as this key: no line break or NUL, no "=" at a character boundary, and
// no lead byte at the end that would take the "=" for its trail byte.
bool LineCanHoldKey(const std::string& key, const LeadBytes& rule) {
  if (key.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) return false;
  if (DbcsPos("=", key, rule) != 0) return false;
  size_t at = 0;
  while (at < key.size()) {
    if (!rule.IsLead(static_cast<unsigned char>(key[at]))) {
      ++at;
    } else if (at + 1 < key.size()) {
      at += 2;
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

SettingsTable::SettingsTable(LeadBytes rule, UpperCase upper, SettingsFormats formats)
    : rule_(rule), upper_(upper), formats_(formats) {}

void SettingsTable::Load(std::string_view fileText) {
  ++revision_;
  rows_.clear();
  index_.clear();
  deleted_ = 0;
  fileText = fileText.substr(0, fileText.find('\0'));
  const size_t lines = static_cast<size_t>(std::count(fileText.begin(), fileText.end(), '\n')) + 1;
  rows_.reserve(lines);
  index_.reserve(lines);
  size_t start = 0;
  while (start < fileText.size()) {
    size_t end = start;
    while (end < fileText.size() && fileText[end] != '\r' && fileText[end] != '\n')
      ++end;
    const std::string_view line = fileText.substr(start, end - start);
    start = end + (fileText.compare(end, 2, "\r\n") == 0 ? 2 : 1);

    Row row;
    const int equals = DbcsPos("=", line, rule_);
    if (equals > 0) row.key = DbcsCopy(line, 1, equals - 1, rule_);
    const std::string_view rest = equals > 0 ? line.substr(row.key.size() + 1) : std::string_view();
    const int colon = equals > 0 ? DbcsPos(":", rest, rule_) : 0;
    if (colon == 0) {
      row.key = std::string(line);
      row.kept = true;
      rows_.push_back(std::move(row));
      continue;
    }
    row.typeWord = DbcsCopy(rest, 1, colon - 1, rule_);
    row.storedText = std::string(rest.substr(row.typeWord.size() + 1));
    row.upperKey = upper_(row.key);
    Append(std::move(row));
  }
}

std::string SettingsTable::Save() const {
  size_t size = 0;
  for (const Row& row : rows_)
    size += row.key.size() + row.typeWord.size() + row.storedText.size() + 4;
  std::string text;
  text.reserve(size);
  for (const Row& row : rows_) {
    if (row.deleted) continue;
    text += row.key;
    if (!row.kept) {
      text += '=';
      text += row.typeWord;
      text += ':';
      text += row.storedText;
    }
    text += "\r\n";
  }
  return text;
}

Variant SettingsTable::Read(const std::string& keyPath, const std::string& valueName,
                            const Variant& defaultValue) const {
  const size_t position = Find(upper_(JoinKey(keyPath, valueName)));
  if (position == kNotFound) return defaultValue;
  const std::string& type = rows_[position].typeWord;
  const std::string& text = rows_[position].storedText;
  if (type == "Boolean") return Variant::Boolean(text == "True");
  if (type == "Date") {
    const auto days = ParseDate(text, formats_);
    return days ? Variant::Date(*days) : defaultValue;
  }
  if (type == "Float") {
    const auto number = ParseFloat(text, formats_.decimalSeparator);
    return number ? Variant::Double(*number) : defaultValue;
  }
  if (type == "Integer") {
    const auto number = ParseInteger(text);
    return number ? Variant::Int32(*number) : defaultValue;
  }
  auto string = UnescapeSettingText(text, rule_);
  return string ? Variant::String(std::move(*string)) : defaultValue;
}

void SettingsTable::Write(const std::string& keyPath, const std::string& valueName, const Variant& value) {
  ++revision_;
  const std::string key = JoinKey(keyPath, valueName);
  if (!LineCanHoldKey(key, rule_)) return;
  std::string upperKey = upper_(key);
  if (value.IsEmptyOrNull()) {
    Delete(upperKey);
    return;
  }

  bool encoded = true;
  std::string type, text;
  switch (value.Kind()) {
    case VariantKind::kBoolean:
      type = "Boolean", text = value.Integer() != 0 ? "True" : "False";
      break;
    case VariantKind::kDate: {
      auto date = FormatDate(value.Real(), formats_);
      if (!date) return;
      type = "Date", text = std::move(*date);
      break;
    }
    case VariantKind::kSingle:
    case VariantKind::kDouble:
      type = "Float", text = FormatFloat(value.Real(), formats_.decimalSeparator);
      break;
    case VariantKind::kInt16:
    case VariantKind::kInt32:
      type = "Integer", text = std::to_string(value.Integer());
      break;
    case VariantKind::kString:
      type = "String", text = EscapeSettingText(value.Text(), rule_);
      break;
    default:
      encoded = false;
  }

  size_t position = Find(upperKey);
  if (position == kNotFound) {
    position = rows_.size();
    Row row;
    row.upperKey = std::move(upperKey);
    Append(std::move(row));
  }
  Row& row = rows_[position];
  row.key = key;
  if (encoded) {
    row.typeWord = std::move(type);
    row.storedText = std::move(text);
  }
}

size_t SettingsTable::Find(const std::string& upperKey) const {
  const auto found = index_.find(upperKey);
  return found == index_.end() ? kNotFound : found->second.first;
}

void SettingsTable::Append(Row row) {
  const size_t position = rows_.size();
  const auto [found, isNew] = index_.try_emplace(row.upperKey, KeyRows{position, position});
  if (!isNew) {
    rows_[found->second.last].nextSameKey = position;
    found->second.last = position;
  }
  rows_.push_back(std::move(row));
}

void SettingsTable::Delete(const std::string& upperKey) {
  const auto found = index_.find(upperKey);
  if (found == index_.end()) return;
  Row& row = rows_[found->second.first];
  row.deleted = true;
  ++deleted_;
  // The next row with the same key, if any, becomes the one found.
  if (row.nextSameKey == kNotFound) {
    index_.erase(found);
  } else {
    found->second.first = row.nextSameKey;
  }
  if (deleted_ >= kCompactionFloor && deleted_ * 2 > rows_.size()) Compact();
}

void SettingsTable::Compact() {
  std::vector<Row> rows = std::move(rows_);
  rows_.clear();
  rows_.reserve(rows.size() - deleted_);
  index_.clear();
  deleted_ = 0;
  for (Row& row : rows) {
    if (row.deleted) continue;
    row.nextSameKey = kNotFound;
    if (row.kept) {
      rows_.push_back(std::move(row));
    } else {
      Append(std::move(row));
    }
  }
}

}  // namespace quorvel
