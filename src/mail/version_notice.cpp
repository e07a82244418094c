#include "mail/version_notice.h"

namespace quorvel {
namespace {

void AppendSection(const char* heading, const std::string& findings, bool emptyLineAfter,
                   std::string& notice) {
  if (findings.empty()) return;
  notice.append(heading).append(findings).append(kNoticeSectionClosing);
  if (emptyLineAfter) notice.append("\r\n");
}

}  // namespace

std::optional<std::string> VersionNoticeText(const PendingTexts& pending) {
  if (pending.Empty()) return std::nullopt;
  std::string notice = kNoticeOpening;
  AppendSection(kNewMailersHeading, pending.newMailers, true, notice);
  AppendSection(kNewMailerVersionsHeading, pending.newMailerVersions, true, notice);
  AppendSection(kNewPlugInsHeading, pending.newPlugIns, true, notice);
  AppendSection(kNewPlugInVersionsHeading, pending.newPlugInVersions, false, notice);
  return notice;
}

}  // namespace quorvel
