#include "common/form_font.h"

namespace quorvel {

bool FormFont::operator==(const FormFont& other) const {
  return name == other.name && charset == other.charset && size == other.size && color == other.color &&
         pitch == other.pitch && bold == other.bold && italic == other.italic &&
         underline == other.underline && strikeout == other.strikeout;
}

FormFont BuiltInFont(bool japanese) {
  FormFont font;
  font.name = japanese ? "ＭＳ Ｐゴシック" : "Arial";
  font.charset = japanese ? 128 : 0;
  return font;
}

void LoadFormFont(const std::string& formName, FormFont& font, bool japanese,
                  const ReadSettingFunction& read) {
  const std::string keyPath = formName + (japanese ? "\\Font\\Japanese" : "\\Font\\English");
  const std::string name = ToText(read(keyPath, "Name", Variant::String("")));
  if (name.empty()) {
    font = BuiltInFont(japanese);
    return;
  }
  font.name = ToText(read(keyPath, "Name", Variant::String(font.name)));
  font.charset = ToInteger(read(keyPath, "Charset", Variant::Int32(font.charset)), font.charset);
  font.size = ToInteger(read(keyPath, "Size", Variant::Int32(font.size)), font.size);
  font.color = static_cast<uint32_t>(
      ToInteger(read(keyPath, "Color", Variant::Int32(static_cast<int32_t>(font.color))),
                static_cast<int32_t>(font.color)));
  font.pitch = ToInteger(read(keyPath, "Pitch", Variant::Int32(font.pitch)), font.pitch);

  // A stored true turns a style on, a stored false off; without an entry it stays as designed.
  const std::pair<const char*, bool*> styles[] = {{"Bold", &font.bold},
                                                  {"Italic", &font.italic},
                                                  {"Underline", &font.underline},
                                                  {"Strikeout", &font.strikeout}};
  for (const auto& [valueName, style] : styles) {
    if (ToBoolean(read(keyPath, valueName, Variant::Boolean(false)), false)) {
      *style = true;
    } else if (!ToBoolean(read(keyPath, valueName, Variant::Boolean(true)), true)) {
      *style = false;
    }
  }
}

}  // namespace quorvel
