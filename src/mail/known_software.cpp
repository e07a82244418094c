#include "mail/known_software.h"

#include <algorithm>
#include <utility>

#include "mail/version_key.h"

namespace quorvel {

size_t KnownSoftware::Find(std::string_view name) const {
  const auto found = firstByUpperName_.find(upper_(std::string(name)));
  return found == firstByUpperName_.end() ? kNotFound : found->second;
}

void KnownSoftware::Add(std::string name, std::string versionKey) {
  // A later entry of a name already there is kept but never found, as in a list searched from the top.
  ++revision_;
  firstByUpperName_.emplace(upper_(name), names_.size());
  names_.push_back(std::move(name));
  versions_.push_back(std::move(versionKey));
}

void KnownSoftware::SetVersion(size_t entry, std::string versionKey) {
  versions_.at(entry) = std::move(versionKey);
  ++revision_;
}

void KnownSoftware::Clear() {
  ++revision_;
  names_.clear();
  versions_.clear();
  firstByUpperName_.clear();
}

std::string EntryKeyPath(size_t entry) {
  return std::string(kKnownSoftwareKeyPath) + "\\" + std::to_string(entry);
}

std::vector<StoredEntry> ReadStoredEntries(int32_t count, size_t storeRows, const ReadStoredText& read) {
  std::vector<StoredEntry> entries;
  if (count <= 0) return entries;
  const size_t readable = std::min(static_cast<size_t>(count), storeRows);
  entries.reserve(readable);
  for (size_t n = 0; n < readable; ++n) {
    const std::string path = EntryKeyPath(n);
    StoredEntry entry;
    entry.name = read(path, kNameValueName);
    entry.version = read(path, kVersionValueName);
    entries.push_back(std::move(entry));
  }
  return entries;
}

void SeedKnownSoftware(KnownSoftware& known, const std::vector<StoredEntry>& stored,
                       std::string_view hostVersionText, const std::vector<InstalledPlugIn>& installed) {
  known.Clear();
  for (const StoredEntry& entry : stored) {
    // Keys hold only digits, "/" and spaces; a "v" marks a version text stored by an older module.
    const bool isText = entry.version.find_first_of("vV") != std::string::npos;
    known.Add(entry.name, isText ? NormalizeVersion(entry.version) : entry.version);
  }
  if (known.Find(kHostEntryName) == KnownSoftware::kNotFound) {
    known.Add(kHostEntryName, NormalizeVersion(hostVersionText));
  }
  for (const InstalledPlugIn& plugIn : installed) {
    std::string key = NormalizeVersion(plugIn.versionText);
    const size_t entry = known.Find(plugIn.name);
    if (entry == KnownSoftware::kNotFound) {
      known.Add(plugIn.name, std::move(key));
    } else if (IsNewerVersion(key, known.KnownVersions()[entry])) {
      known.SetVersion(entry, std::move(key));
    }
  }
}

void WriteKnownSoftware(const KnownSoftware& known, const WriteStoredValue& write) {
  write(kKnownSoftwareKeyPath, kCountValueName, Variant::Int32(static_cast<int32_t>(known.Count())));
  for (size_t n = 0; n < known.Count(); ++n) {
    const std::string path = EntryKeyPath(n);
    write(path, kNameValueName, Variant::String(known.KnownNames()[n]));
    write(path, kVersionValueName, Variant::String(known.KnownVersions()[n]));
  }
}

std::string MailerFilter(bool beckyOnly) {
  return beckyOnly ? "Becky" : "";
}

}  // namespace quorvel
