#include "mail/stamp.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "host/identity.h"

namespace quorvel {

std::string StampedPlugInHeader(std::string_view current) {
  const std::string key = std::string(kProductName) + " Ver.";
  const std::string stamp = std::string(kProductName) + " " + kVersionText;

  std::string head(current);
  std::string tail;
  const size_t found = head.find(key);
  if (found == std::string::npos) {
    if (!head.empty()) head += ",\r\n\t";
  } else {
    const size_t comma = head.find(',', found);
    if (comma != std::string::npos) tail = head.substr(comma);
    head.erase(found);
  }
  return head + stamp + tail;
}

std::optional<std::string> ReadWholeHeaderValue(const ReadHeaderInto& read, int maxSize) {
  int size = kHeaderReadSize;
  while (true) {
    std::vector<char> buffer(static_cast<size_t>(size) + 1, '\0');
    read(buffer.data(), size);
    buffer.back() = '\0';  // a host that writes the whole buffer still leaves a text
    const size_t length = std::strlen(buffer.data());
    // A host that counts the terminating zero in the size leaves at most size - 1 characters.
    if (length + 1 < static_cast<size_t>(size)) return std::string(buffer.data(), length);
    if (size >= maxSize) return std::nullopt;
    size = std::min(maxSize, size * 2 + 1);
  }
}

}  // namespace quorvel
