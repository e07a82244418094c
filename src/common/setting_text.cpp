#include "common/setting_text.h"

namespace quorvel {
namespace {

// Both walks cut the text into characters the same way. Lead bytes of the code pages Windows has
// are all 0x80 or above; holding to that keeps "%" and the control bytes single-byte characters
// whatever rule is handed in, so the two walks cannot drift apart.
bool BeginsDoubleByte(std::string_view text, size_t at, const LeadBytes& rule) {
  const auto byte = static_cast<unsigned char>(text[at]);
  return byte >= 0x80 && rule.IsLead(byte) && at + 1 < text.size();
}

void AppendCode(std::string& out, unsigned char byte) {
  static const char kHex[] = "0123456789ABCDEF";
  out += '%';
  out += kHex[byte >> 4];
  out += kHex[byte & 0x0F];
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string EscapeSettingText(std::string_view text, const LeadBytes& rule) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (size_t at = 0; at < text.size();) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (BeginsDoubleByte(text, at, rule)) {
      if (static_cast<unsigned char>(text[at + 1]) >= 0x20) {
        out.append(text, at, 2);
        at += 2;
      } else {
        // Kept raw, this lead byte would swallow the control byte behind it.
        AppendCode(out, byte);
        ++at;
      }
    } else {
      if (byte == '%') {
        out += "%%";
      } else if (byte < 0x20) {
        AppendCode(out, byte);
      } else {
        out += static_cast<char>(byte);
      }
      ++at;
    }
  }
  return out;
}

std::optional<std::string> UnescapeSettingText(std::string_view text, const LeadBytes& rule) {
  std::string out;
  out.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    if (BeginsDoubleByte(text, at, rule)) {
      out.append(text, at, 2);
      at += 2;
    } else if (text[at] != '%') {
      out += text[at++];
    } else if (at + 1 == text.size()) {
      return std::nullopt;
    } else if (text[at + 1] == '%') {
      out += '%';
      at += 2;
    } else {
      const size_t digits = at + 2 < text.size() ? 2 : 1;
      int code = 0;
      for (size_t i = 1; i <= digits; ++i) {
        const int digit = HexValue(text[at + i]);
        if (digit < 0) return std::nullopt;
        code = code * 16 + digit;
      }
      out += static_cast<char>(code);
      at += 1 + digits;
    }
  }
  return out;
}

}  // namespace quorvel
