// Everything the host prints: whole lines with LF ends, written straight to the standard output
// handle (no CR LF translation, nothing buffered), so a harness that kills a hung host still has
// every line printed before.
#pragma once

#include <string_view>

namespace b2host {

// UTF-8 with -utf8, otherwise the ANSI code page.
void PrintInUtf8(bool utf8);
void PrintLine(std::wstring_view text);

}  // namespace b2host
