#include "common/win/registry_reader.h"

#include <windows.h>

#include <memory>
#include <type_traits>

#include "common/registry_path.h"
#include "common/win/system_formats.h"
#include "common/win/system_text.h"

namespace quorvel::win {
namespace {

struct CloseKey {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
using UniqueKey = std::unique_ptr<std::remove_pointer_t<HKEY>, CloseKey>;

}  // namespace

Variant ReadRegistryValue(const std::string& path, const std::string& valueName,
                          const Variant& defaultValue) {
  const auto parsed = ParseRegistryPath(path, SystemLeadBytes(), AnsiUpperCase);
  if (!parsed) return defaultValue;

  HKEY opened = nullptr;
  const HKEY root = reinterpret_cast<HKEY>(static_cast<uintptr_t>(parsed->root));
  if (RegOpenKeyExA(root, parsed->subKey.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return defaultValue;
  const UniqueKey key(opened);

  DWORD type = REG_NONE, size = 0;
  if (RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
    return defaultValue;
  }
  std::string data(size, '\0');
  if (size > 0 && RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type,
                                   reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS) {
    return defaultValue;
  }
  data.resize(size);
  const auto converted = ConvertRegistryValue(type, data, defaultValue, SystemSettingsFormats());
  return converted ? *converted : defaultValue;
}

}  // namespace quorvel::win
