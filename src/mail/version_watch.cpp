#include "mail/version_watch.h"

#include "mail/mail_text.h"
#include "mail/version_key.h"

namespace quorvel {
namespace {

bool StartsWithBlank(std::string_view line) {
  return !line.empty() && (line[0] == ' ' || line[0] == '\t');
}

size_t FindEntryEnd(std::string_view list) {
  for (size_t at = 0; at < list.size(); ++at) {
    if (list[at] == ',' || list[at] == '\r' || list[at] == '\n') return at;
  }
  return std::string_view::npos;
}

}  // namespace

void Findings::Add(std::string_view name, std::string_view versionText) {
  if (listed == kListedFindings) {
    ++unlisted;
    return;
  }
  lines.append(name).append(" ").append(versionText).append("\r\n");
  ++listed;
}

std::optional<SoftwareEntry> SplitEntryText(std::string_view entry) {
  // The entry is lower-cased before " ver" is searched in it; the ASCII search finds the same place
  // (see mail_text.h).
  const size_t ver = FindNoCase(entry, " VER");
  if (ver == std::string_view::npos) return std::nullopt;
  return SoftwareEntry{Trimmed(entry.substr(0, ver)), Trimmed(entry.substr(ver + 1))};
}

void RecordSoftware(std::string_view name, std::string_view versionText, KnownSoftware& known,
                    Findings& newNames, Findings& newerVersions) {
  if (name.size() > kLongestEntryText || versionText.size() > kLongestEntryText) return;
  std::string key = NormalizeVersion(versionText);
  const size_t entry = known.Find(name);
  if (entry == KnownSoftware::kNotFound) {
    known.Add(std::string(name), std::move(key));
    newNames.Add(name, versionText);
  } else if (IsNewerVersion(key, known.KnownVersions()[entry])) {
    known.SetVersion(entry, std::move(key));
    newerVersions.Add(name, versionText);
  }
}

void MarkFoldedLines(MessageLines& lines) {
  // Has, not Count: only the header is cut here.
  for (size_t i = 0; lines.Has(i + 1); ++i) {
    const std::string_view line = Trimmed(lines[i]);
    if (line.empty()) break;
    if (StartsWithBlank(lines[i + 1]) && line.back() != ',') lines.AppendComma(i);
  }
}

void ScanReceivedMessage(MessageLines& lines, std::string_view mailerFilter, KnownSoftware& known,
                         PendingTexts& pending, UpperCase upper, const SplitWarning& warn) {
  MarkFoldedLines(lines);
  // Only the header is read: the cost of a message does not grow with its body.
  LineList headerLines;
  SplitHeader(lines, headerLines, upper, warn);

  const std::string mailerValue = FindHeaderValue("X-MAILER:", headerLines);
  const std::string_view mailer = Trimmed(mailerValue);
  if (!mailerFilter.empty() && mailer.find(mailerFilter) == std::string_view::npos) return;
  if (const auto program = SplitEntryText(mailer)) {
    RecordSoftware(program->name, program->versionText, known, pending.newMailers, pending.newMailerVersions);
  }

  const std::string plugInValue = FindHeaderValue("X-MAILER-PLUGIN:", headerLines);
  std::string_view list = Trimmed(plugInValue);
  for (size_t entries = 0; !list.empty() && entries < kPlugInEntriesRead;) {
    // Views only: a list of thousands of entries is walked once, not copied once per entry.
    const size_t end = FindEntryEnd(list);
    std::string_view entry = list;
    if (end == std::string_view::npos) {
      list = std::string_view();
    } else {
      entry = Trimmed(list.substr(0, end));
      list = Trimmed(list.substr(end + 1));
    }
    if (entry.empty()) continue;
    ++entries;
    if (const auto plugIn = SplitEntryText(entry)) {
      RecordSoftware(plugIn->name, plugIn->versionText, known, pending.newPlugIns, pending.newPlugInVersions);
    }
  }
}

}  // namespace quorvel
