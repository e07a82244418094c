#include "common/variant.h"

#include <cmath>
#include <limits>

#include "common/value_text.h"

namespace quorvel {
namespace {

bool EqualsIgnoringCase(const std::string& text, const char* word) {
  size_t at = 0;
  for (; word[at] != '\0'; ++at) {
    if (at >= text.size()) return false;
    char c = text[at];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != word[at]) return false;
  }
  return at == text.size();
}

// Rounds half to even; nullopt outside 32 bits.
bool RoundToInt32(double value, int32_t& result) {
  if (!std::isfinite(value)) return false;
  const double rounded = std::nearbyint(value);
  if (rounded < std::numeric_limits<int32_t>::min() || rounded > std::numeric_limits<int32_t>::max())
    return false;
  result = static_cast<int32_t>(rounded);
  return true;
}

std::string CurrencyText(int64_t count) {
  const bool negative = count < 0;
  const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(count) : static_cast<uint64_t>(count);
  std::string out = (negative ? "-" : "") + std::to_string(magnitude / 10000);
  std::string fraction = std::to_string(magnitude % 10000);
  fraction.insert(0, 4 - fraction.size(), '0');
  while (!fraction.empty() && fraction.back() == '0')
    fraction.pop_back();
  if (!fraction.empty()) out += "." + fraction;
  return out;
}

}  // namespace

Variant Variant::String(std::string value) {
  Variant result(VariantKind::kString, 0, 0);
  result.text_ = std::move(value);
  return result;
}

bool Variant::operator==(const Variant& other) const {
  const bool sameReal = real_ == other.real_ || (std::isnan(real_) && std::isnan(other.real_));
  return kind_ == other.kind_ && integer_ == other.integer_ && sameReal && text_ == other.text_;
}

bool ToBoolean(const Variant& value, bool fallback) {
  switch (value.Kind()) {
    case VariantKind::kInt16:
    case VariantKind::kInt32:
    case VariantKind::kCurrency:
    case VariantKind::kBoolean:
    case VariantKind::kByte:
      return value.Integer() != 0;
    case VariantKind::kSingle:
    case VariantKind::kDouble:
    case VariantKind::kDate:
      return value.Real() != 0;
    case VariantKind::kString: {
      if (EqualsIgnoringCase(value.Text(), "TRUE")) return true;
      if (EqualsIgnoringCase(value.Text(), "FALSE")) return false;
      const auto number = ParseFloat(value.Text(), '.');
      return number ? *number != 0 : fallback;
    }
    default:
      return fallback;
  }
}

int32_t ToInteger(const Variant& value, int32_t fallback) {
  int32_t result = fallback;
  switch (value.Kind()) {
    case VariantKind::kInt16:
    case VariantKind::kInt32:
    case VariantKind::kByte:
      return static_cast<int32_t>(value.Integer());
    case VariantKind::kBoolean:
      return value.Integer() != 0 ? -1 : 0;
    case VariantKind::kSingle:
    case VariantKind::kDouble:
    case VariantKind::kDate:
      return RoundToInt32(value.Real(), result) ? result : fallback;
    case VariantKind::kCurrency:
      return RoundToInt32(static_cast<double>(value.Integer()) / 10000, result) ? result : fallback;
    case VariantKind::kString:
      return ParseInteger(value.Text()).value_or(fallback);
    default:
      return fallback;
  }
}

std::string ToText(const Variant& value) {
  switch (value.Kind()) {
    case VariantKind::kInt16:
    case VariantKind::kInt32:
    case VariantKind::kByte:
      return std::to_string(value.Integer());
    case VariantKind::kBoolean:
      return value.Integer() != 0 ? "True" : "False";
    case VariantKind::kSingle:
    case VariantKind::kDouble:
      return FormatFloat(value.Real(), '.');
    case VariantKind::kCurrency:
      return CurrencyText(value.Integer());
    case VariantKind::kDate:
      // A day count that no calendar date stands for is shown as the number.
      return FormatDate(value.Real(), SettingsFormats{}).value_or(FormatFloat(value.Real(), '.'));
    case VariantKind::kString:
      return value.Text();
    default:
      return "";
  }
}

}  // namespace quorvel
