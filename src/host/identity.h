// Who the module is: the texts it reports to the host, stamps into mail and shows to the user.
#pragma once

#include "host/version.h"

namespace quorvel {

inline constexpr char kProductName[] = "Vintrell";
inline constexpr char kVersionText[] = QUORVEL_VERSION_TEXT;
inline constexpr char kVendorText[] = "TARVI Semmo & ZEFO Lab.";
inline constexpr char kDescription[] = "プラグイン一覧プラグイン";
inline constexpr char kModuleFileName[] = "Quorvel.dll";
inline constexpr char kModuleBaseName[] = "Quorvel";

}  // namespace quorvel
