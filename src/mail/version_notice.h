// The notice that tells the user, in Japanese whatever the interface language, what the version
// watch has found.
#pragma once

#include <optional>
#include <string>

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

// Shown with the information icon.
inline constexpr const char* kVersionNoticeCaption = kProductName;

// The opening line, then each non-empty text under its heading with the closing line, each section
// followed by an empty line except the last one, that of newer plug-in versions. Nothing when all
// four texts are empty.
std::optional<std::string> VersionNoticeText(const PendingTexts& pending);

}  // namespace quorvel
