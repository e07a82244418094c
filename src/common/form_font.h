// A form's font as the settings keep it: under the form's name + "\Font\Japanese" or "\Font\English",
// with a built-in font for each language when no face name is stored.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "common/variant.h"

namespace quorvel {

// The system colour index of window text, as a stored colour: 0x80000000 + index.
inline constexpr uint32_t kWindowTextColour = 0x80000008;

struct FormFont {
  std::string name;
  int32_t charset = 0;                 // 0 ANSI, 128 Shift-JIS
  int32_t size = 9;                    // points
  uint32_t color = kWindowTextColour;  // 0x00BBGGRR, or 0x80000000 + a system colour index
  int32_t pitch = 0;                   // 0 default, 1 variable, 2 fixed
  bool bold = false, italic = false, underline = false, strikeout = false;

  bool operator==(const FormFont& other) const;
};

// "ＭＳ Ｐゴシック" 9 points, Shift-JIS, for Japanese; "Arial" 9 points, ANSI, for English.
FormFont BuiltInFont(bool japanese);

using ReadSettingFunction = std::function<Variant(const std::string& keyPath, const std::string& valueName,
                                                  const Variant& defaultValue)>;

// Applies the font stored for `formName` in the language in force to `font`: the built-in font when
// no face name is stored; otherwise every stored value, and each style only where it is stored.
void LoadFormFont(const std::string& formName, FormFont& font, bool japanese,
                  const ReadSettingFunction& read);

}  // namespace quorvel
