// The tagged value through which settings pass, and the conversions callers make of it.
#pragma once

#include <cstdint>
#include <string>

namespace quorvel {

enum class VariantKind {
  kEmpty,
  kNull,
  kInt16,
  kInt32,
  kSingle,
  kDouble,
  kCurrency,
  kDate,
  kBoolean,
  kByte,
  kString
};

class Variant {
 public:
  Variant() = default;  // empty
  static Variant Null() { return Variant(VariantKind::kNull, 0, 0); }
  static Variant Int16(int16_t value) { return Variant(VariantKind::kInt16, value, 0); }
  static Variant Int32(int32_t value) { return Variant(VariantKind::kInt32, value, 0); }
  static Variant Single(float value) { return Variant(VariantKind::kSingle, 0, value); }
  static Variant Double(double value) { return Variant(VariantKind::kDouble, 0, value); }
  // A currency amount is a count of 1/10000.
  static Variant Currency(int64_t tenThousandths) {
    return Variant(VariantKind::kCurrency, tenThousandths, 0);
  }
  // Days since 30 December 1899, the time of day as the fraction.
  static Variant Date(double days) { return Variant(VariantKind::kDate, 0, days); }
  static Variant Boolean(bool value) { return Variant(VariantKind::kBoolean, value ? 1 : 0, 0); }
  static Variant Byte(uint8_t value) { return Variant(VariantKind::kByte, value, 0); }
  static Variant String(std::string value);

  VariantKind Kind() const { return kind_; }
  bool IsEmptyOrNull() const { return kind_ == VariantKind::kEmpty || kind_ == VariantKind::kNull; }
  // The 16-bit, 32-bit, byte or Boolean (1 or 0) value, or the currency count; 0 for other kinds.
  int64_t Integer() const { return integer_; }
  // The single, double or date-time value; 0 for other kinds.
  double Real() const { return real_; }
  // The string; empty for other kinds.
  const std::string& Text() const { return text_; }

  // Same kind and same value (a NaN equals itself).
  bool operator==(const Variant& other) const;
  bool operator!=(const Variant& other) const { return !(*this == other); }

 private:
  Variant(VariantKind kind, int64_t integer, double real) : kind_(kind), integer_(integer), real_(real) {}

  VariantKind kind_ = VariantKind::kEmpty;
  int64_t integer_ = 0;
  double real_ = 0;
  std::string text_;
};

// Boolean as it is; a number: not zero; a string: "True" or "False" in any letter case, or a number
// written with "."; anything else gives `fallback`.
bool ToBoolean(const Variant& value, bool fallback);

// Integers as they are, true as -1 and false as 0 (the platform's rule); floats, date-times and
// currency rounded half to even; a string holding a decimal integer. Anything else, and any value
// outside 32 bits, gives `fallback`.
int32_t ToInteger(const Variant& value, int32_t fallback);

// Numbers in decimal (floats as the store writes them, with "."), "True" or "False", a date-time as
// "yyyy/mm/dd hh:nn:ss", the string itself; empty and null give "".
std::string ToText(const Variant& value);

}  // namespace quorvel
