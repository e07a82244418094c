#include "mail/win/stamp_plugin_header.h"

#include "host/win/module_state.h"
#include "mail/stamp.h"

namespace quorvel::win {

void StampPlugInHeader(HWND window) {
  const HostApi& host = Module().hostApi;
  const auto current = ReadWholeHeaderValue(
      [&](char* buffer, int size) { host.CompGetSpecifiedHeader(window, kPlugInHeaderName, buffer, size); });
  // A value that could not be read whole stays as it is: writing back part of it would drop the
  // entries of other plug-ins.
  if (!current) return;
  host.CompSetSpecifiedHeader(window, kPlugInHeaderName, StampedPlugInHeader(*current).c_str());
}

}  // namespace quorvel::win
