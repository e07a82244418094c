// Choosing between Japanese and English, and reading the host's command line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// The language in force, from the host's whole command line (already upper-cased) and the name that
// the system gives its default language: "/JAPANESE" anywhere wins, then "/ENGLISH", then a language
// name that begins with "日本".
bool IsJapaneseFor(std::string_view upperCommandLine, std::string_view languageName);

// The arguments of a command line, the program name first. Arguments are separated by characters of
// code 32 or less; double quotes group and are dropped.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

}  // namespace quorvel
