// Reads the export and import tables of a PE file (32-bit, or the 64-bit twin's) from its bytes, for
// tests that check what a built binary offers to and needs from the system. Plain C++: it reads the
// product's tables on any machine, without running it.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quorvel::test {

struct PeImage {
  uint16_t machine = 0;  // 0x14C for i386, 0x8664 for x64
  bool isDll = false;
  uint32_t timeDateStamp = 0;
  size_t fileSize = 0;
  // The oldest Windows the file says it runs on, as major and minor version (6.1: Windows 7).
  uint16_t osVersion[2] = {};
  uint16_t subsystemVersion[2] = {};

  std::string exportName;  // the module name that the export directory gives
  uint32_t ordinalBase = 0;
  uint32_t exportSlots = 0;                        // entries of the export address table
  std::map<std::string, uint32_t> exportOrdinals;  // name -> ordinal (base included)
  std::vector<uint32_t> usedOrdinals;              // ordinals whose slot holds an address
  uint32_t exportTimeDateStamp = 0;

  std::vector<std::string> importedDlls;       // in table order, as written
  std::vector<std::string> importedFunctions;  // "DLL!Name" of those imported by name
};

// Nothing when the bytes are not a well-formed PE image.
std::optional<PeImage> ReadPeImage(const std::string& bytes);

std::string ReadWholeFile(const std::string& path);

}  // namespace quorvel::test
