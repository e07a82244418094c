#include "mail/version_key.h"

namespace quorvel {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool EndsWith(const std::string& key, char c) {
  return !key.empty() && key.back() == c;
}

// Appends the four-digit group of one digit run.
void CloseRun(std::string_view run, std::string& key) {
  if (EndsWith(key, '/')) {
    key.append(run.substr(0, 4));
    key.append(4 - (run.size() < 4 ? run.size() : 4), '0');
  } else {
    if (run.size() < 4) key.append(4 - run.size(), '0');
    key.append(run.size() < 4 ? run : run.substr(run.size() - 4));
  }
}

}  // namespace

std::string NormalizeVersion(std::string_view text) {
  std::string key;
  key.reserve(text.size() + 8);
  // The end of the text acts as one more character that is neither digit nor dot, so that the last
  // run and the last dot are closed like the others.
  size_t runStart = 0;
  bool inRun = false;
  for (size_t i = 0; i <= text.size(); ++i) {
    const bool atEnd = i == text.size();
    const char c = atEnd ? 's' : text[i];
    if (!atEnd && IsDigit(c)) {
      if (!inRun) runStart = i;
      inRun = true;
      continue;
    }
    if (inRun) {
      CloseRun(text.substr(runStart, i - runStart), key);
      inRun = false;
    }
    if (c == '.') {
      const bool first = i == 0;
      if (first || text[i - 1] == ' ') {
        key += "0000/";
      } else if (IsDigit(text[i - 1])) {
        key += '/';
      }
    } else if (EndsWith(key, '/')) {
      key += "0000 ";
    } else if (!key.empty() && !EndsWith(key, ' ')) {
      key += ' ';
    }
  }
  if (EndsWith(key, ' ')) key.pop_back();
  return key;
}

bool IsNewerVersion(std::string_view a, std::string_view b) {
  // char_traits<char> compares as unsigned char, like memcmp, and a prefix sorts first.
  return a.compare(b) > 0;
}

}  // namespace quorvel
