#include "mail/version_notice.h"

#include <string>

namespace quorvel {
namespace {

void AppendSection(const char* heading, const Findings& findings, bool emptyLineAfter, ShownText& notice) {
  if (findings.Empty()) return;
  // The names and versions come from mail, in the system's code page.
  notice.Fixed(heading).System(findings.lines);
  if (findings.unlisted > 0) {
    notice.Fixed(kNoticeMoreBefore).Fixed(std::to_string(findings.unlisted)).Fixed(kNoticeMoreAfter);
  }
  notice.Fixed(kNoticeSectionClosing);
  if (emptyLineAfter) notice.Fixed("\r\n");
}

}  // namespace

std::optional<ShownText> VersionNoticeText(const PendingTexts& pending) {
  if (pending.Empty()) return std::nullopt;
  ShownText notice(kNoticeOpening);
  AppendSection(kNewMailersHeading, pending.newMailers, true, notice);
  AppendSection(kNewMailerVersionsHeading, pending.newMailerVersions, true, notice);
  AppendSection(kNewPlugInsHeading, pending.newPlugIns, true, notice);
  AppendSection(kNewPlugInVersionsHeading, pending.newPlugInVersions, false, notice);
  return notice;
}

}  // namespace quorvel
