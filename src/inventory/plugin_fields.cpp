#include "inventory/plugin_fields.h"

#include <cstring>

namespace quorvel {
namespace {

template <size_t Width>
std::string FieldText(const char (&field)[Width]) {
  const void* nul = std::memchr(field, '\0', Width);
  return std::string(field, nul ? static_cast<const char*>(nul) - field : Width);
}

}  // namespace

const std::string& PlugInFields::Get(int field) const {
  switch (field) {
    case pifVendor:
      return vendor;
    case pifVersion:
      return version;
    case pifDescription:
      return description;
    default:
      return name;
  }
}

PlugInFields ReadFields(const TPlugInInfo& record) {
  return {FieldText(record.Name), FieldText(record.Vendor), FieldText(record.Version),
          FieldText(record.Description)};
}

}  // namespace quorvel
