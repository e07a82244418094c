// The About dialog's texts.
#pragma once

namespace quorvel {

inline constexpr char kAboutCaptionJapanese[] = "Quorvel について";
inline constexpr char kAboutCaptionEnglish[] = "About Quorvel";
inline constexpr char kFreeTextEnglish[] = "No need to send fee nor to get licence for this plugin.";
inline constexpr char kAuthorCopyright[] = "Copyright (C) 2026 TARVI Semmo";
inline constexpr char kMakerCopyright[] = "Copyright (C) 2026 ZEFO Lab.";

}  // namespace quorvel
