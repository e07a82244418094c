// The version watch over received mail: the mail program of X-Mailer and the plug-ins of
// X-Mailer-Plugin, compared with the known-software list; what is new waits in four texts for the
// notice at the end of the retrieval.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/upper_case.h"
#include "mail/header_parsing.h"
#include "mail/known_software.h"
#include "mail/message_lines.h"

namespace quorvel {

// The most findings of one kind that a notice lists; the rest it only counts.
inline constexpr size_t kListedFindings = 50;

// Findings of one kind not yet shown: the first kListedFindings as lines (the name, a space, the
// version text as the message wrote them, CR LF) in the order found across the messages of a
// retrieval; beyond those only a count, so that what waits for the notice stays small whatever the
// mail names.
struct Findings {
  std::string lines;
  size_t listed = 0;
  size_t unlisted = 0;

  void Add(std::string_view name, std::string_view versionText);
  bool Empty() const { return listed == 0 && unlisted == 0; }
  bool operator==(const Findings& other) const {
    return lines == other.lines && listed == other.listed && unlisted == other.unlisted;
  }
};

struct PendingTexts {
  Findings newMailers;         // mail programs not in the known-software list
  Findings newMailerVersions;  // known mail programs met with a newer version
  Findings newPlugIns;         // plug-ins not in the known-software list
  Findings newPlugInVersions;  // known plug-ins met with a newer version

  bool Empty() const {
    return newMailers.Empty() && newMailerVersions.Empty() && newPlugIns.Empty() && newPlugInVersions.Empty();
  }
  void Clear() { *this = PendingTexts(); }
};

// What one message can add: no real program's or plug-in's name or version text is longer (a
// plug-in's own information record holds 80 bytes), and no real header names more plug-ins. An
// entry beyond either bound is not read.
inline constexpr size_t kLongestEntryText = 255;
inline constexpr size_t kPlugInEntriesRead = 100;

// One program as a header names it: Becky! ver. 2.05.07, Vintrell Ver.0.01 Rev.4.
struct SoftwareEntry {
  std::string_view name;         // trimmed, in front of " ver"
  std::string_view versionText;  // trimmed, from the "v" of " ver" on
};

// The entry cut at its first " ver" in any letter case; nothing when there is none.
std::optional<SoftwareEntry> SplitEntryText(std::string_view entry);

// Looks `name` up: a new name is added with the key of `versionText` and reported in `newNames`; a
// known one whose key is older than that takes it and is reported in `newerVersions`. A name or
// version text longer than kLongestEntryText changes nothing.
void RecordSoftware(std::string_view name, std::string_view versionText, KnownSoftware& known,
                    Findings& newNames, Findings& newerVersions);

// Appends a comma to each header line that a continuation line follows, unless the line already
// ends with one (trailing white space aside), so that the folded parts of a header read as separate
// entries once the header is joined. Stops at the first line that is blank after trimming.
void MarkFoldedLines(MessageLines& lines);

// Scans one received message: marks its folded lines, splits it, and unless `mailerFilter` is set
// and X-Mailer does not contain it (case-sensitive), records the mail program of X-Mailer and the
// plug-ins of the first kPlugInEntriesRead entries of X-Mailer-Plugin (entries cut at commas and line
// breaks; empty ones do not count). `warn` shows the multipart warnings of the split. Linear in the
// size of the message.
void ScanReceivedMessage(MessageLines& lines, std::string_view mailerFilter, KnownSoftware& known,
                         PendingTexts& pending, UpperCase upper, const SplitWarning& warn);

}  // namespace quorvel
