#include "common/win/wide_text.h"

namespace quorvel::win {

std::wstring Widened(std::string_view bytes, UINT codePage) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  int length = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  if (length <= 0 && codePage != CP_ACP) return Widened(bytes, CP_ACP);
  std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
  length = MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), length);
  wide.resize(static_cast<size_t>(length > 0 ? length : 0));
  return wide;
}

std::wstring FixedWide(std::string_view bytes) {
  return Widened(bytes, 932);
}

std::wstring ToWide(const ShownText& text) {
  std::wstring wide;
  for (const TextPiece& piece : text.Pieces())
    wide += Widened(piece.bytes, piece.fixed ? 932 : CP_ACP);
  return wide;
}

std::string Narrowed(std::wstring_view text, UINT codePage) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  int length = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(length > 0 ? length : 0), '\0');
  length = WideCharToMultiByte(codePage, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
  narrow.resize(static_cast<size_t>(length > 0 ? length : 0));
  return narrow;
}

int ShowMessageBox(HWND owner, const ShownText& text, std::string_view fixedCaption, UINT type) {
  return MessageBoxW(owner, ToWide(text).c_str(), FixedWide(fixedCaption).c_str(), type);
}

}  // namespace quorvel::win
