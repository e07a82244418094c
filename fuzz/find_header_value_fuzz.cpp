// Reads a header from arbitrary lines: no crash, and the value is the one that a plain model of the
// rule gives (upper-case a copy of each line's start, join the continuations).
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "mail/header_parsing.h"

namespace {

using namespace quorvel;
using fuzz::AsciiUpper;
using fuzz::Check;

std::string Model(const std::string& name, const LineList& lines) {
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string line(lines[i]);
    if (AsciiUpper(line.substr(0, name.size())) != name) continue;
    std::string value = line.substr(std::min(name.size(), line.size()));
    while (!value.empty() && static_cast<unsigned char>(value.front()) <= 32)
      value.erase(0, 1);
    while (!value.empty() && static_cast<unsigned char>(value.back()) <= 32)
      value.pop_back();
    for (size_t j = i + 1;
         j < lines.size() && !lines[j].empty() && (lines[j][0] == ' ' || lines[j][0] == '\t'); ++j)
      value += std::string(lines[j]).substr(1);
    return value;
  }
  return "";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const char* names[] = {"X-MAILER:", "X-MAILER-PLUGIN:", "CONTENT-TYPE:", "", "A"};
  const std::string name = names[data[0] % 5];
  const MessageLines lines(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
  LineList list;
  for (size_t i = 0; i < lines.Count(); ++i)
    list.push_back(lines[i]);
  Check(FindHeaderValue(name, list) == Model(name, list));
  return 0;
}
