#include "common/registry_path.h"

#include <cstring>

namespace quorvel {
namespace {

struct RootName {
  const char* name;
  uint32_t root;
};

constexpr RootName kRoots[] = {
    {"HKEY_CLASSES_ROOT", kClassesRoot},     {"HKEY_CURRENT_USER", kCurrentUser},
    {"HKEY_LOCAL_MACHINE", kLocalMachine},   {"HKEY_USERS", kUsers},
    {"HKEY_CURRENT_CONFIG", kCurrentConfig}, {"HKEY_DYN_DATA", kDynData},
};

// The little-endian bytes of `data` as a value of the same size.
template <class T>
T FromBytes(const std::string& data) {
  uint64_t bits = 0;
  for (size_t i = sizeof(T); i-- > 0;)
    bits = bits << 8 | static_cast<unsigned char>(data[i]);
  T value;
  if constexpr (sizeof(T) == 8) {
    std::memcpy(&value, &bits, 8);
  } else {
    const auto narrow = static_cast<uint32_t>(bits);
    std::memcpy(&value, &narrow, 4);
  }
  return value;
}

bool IsFalseWord(const std::string& text) {
  if (text.size() != 5) return false;
  for (size_t i = 0; i < 5; ++i) {
    const char c = text[i] >= 'a' && text[i] <= 'z' ? static_cast<char>(text[i] - 'a' + 'A') : text[i];
    if (c != "FALSE"[i]) return false;
  }
  return true;
}

}  // namespace

std::optional<RegistryPath> ParseRegistryPath(std::string_view path, const LeadBytes& rule, UpperCase upper) {
  path = path.substr(0, path.find('\0'));
  if (path.empty() || path[0] != '\\')
    return RegistryPath{kCurrentUser, "Software\\ZEFO Lab\\Vintrell\\" + std::string(path)};
  const std::string_view rest = path.substr(1);
  const int backslash = DbcsPos("\\", rest, rule);
  const std::string rootName = backslash > 0 ? DbcsCopy(rest, 1, backslash - 1, rule) : std::string(rest);
  const std::string subKey = backslash > 0 ? DbcsCopy(rest, backslash + 1, kEndMarker, rule) : std::string();
  const std::string upperName = upper(rootName);
  for (const RootName& root : kRoots) {
    if (upperName == root.name) return RegistryPath{root.root, subKey};
  }
  return std::nullopt;
}

std::optional<Variant> ConvertRegistryValue(uint32_t type, const std::string& data,
                                            const Variant& defaultValue, const SettingsFormats& formats) {
  const bool isString = type == kRegString;
  const std::string text = isString ? data.substr(0, data.find('\0')) : std::string();
  const bool isNumber = type == kRegNumber && data.size() == 4;
  const bool isEightBytes = type == kRegBinary && data.size() == 8;
  switch (defaultValue.Kind()) {
    case VariantKind::kInt16:
    case VariantKind::kInt32:
      if (isNumber) return Variant::Int32(FromBytes<int32_t>(data));
      if (isString) {
        if (const auto number = ParseInteger(text)) return Variant::Int32(*number);
      }
      return std::nullopt;
    case VariantKind::kSingle:
    case VariantKind::kDouble:
      if (isEightBytes) return Variant::Double(FromBytes<double>(data));
      if (isString) {
        if (const auto number = ParseFloat(text, formats.decimalSeparator)) return Variant::Double(*number);
      }
      return std::nullopt;
    case VariantKind::kCurrency:
      if (isEightBytes) return Variant::Currency(FromBytes<int64_t>(data));
      if (isString) {
        if (const auto amount = ParseCurrency(text, formats.decimalSeparator))
          return Variant::Currency(*amount);
      }
      return std::nullopt;
    case VariantKind::kDate:
      if (isEightBytes) return Variant::Date(FromBytes<double>(data));
      if (isString) {
        if (const auto days = ParseDate(text, formats)) return Variant::Date(*days);
      }
      return std::nullopt;
    case VariantKind::kBoolean:
      if (isNumber) return Variant::Boolean(FromBytes<int32_t>(data) != 0);
      if (isString) return Variant::Boolean(text != "0" && !IsFalseWord(text));
      return std::nullopt;
    case VariantKind::kByte:
      if (type == kRegBinary && data.size() == 1) return Variant::Int32(static_cast<unsigned char>(data[0]));
      return std::nullopt;
    case VariantKind::kString:
      if (isString) return Variant::String(text);
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

}  // namespace quorvel
