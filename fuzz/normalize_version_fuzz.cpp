// Keys of arbitrary version texts: four-digit groups joined by single "/" or spaces; the same key as
// a character-by-character model of the rule with its "s" end marker; letters do not matter; and the
// order of two keys is a strict one.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "mail/version_key.h"

namespace {

using namespace quorvel;
using fuzz::Check;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string Model(std::string text) {
  text += 's';
  std::string key, run;
  char previous = 0;
  bool first = true;
  for (char c : text) {
    if (IsDigit(c)) {
      run += c;
    } else {
      if (!run.empty()) {
        if (!key.empty() && key.back() == '/') {
          key += (run + "000").substr(0, 4);
        } else {
          const std::string padded = "0000" + run;
          key += padded.substr(padded.size() - 4);
        }
        run.clear();
      }
      if (c == '.') {
        if (first || previous == ' ') {
          key += "0000/";
        } else if (IsDigit(previous)) {
          key += "/";
        }
      } else if (!key.empty() && key.back() == '/') {
        key += "0000 ";
      } else if (!key.empty() && key.back() != ' ') {
        key += " ";
      }
    }
    previous = c;
    first = false;
  }
  if (!key.empty() && key.back() == ' ') key.pop_back();
  return key;
}

void CheckShape(const std::string& key) {
  for (size_t at = 0; at < key.size(); at += 5) {
    Check(at + 4 <= key.size());
    for (size_t i = at; i < at + 4; ++i)
      Check(IsDigit(key[i]));
    if (at + 4 < key.size()) Check(key[at + 4] == '/' || key[at + 4] == ' ');
  }
  Check(key.empty() || key.back() != ' ');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string key = NormalizeVersion(text);
  CheckShape(key);
  Check(key == Model(text));

  // Any character that is neither digit, dot nor space acts as any other.
  std::string lettersReplaced = text;
  for (char& c : lettersReplaced)
    if (!IsDigit(c) && c != '.' && c != ' ') c = 'x';
  Check(NormalizeVersion(lettersReplaced) == key);

  const std::string other = NormalizeVersion(text.substr(size / 2));
  const bool newer = IsNewerVersion(key, other), older = IsNewerVersion(other, key);
  Check(!(newer && older));
  Check(newer || older || key == other);
  return 0;
}
