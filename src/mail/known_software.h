// The module's memory of every mail program and plug-in it has met, each with the newest version
// key seen, and its stored form in the settings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/upper_case.h"
#include "common/variant.h"

namespace quorvel {

// How the host names itself in the X-Mailer header of the mail it sends.
inline constexpr char kHostEntryName[] = "Becky!";

// The stored form: "Plugins"/"Count", then "Name" and "Version" under "Plugins\0", "Plugins\1", ...
inline constexpr char kKnownSoftwareKeyPath[] = "Plugins";
inline constexpr char kCountValueName[] = "Count";
inline constexpr char kNameValueName[] = "Name";
inline constexpr char kVersionValueName[] = "Version";
// The mailer filter's option, written by the setup dialog.
inline constexpr char kCheckKeyPath[] = "Check";
inline constexpr char kBeckyOnlyValueName[] = "BeckyOnly";

// Names and version keys in the order they were added; nothing sorts or removes them. Names keep
// the spelling they were first met in and are looked up without regard to letter case (the system's
// rules), the first entry of a name being the one found, through an index: a lookup costs the same
// for ten entries as for ten thousand.
class KnownSoftware {
 public:
  static constexpr size_t kNotFound = static_cast<size_t>(-1);

  explicit KnownSoftware(UpperCase upper) : upper_(upper) {}

  const std::vector<std::string>& KnownNames() const { return names_; }
  const std::vector<std::string>& KnownVersions() const { return versions_; }
  size_t Count() const { return names_.size(); }

  // The first entry named `name` in any letter case, or kNotFound.
  size_t Find(std::string_view name) const;
  void Add(std::string name, std::string versionKey);
  // Entry `entry` (< Count()) takes `versionKey`.
  void SetVersion(size_t entry, std::string versionKey);
  void Clear();
  // Counts the changes: while it stays the same, so does the list.
  uint64_t Revision() const { return revision_; }

 private:
  UpperCase upper_;
  std::vector<std::string> names_;
  std::vector<std::string> versions_;
  std::unordered_map<std::string, size_t> firstByUpperName_;
  uint64_t revision_ = 0;
};

// One entry as the settings hold it; the version may be an old version text rather than a key.
struct StoredEntry {
  std::string name;
  std::string version;
};

// A plug-in installed for the host, as its plug-in information names it ("(unknown)" for a module
// that cannot answer).
struct InstalledPlugIn {
  std::string name;
  std::string versionText;
};

// "Plugins\" followed by `entry` in decimal.
std::string EntryKeyPath(size_t entry);

// Reads a stored string, "" when it is missing.
using ReadStoredText = std::function<std::string(const std::string& keyPath, const std::string& valueName)>;

// The stored entries 0 to count - 1, "Name" before "Version", a missing one read as two empty texts;
// a count of 0 or below reads none. A list of n entries takes 2n + 1 rows of the store, so a count
// beyond `storeRows` (the rows the store holds) can only be damage: only the first `storeRows`
// entries are read, since reading a count near 2^31 of missing entries would hang the host and
// exhaust its memory.
std::vector<StoredEntry> ReadStoredEntries(int32_t count, size_t storeRows, const ReadStoredText& read);

// Fills `known` afresh: the stored entries in their order, a stored version text (one holding a "v"
// in either case) turned into its key; the host entry with the key of `hostVersionText` unless a
// stored name equals "Becky!" in some letter case; then each installed plug-in, added when its name
// is new and otherwise only raising a stored key that is older than its own.
void SeedKnownSoftware(KnownSoftware& known, const std::vector<StoredEntry>& stored,
                       std::string_view hostVersionText, const std::vector<InstalledPlugIn>& installed);

// Writes one stored value.
using WriteStoredValue =
    std::function<void(const std::string& keyPath, const std::string& valueName, const Variant& value)>;

// The whole list in its stored form, in this order: "Plugins"/"Count" (32-bit integer), then per
// entry "Name" and "Version" (strings). The caller then saves the settings file.
void WriteKnownSoftware(const KnownSoftware& known, const WriteStoredValue& write);

// The mailer filter that "Check"/"BeckyOnly" (default true) selects: "Becky" or empty.
std::string MailerFilter(bool beckyOnly);

}  // namespace quorvel
