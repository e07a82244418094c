#pragma once

#include <string>

#include "common/variant.h"

namespace quorvel::win {

// One value of the registry, by full key path ("\HKEY_CURRENT_USER\Software\...") or a path under
// the module's own key, converted to the kind of `defaultValue`; the default when the key or value
// is missing or stored in a type that does not fit. Keys are opened for reading only.
Variant ReadRegistryValue(const std::string& path, const std::string& valueName, const Variant& defaultValue);

}  // namespace quorvel::win
