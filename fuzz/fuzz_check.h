// What the fuzz targets share: a check that stops the run, and the ASCII casing they hand the core
// in place of the system's.
#pragma once

#include <cstdlib>
#include <string>

namespace quorvel::fuzz {

inline void Check(bool condition) {
  if (!condition) std::abort();
}

inline std::string AsciiUpper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

}  // namespace quorvel::fuzz
