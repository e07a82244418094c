#include "host/plugin_info.h"

#include <cstring>

#include "host/identity.h"

namespace quorvel {
namespace {

template <size_t Width, size_t Length>
void CopyText(char (&field)[Width], const char (&text)[Length]) {
  static_assert(Length <= Width, "every text fits its field with its zero byte");
  std::memcpy(field, text, Length);
}

}  // namespace

void FillPlugInInfo(TPlugInInfo& info, bool shiftJisSystem) {
  CopyText(info.Name, kProductName);
  CopyText(info.Vendor, kVendorText);
  CopyText(info.Version, kVersionText);
  if (shiftJisSystem) {
    CopyText(info.Description, kDescription);
  } else {
    CopyText(info.Description, kDescriptionEnglish);
  }
}

}  // namespace quorvel
