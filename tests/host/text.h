// The host's texts: wide inside the host (its menus, its command line, file names), ANSI bytes of
// the process code page for everything plug-ins see, UTF-8 for scripts and for -utf8 output.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace b2host {

std::wstring Widen(std::string_view bytes, UINT codePage);
std::string Narrow(std::wstring_view text, UINT codePage);
inline std::wstring FromAnsi(std::string_view bytes) {
  return Widen(bytes, CP_ACP);
}
inline std::string ToAnsi(std::wstring_view text) {
  return Narrow(text, CP_ACP);
}
inline std::wstring FromUtf8(std::string_view bytes) {
  return Widen(bytes, CP_UTF8);
}
inline std::string ToUtf8(std::wstring_view text) {
  return Narrow(text, CP_UTF8);
}

std::wstring Upper(std::wstring_view text);
bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b);
bool StartsWith(std::wstring_view text, std::wstring_view prefix);

// A text given in a step or option, with \r \n \t \\ \| and \xHH escapes, as the ANSI bytes a
// plug-in would see. Other text is converted to the code page; an unknown escape is kept as written.
std::string UnescapeToAnsi(std::wstring_view text);

// ANSI bytes as printed between double quotes: \r \n \t \\ \" and \xHH for the other bytes below
// 0x20 and 0x7F; everything else (bytes 0x80 and above too) as the text it stands for.
std::wstring EscapeAnsi(std::string_view bytes);
inline std::wstring QuotedAnsi(std::string_view bytes) {
  return L"\"" + EscapeAnsi(bytes) + L"\"";
}

// The same escapes for a wide text, such as a window caption.
std::wstring EscapeWide(std::wstring_view text);
inline std::wstring QuotedWide(std::wstring_view text) {
  return L"\"" + EscapeWide(text) + L"\"";
}

// Splits at every separator; pieces may be empty.
std::vector<std::wstring> Split(std::wstring_view text, wchar_t separator);
// Splits at separators that have no backslash before them; the pieces keep their escapes.
std::vector<std::wstring> SplitUnescaped(std::wstring_view text, wchar_t separator);

std::wstring Hex(unsigned long value);

}  // namespace b2host
