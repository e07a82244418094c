#include "text.h"

#include <cwchar>

namespace b2host {

std::wstring Widen(std::string_view bytes, UINT codePage) {
  if (bytes.empty()) return {};
  int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(n, L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
  return text;
}

std::string Narrow(std::wstring_view text, UINT codePage) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                              nullptr);
  std::string bytes(n, '\0');
  WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr,
                      nullptr);
  return bytes;
}

std::wstring Upper(std::wstring_view text) {
  std::wstring upper(text);
  if (!upper.empty()) CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
  return upper;
}

bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b) {
  return Upper(a) == Upper(b);
}

bool StartsWith(std::wstring_view text, std::wstring_view prefix) {
  return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

namespace {

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

}  // namespace

std::string UnescapeToAnsi(std::wstring_view text) {
  std::string bytes;
  std::wstring run;  // plain text waiting for conversion, so that characters stay whole
  auto flush = [&] {
    bytes += ToAnsi(run);
    run.clear();
  };
  for (size_t i = 0; i < text.size(); ++i) {
    wchar_t c = text[i];
    if (c != L'\\' || i + 1 == text.size()) {
      run += c;
      continue;
    }
    wchar_t e = text[i + 1];
    char plain = 0;
    switch (e) {
      case L'r':
        plain = '\r';
        break;
      case L'n':
        plain = '\n';
        break;
      case L't':
        plain = '\t';
        break;
      case L'\\':
        plain = '\\';
        break;
      case L'|':
        plain = '|';
        break;
      default:
        break;
    }
    if (plain) {
      flush();
      bytes += plain;
      ++i;
    } else if (e == L'x' && i + 3 < text.size() && HexDigit(text[i + 2]) >= 0 && HexDigit(text[i + 3]) >= 0) {
      flush();
      bytes += static_cast<char>(HexDigit(text[i + 2]) * 16 + HexDigit(text[i + 3]));
      i += 3;
    } else {
      run += c;
    }
  }
  flush();
  return bytes;
}

std::wstring EscapeAnsi(std::string_view bytes) {
  std::wstring text;
  std::string run;
  auto flush = [&] {
    text += FromAnsi(run);
    run.clear();
  };
  for (size_t i = 0; i < bytes.size(); ++i) {
    unsigned char b = static_cast<unsigned char>(bytes[i]);
    // A double-byte character stays whole even when its second byte is a backslash.
    if (b >= 0x80 && i + 1 < bytes.size() && IsDBCSLeadByte(b) &&
        static_cast<unsigned char>(bytes[i + 1]) >= 0x40) {
      run += bytes.substr(i, 2);
      ++i;
      continue;
    }
    const wchar_t* escape = nullptr;
    switch (b) {
      case '\r':
        escape = L"\\r";
        break;
      case '\n':
        escape = L"\\n";
        break;
      case '\t':
        escape = L"\\t";
        break;
      case '\\':
        escape = L"\\\\";
        break;
      case '"':
        escape = L"\\\"";
        break;
      default:
        break;
    }
    if (escape) {
      flush();
      text += escape;
    } else if (b < 0x20 || b == 0x7F) {
      flush();
      wchar_t hex[8];
      swprintf(hex, 8, L"\\x%02X", b);
      text += hex;
    } else {
      run += static_cast<char>(b);
    }
  }
  flush();
  return text;
}

std::wstring EscapeWide(std::wstring_view text) {
  std::wstring escaped;
  for (wchar_t c : text) {
    switch (c) {
      case L'\r':
        escaped += L"\\r";
        break;
      case L'\n':
        escaped += L"\\n";
        break;
      case L'\t':
        escaped += L"\\t";
        break;
      case L'\\':
        escaped += L"\\\\";
        break;
      case L'"':
        escaped += L"\\\"";
        break;
      default:
        if (c < 0x20 || c == 0x7F) {
          wchar_t hex[8];
          swprintf(hex, 8, L"\\x%02X", static_cast<unsigned>(c));
          escaped += hex;
        } else {
          escaped += c;
        }
    }
  }
  return escaped;
}

std::vector<std::wstring> Split(std::wstring_view text, wchar_t separator) {
  std::vector<std::wstring> pieces;
  size_t start = 0;
  for (;;) {
    size_t at = text.find(separator, start);
    pieces.emplace_back(
        text.substr(start, at == std::wstring_view::npos ? std::wstring_view::npos : at - start));
    if (at == std::wstring_view::npos) return pieces;
    start = at + 1;
  }
}

std::vector<std::wstring> SplitUnescaped(std::wstring_view text, wchar_t separator) {
  std::vector<std::wstring> pieces(1);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\\' && i + 1 < text.size()) {
      pieces.back() += text.substr(i, 2);
      ++i;
    } else if (text[i] == separator) {
      pieces.emplace_back();
    } else {
      pieces.back() += text[i];
    }
  }
  return pieces;
}

std::wstring Hex(unsigned long value) {
  wchar_t buffer[16];
  swprintf(buffer, 16, L"0x%08lX", value);
  return buffer;
}

}  // namespace b2host
