// The four texts of a plug-in's information record, as the module reads them from other plug-ins.
#pragma once

#include <string>

#include "host/plugin_info.h"

namespace quorvel {

enum TPlugInInfoField { pifName = 0, pifVendor = 1, pifVersion = 2, pifDescription = 3 };

// What every field reads when a plug-in module cannot answer.
inline constexpr char kUnknown[] = "(unknown)";

struct PlugInFields {
  std::string name, vendor, version, description;

  static PlugInFields Unknown() { return {kUnknown, kUnknown, kUnknown, kUnknown}; }
  // Any number but the four selects the name.
  const std::string& Get(int field) const;
};

// Each field's bytes up to its first NUL, or over its whole width when it has none.
PlugInFields ReadFields(const TPlugInInfo& record);

}  // namespace quorvel
