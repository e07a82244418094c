// The upper-casing that tests, fuzz targets and benchmarks hand to the core in place of the
// system's: ASCII letters only, the length kept.
#pragma once

#include <string>

namespace quorvel::test {

inline std::string AsciiUpper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

}  // namespace quorvel::test
