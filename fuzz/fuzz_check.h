// What the fuzz targets share: a check that stops the run, and the ASCII casing they hand the core
// in place of the system's.
#pragma once

#include <cstdlib>
#include <string>
#include "ascii_upper.h"

namespace quorvel::fuzz {

inline void Check(bool condition) {
  if (!condition) std::abort();
}

using quorvel::test::AsciiUpper;

}  // namespace quorvel::fuzz
