// The notice that tells the user, in Japanese whatever the interface language, what the version
// watch has found.
#pragma once

#include <optional>
#include <string>

#include "common/shown_text.h"
#include "host/identity.h"
#include "mail/version_watch.h"

namespace quorvel {

// Shift-JIS in the built module.
inline constexpr char kNoticeOpening[] = "今受信したメールによると、\r\n";
inline constexpr char kNewMailersHeading[] = "新しいメールソフト\r\n";
inline constexpr char kNewMailerVersionsHeading[] = "メールソフトの新しいバージョン\r\n";
inline constexpr char kNewPlugInsHeading[] = "新しいプラグイン\r\n";
inline constexpr char kNewPlugInVersionsHeading[] = "プラグインの新しいバージョン\r\n";
inline constexpr char kNoticeSectionClosing[] = "が出たようです。\r\n";
// After the listed findings of a section, how many more there are: "ほか 12 件".
inline constexpr char kNoticeMoreBefore[] = "ほか ";
inline constexpr char kNoticeMoreAfter[] = " 件\r\n";

// Shown with the information icon.
inline constexpr const char* kVersionNoticeCaption = kProductName;

// The opening line, then each kind of findings that has any under its heading: the listed lines, a
// line saying how many more there are when there are more, and the closing line; each section
// followed by an empty line except the last one, that of newer plug-in versions. Nothing when there
// are no findings.
std::optional<ShownText> VersionNoticeText(const PendingTexts& pending);

}  // namespace quorvel
