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

// Findings not yet shown, one line each: the name, a space, the version text as the message wrote
// them, CR LF; in the order found, across the messages of a retrieval.
struct PendingTexts {
  std::string newMailers;         // mail programs not in the known-software list
  std::string newMailerVersions;  // known mail programs met with a newer version
  std::string newPlugIns;         // plug-ins not in the known-software list
  std::string newPlugInVersions;  // known plug-ins met with a newer version

  bool Empty() const {
    return newMailers.empty() && newMailerVersions.empty() && newPlugIns.empty() && newPlugInVersions.empty();
  }
  void Clear() { *this = PendingTexts(); }
};

// One program as a header names it: Becky! ver. 2.05.07, Vintrell Ver.0.01 Rev.4.
struct SoftwareEntry {
  std::string_view name;         // trimmed, in front of " ver"
  std::string_view versionText;  // trimmed, from the "v" of " ver" on
};

// The entry cut at its first " ver" in any letter case; nothing when there is none.
std::optional<SoftwareEntry> SplitEntryText(std::string_view entry);

// Looks `name` up: a new name is added with the key of `versionText` and reported in `newNames`; a
// known one whose key is older than that takes it and is reported in `newerVersions`.
void RecordSoftware(std::string_view name, std::string_view versionText, KnownSoftware& known,
                    std::string& newNames, std::string& newerVersions);

// Appends a comma to each header line that a continuation line follows, unless the line already
// ends with one (trailing white space aside), so that the folded parts of a header read as separate
// entries once the header is joined. Stops at the first line that is blank after trimming.
void MarkFoldedLines(MessageLines& lines);

// Scans one received message: marks its folded lines, splits it, and unless `mailerFilter` is set
// and X-Mailer does not contain it (case-sensitive), records the mail program of X-Mailer and each
// plug-in of X-Mailer-Plugin (entries cut at commas and line breaks). `warn` shows the multipart
// warnings of the split. Linear in the size of the message.
void ScanReceivedMessage(MessageLines& lines, std::string_view mailerFilter, KnownSoftware& known,
                         PendingTexts& pending, UpperCase upper, const SplitWarning& warn);

}  // namespace quorvel
