#include "pe_image.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace quorvel::test {
namespace {

class Reader {
 public:
  explicit Reader(const std::string& bytes) : bytes_(bytes) {}

  template <class T>
  T At(uint64_t offset) const {
    T value{};
    if (offset + sizeof(T) > bytes_.size()) throw std::out_of_range("read beyond the file");
    std::memcpy(&value, bytes_.data() + offset, sizeof(T));
    return value;
  }
  std::string TextAt(uint64_t offset) const {
    if (offset >= bytes_.size()) throw std::out_of_range("text beyond the file");
    const size_t end = bytes_.find('\0', offset);
    if (end == std::string::npos) throw std::out_of_range("unterminated text");
    return bytes_.substr(offset, end - offset);
  }

 private:
  const std::string& bytes_;
};

struct Section {
  uint32_t virtualAddress, virtualSize, rawOffset, rawSize;
};

}  // namespace

std::optional<PeImage> ReadPeImage(const std::string& bytes) try {
  const Reader file(bytes);
  if (file.At<uint16_t>(0) != 0x5A4D) return std::nullopt;  // "MZ"
  const uint32_t pe = file.At<uint32_t>(0x3C);
  if (file.At<uint32_t>(pe) != 0x00004550) return std::nullopt;  // "PE\0\0"

  PeImage image;
  image.machine = file.At<uint16_t>(pe + 4);
  const uint16_t sectionCount = file.At<uint16_t>(pe + 6);
  image.timeDateStamp = file.At<uint32_t>(pe + 8);
  const uint16_t optionalSize = file.At<uint16_t>(pe + 20);
  image.isDll = (file.At<uint16_t>(pe + 22) & 0x2000) != 0;
  const uint32_t optional = pe + 24;
  // The data directories follow the fields whose width differs between PE32 and PE32+ (64-bit).
  const uint16_t magic = file.At<uint16_t>(optional);
  if (magic != 0x10B && magic != 0x20B) return std::nullopt;
  const uint32_t directories = optional + (magic == 0x20B ? 112 : 96);
  image.fileSize = bytes.size();
  image.osVersion[0] = file.At<uint16_t>(optional + 40);
  image.osVersion[1] = file.At<uint16_t>(optional + 42);
  image.subsystemVersion[0] = file.At<uint16_t>(optional + 48);
  image.subsystemVersion[1] = file.At<uint16_t>(optional + 50);

  std::vector<Section> sections;
  for (uint32_t i = 0, at = optional + optionalSize; i < sectionCount; ++i, at += 40) {
    sections.push_back({file.At<uint32_t>(at + 12), file.At<uint32_t>(at + 8), file.At<uint32_t>(at + 20),
                        file.At<uint32_t>(at + 16)});
  }
  const auto offsetOf = [&](uint32_t rva) -> uint64_t {
    for (const Section& s : sections) {
      if (rva >= s.virtualAddress && rva < s.virtualAddress + std::max(s.virtualSize, s.rawSize)) {
        return uint64_t{s.rawOffset} + (rva - s.virtualAddress);
      }
    }
    throw std::out_of_range("address outside every section");
  };

  if (const uint32_t exports = file.At<uint32_t>(directories)) {
    const uint64_t dir = offsetOf(exports);
    image.exportTimeDateStamp = file.At<uint32_t>(dir + 4);
    image.exportName = file.TextAt(offsetOf(file.At<uint32_t>(dir + 12)));
    image.ordinalBase = file.At<uint32_t>(dir + 16);
    image.exportSlots = file.At<uint32_t>(dir + 20);
    const uint32_t nameCount = file.At<uint32_t>(dir + 24);
    const uint64_t functions = offsetOf(file.At<uint32_t>(dir + 28));
    for (uint32_t i = 0; i < image.exportSlots; ++i) {
      if (file.At<uint32_t>(functions + 4 * i) != 0) image.usedOrdinals.push_back(image.ordinalBase + i);
    }
    if (nameCount > 0) {
      const uint64_t names = offsetOf(file.At<uint32_t>(dir + 32));
      const uint64_t ordinals = offsetOf(file.At<uint32_t>(dir + 36));
      for (uint32_t i = 0; i < nameCount; ++i) {
        const std::string name = file.TextAt(offsetOf(file.At<uint32_t>(names + 4 * i)));
        image.exportOrdinals[name] = image.ordinalBase + file.At<uint16_t>(ordinals + 2 * i);
      }
    }
  }

  if (const uint32_t imports = file.At<uint32_t>(directories + 8)) {
    for (uint64_t entry = offsetOf(imports);; entry += 20) {
      const uint32_t nameRva = file.At<uint32_t>(entry + 12);
      if (nameRva == 0) break;
      const std::string dll = file.TextAt(offsetOf(nameRva));
      image.importedDlls.push_back(dll);
      // The lookup table (or, without one, the address table): one entry per function, by name
      // unless its top bit says by ordinal.
      const uint32_t lookup =
          file.At<uint32_t>(entry) ? file.At<uint32_t>(entry) : file.At<uint32_t>(entry + 16);
      const uint32_t width = magic == 0x20B ? 8 : 4;
      for (uint64_t at = offsetOf(lookup);; at += width) {
        const uint64_t thunk = width == 8 ? file.At<uint64_t>(at) : file.At<uint32_t>(at);
        if (thunk == 0) break;
        const bool byOrdinal = thunk >> (width * 8 - 1);
        if (!byOrdinal)
          image.importedFunctions.push_back(dll + "!" +
                                            file.TextAt(offsetOf(static_cast<uint32_t>(thunk)) + 2));
      }
    }
  }
  return image;
} catch (const std::out_of_range&) {
  return std::nullopt;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace quorvel::test
