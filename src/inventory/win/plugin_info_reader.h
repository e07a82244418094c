// Asking an installed plug-in module for its information: load it, call its BKC_OnPlugInInfo, free it.
#pragma once

#include <string>

#include "inventory/plugin_fields.h"

namespace quorvel::win {

// The whole record in one load of the module; every field "(unknown)" when the file cannot be
// loaded, has no BKC_OnPlugInInfo, or faults inside it.
PlugInFields ReadPlugInInfo(const std::string& path);

std::string GetPlugInInfo(const std::string& path, int field);
inline std::string GetPlugInName(const std::string& path) {
  return GetPlugInInfo(path, pifName);
}
inline std::string GetPlugInVendor(const std::string& path) {
  return GetPlugInInfo(path, pifVendor);
}
inline std::string GetPlugInVersion(const std::string& path) {
  return GetPlugInInfo(path, pifVersion);
}
inline std::string GetPlugInDescription(const std::string& path) {
  return GetPlugInInfo(path, pifDescription);
}

}  // namespace quorvel::win
