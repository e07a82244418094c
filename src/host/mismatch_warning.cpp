#include "host/mismatch_warning.h"

#include "host/identity.h"

namespace quorvel {

std::string MismatchWarningText(bool japanese) {
  const std::string product = kProductName;
  if (japanese) {
    return product + " のバージョンと\r\nBecky! のバージョンが合っていないようです。\r\n\r\n" + product +
           " のバージョンは\r\n" + kVersionText + " です。";
  }
  return "Version Mismatch\r\nbetween " + product + " & Becky!\r\n\r\n" + product + " is " + kVersionText +
         ".";
}

}  // namespace quorvel
