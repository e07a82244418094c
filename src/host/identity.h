// Who the module is: the texts it reports to the host, stamps into mail and shows to the user.
#pragma once

#include "host/version.h"

namespace quorvel {

inline constexpr char kProductName[] = "Vintrell";
inline constexpr char kVersionText[] = QUORVEL_VERSION_TEXT;
inline constexpr char kVendorText[] = "TARVI Semmo & ZEFO Lab.";
inline constexpr char kDescription[] = "プラグイン一覧プラグイン";
// The plug-in information record is ANSI: a system of another code page than 932 would read the
// Shift-JIS description as other characters, so there it is in English.
inline constexpr char kDescriptionEnglish[] = "Plug-in list plug-in";
inline constexpr char kModuleFileName[] = "Quorvel.dll";
inline constexpr char kModuleBaseName[] = "Quorvel";

}  // namespace quorvel
