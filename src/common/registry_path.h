// Registry paths as the module writes them ("\HKEY_CURRENT_USER\Software\...") and the conversion
// of a registry value to the kind of a default.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/dbcs.h"
#include "common/upper_case.h"
#include "common/value_text.h"
#include "common/variant.h"

namespace quorvel {

// Root key handles, as the registry functions take them.
inline constexpr uint32_t kClassesRoot = 0x80000000;
inline constexpr uint32_t kCurrentUser = 0x80000001;
inline constexpr uint32_t kLocalMachine = 0x80000002;
inline constexpr uint32_t kUsers = 0x80000003;
inline constexpr uint32_t kCurrentConfig = 0x80000005;
inline constexpr uint32_t kDynData = 0x80000006;

struct RegistryPath {
  uint32_t root = kCurrentUser;
  std::string subKey;
};

// "\ROOT\sub\key": the root name (any letter case) and the rest; "\ROOT" alone has an empty sub-key.
// A path that does not begin with "\" lies under the module's own key of the current user. nullopt
// when the root name is none of the six. The path ends at its first NUL.
std::optional<RegistryPath> ParseRegistryPath(std::string_view path, const LeadBytes& rule, UpperCase upper);

// Stored data types of registry values.
inline constexpr uint32_t kRegString = 1;
inline constexpr uint32_t kRegExpandString = 2;
inline constexpr uint32_t kRegBinary = 3;
inline constexpr uint32_t kRegNumber = 4;

// The value of `type` with the bytes `data` (a string as the registry returns it, its NUL included
// or not), read as the kind of `defaultValue`; nullopt when the type or size does not fit that kind
// or a string does not convert. A 32-bit number must be exactly 4 bytes.
std::optional<Variant> ConvertRegistryValue(uint32_t type, const std::string& data,
                                            const Variant& defaultValue, const SettingsFormats& formats);

}  // namespace quorvel
