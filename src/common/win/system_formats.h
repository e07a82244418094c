#pragma once

#include "common/value_text.h"

namespace quorvel::win {

// The user's decimal, date and time separators and date order, for stored numbers and dates.
SettingsFormats SystemSettingsFormats();

}  // namespace quorvel::win
