// The NoLoadPin setting: plug-in file names, separated by "/", that the host does not load. It lives
// in the host's registry settings, where the module also reads it.
#pragma once

#include <string>

#include "options.h"

namespace b2host {

// Carries out the -noloadpin option; false (after printing why) when the registry refused.
bool ApplyNoLoadPinOption(const Options& options);

// The value as the host reads it: a REG_SZ or REG_EXPAND_SZ text up to its first NUL, taken as it
// is; any other type counts as no value.
std::wstring ReadNoLoadPin();

// Whether "/" + NAME + "/" occurs in "/" + NOLOADPIN + "/", both upper-cased.
bool IsPinnedOut(const std::wstring& noLoadPin, const std::wstring& fileName);

}  // namespace b2host
