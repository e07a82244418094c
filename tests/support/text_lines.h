// Cutting printed text into lines, for the stand-in host and the tests that read its output.
#pragma once

#include <string>
#include <vector>

namespace quorvel::test {

// `text` cut at each LF, a CR before it dropped; a final LF adds no empty line.
inline std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find('\n', start);
    std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

}  // namespace quorvel::test
