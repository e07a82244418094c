#include "common/float_text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace quorvel {
namespace {

// An unsigned integer of up to kLimbs 32-bit limbs, the least significant first. Only what the two
// conversions need; no allocation.
template <size_t kLimbs>
class BigInt {
 public:
  explicit BigInt(uint64_t value = 0) {
    for (; value != 0; value >>= 32)
      limbs_[size_++] = static_cast<uint32_t>(value);
  }
  // Only the limbs in use are copied.
  BigInt(const BigInt& other) { *this = other; }
  BigInt& operator=(const BigInt& other) {
    size_ = other.size_;
    std::memcpy(limbs_, other.limbs_, size_ * sizeof limbs_[0]);
    return *this;
  }

  void MultiplySmall(uint32_t factor) {
    uint64_t carry = 0;
    for (size_t i = 0; i < size_; ++i) {
      const uint64_t product = uint64_t{limbs_[i]} * factor + carry;
      limbs_[i] = static_cast<uint32_t>(product);
      carry = product >> 32;
    }
    if (carry != 0) Push(static_cast<uint32_t>(carry));
    if (factor == 0) size_ = 0;
  }

  void AddSmall(uint32_t addend) {
    uint64_t carry = addend;
    for (size_t i = 0; carry != 0 && i < size_; ++i) {
      const uint64_t sum = uint64_t{limbs_[i]} + carry;
      limbs_[i] = static_cast<uint32_t>(sum);
      carry = sum >> 32;
    }
    if (carry != 0) Push(static_cast<uint32_t>(carry));
  }

  void MultiplyPow10(int64_t exponent) {
    static constexpr uint32_t kPowers[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};
    for (; exponent >= 9; exponent -= 9)
      MultiplySmall(1000000000);
    if (exponent > 0) MultiplySmall(kPowers[exponent]);
  }

  void ShiftLeft(int64_t bits) {
    if (size_ == 0 || bits <= 0) return;
    const int rest = static_cast<int>(bits % 32);
    if (rest != 0) {
      uint32_t carry = 0;
      for (size_t i = 0; i < size_; ++i) {
        const uint32_t next = limbs_[i] >> (32 - rest);
        limbs_[i] = (limbs_[i] << rest) | carry;
        carry = next;
      }
      if (carry != 0) Push(carry);
    }
    const size_t whole = static_cast<size_t>(bits / 32);
    if (whole == 0) return;
    if (size_ + whole > kLimbs) throw std::length_error("number too large");
    std::memmove(limbs_ + whole, limbs_, size_ * sizeof limbs_[0]);
    std::memset(limbs_, 0, whole * sizeof limbs_[0]);
    size_ += whole;
  }

  void Add(const BigInt& other) {
    for (; size_ < other.size_; ++size_)
      limbs_[size_] = 0;
    uint64_t carry = 0;
    for (size_t i = 0; i < size_; ++i) {
      const uint64_t sum = uint64_t{limbs_[i]} + (i < other.size_ ? other.limbs_[i] : 0) + carry;
      limbs_[i] = static_cast<uint32_t>(sum);
      carry = sum >> 32;
    }
    if (carry != 0) Push(static_cast<uint32_t>(carry));
  }

  // `other` must not be greater.
  void Subtract(const BigInt& other) {
    int64_t borrow = 0;
    for (size_t i = 0; i < size_; ++i) {
      int64_t difference = int64_t{limbs_[i]} - (i < other.size_ ? other.limbs_[i] : 0) - borrow;
      borrow = difference < 0;
      if (borrow) difference += int64_t{1} << 32;
      limbs_[i] = static_cast<uint32_t>(difference);
    }
    while (size_ > 0 && limbs_[size_ - 1] == 0)
      --size_;
  }

  BigInt Times(uint64_t factor) const {
    BigInt low = *this, high = *this;
    low.MultiplySmall(static_cast<uint32_t>(factor));
    high.MultiplySmall(static_cast<uint32_t>(factor >> 32));
    high.ShiftLeft(32);
    low.Add(high);
    return low;
  }

  int Compare(const BigInt& other) const {
    if (size_ != other.size_) return size_ < other.size_ ? -1 : 1;
    for (size_t i = size_; i-- > 0;) {
      if (limbs_[i] != other.limbs_[i]) return limbs_[i] < other.limbs_[i] ? -1 : 1;
    }
    return 0;
  }

  int64_t BitLength() const {
    if (size_ == 0) return 0;
    int top = 32;
    while (!(limbs_[size_ - 1] >> (top - 1) & 1))
      --top;
    return 32 * static_cast<int64_t>(size_ - 1) + top;
  }

  // About the value, from its leading 64 bits: the value is `mantissa` x 2^`exponent`, less than
  // one unit of the mantissa off.
  double Approximate(int64_t& exponent) const {
    const int64_t length = BitLength();
    exponent = length > 64 ? length - 64 : 0;
    uint64_t top = 0;
    for (int64_t bit = length - 1; bit >= exponent; --bit)
      top = top << 1 | (limbs_[static_cast<size_t>(bit / 32)] >> (bit % 32) & 1);
    return static_cast<double>(top);
  }

 private:
  void Push(uint32_t limb) {
    if (size_ == kLimbs) throw std::length_error("number too large");
    limbs_[size_++] = limb;
  }

  uint32_t limbs_[kLimbs];
  size_t size_ = 0;
};

// Enough for every number of the writer (a double times the power of ten that brings it to 15
// digits) and of the reader (a text's 800 kept digits against a point halfway between doubles).
using WriterInt = BigInt<40>;
using ReaderInt = BigInt<160>;

// floor(a / b) for a quotient below 2^62, with the remainder: estimated from the leading bits,
// then put right exactly.
uint64_t Divide(const WriterInt& a, const WriterInt& b, WriterInt& remainder) {
  int64_t aExponent = 0, bExponent = 0;
  const double aTop = a.Approximate(aExponent), bTop = b.Approximate(bExponent);
  const double estimate = std::ldexp(aTop / bTop, static_cast<int>(aExponent - bExponent));
  uint64_t quotient = estimate < 1 ? 0 : static_cast<uint64_t>(estimate);
  WriterInt product = b.Times(quotient);
  for (; product.Compare(a) > 0; --quotient)
    product.Subtract(b);
  remainder = a;
  remainder.Subtract(product);
  for (; remainder.Compare(b) >= 0; ++quotient)
    remainder.Subtract(b);
  return quotient;
}

// A positive finite double, or the bits just above the largest one: mantissa x 2^exponent.
struct Binary {
  uint64_t mantissa;
  int exponent;
};
Binary Decompose(uint64_t bits) {
  const int field = static_cast<int>(bits >> 52);
  const uint64_t fraction = bits & ((uint64_t{1} << 52) - 1);
  if (field == 0) return {fraction, -1074};
  return {fraction | uint64_t{1} << 52, field - 1075};
}

constexpr uint64_t kInfinityBits = uint64_t{0x7FF} << 52;
constexpr uint64_t kLowest15Digits = 100000000000000;  // 1e14
constexpr uint64_t kAbove15Digits = 1000000000000000;  // 1e15

}  // namespace

std::string FormatGeneral15(double value) {
  std::string out;
  if (std::signbit(value)) {
    out += '-';
    value = -value;
  }
  if (value == 0) return out + "0";
  uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  const Binary binary = Decompose(bits);

  // The value's 15 significant digits `digits`, of which the first stands for 10^`exponent`: the
  // value x 10^(14 - exponent) rounded half to even, worked out exactly as a quotient of integers.
  // The first guess of the exponent, from the logarithm, may be one off near a power of ten.
  int64_t exponent = static_cast<int64_t>(std::floor(std::log10(value)));
  uint64_t digits = 0;
  for (;;) {
    const int64_t scale = 14 - exponent;
    WriterInt numerator(binary.mantissa), denominator(1);
    numerator.ShiftLeft(binary.exponent);
    denominator.ShiftLeft(-binary.exponent);
    numerator.MultiplyPow10(scale);
    denominator.MultiplyPow10(-scale);
    WriterInt remainder;
    digits = Divide(numerator, denominator, remainder);
    if (digits < kLowest15Digits) {
      --exponent;
      continue;
    }
    if (digits >= kAbove15Digits) {
      ++exponent;
      continue;
    }
    remainder.ShiftLeft(1);
    const int half = remainder.Compare(denominator);
    if (half > 0 || (half == 0 && (digits & 1))) ++digits;
    if (digits == kAbove15Digits) {
      digits = kLowest15Digits;
      ++exponent;
    }
    break;
  }

  std::string significant = std::to_string(digits);
  significant.erase(significant.find_last_not_of('0') + 1);
  const int64_t count = static_cast<int64_t>(significant.size());
  if (exponent < -4 || exponent >= 15) {
    out += significant[0];
    if (count > 1) out += "." + significant.substr(1);
    const int64_t magnitude = exponent < 0 ? -exponent : exponent;
    out += exponent < 0 ? "e-" : "e+";
    if (magnitude < 10) out += '0';
    out += std::to_string(magnitude);
  } else if (exponent < 0) {
    out += "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + significant;
  } else if (count <= exponent + 1) {
    out += significant + std::string(static_cast<size_t>(exponent + 1 - count), '0');
  } else {
    out += significant.substr(0, static_cast<size_t>(exponent + 1)) + "." +
           significant.substr(static_cast<size_t>(exponent + 1));
  }
  return out;
}

std::optional<double> ParseDecimal(std::string_view text) {
  // Digits beyond these cannot move the value past a point halfway between two doubles (those have
  // at most 767 significant digits); they count only as more than nothing.
  constexpr size_t kKeptDigits = 800;
  size_t at = 0;
  const bool negative = at < text.size() && text[at] == '-';
  if (negative) ++at;

  // The value is `significant` x 10^`exponent`, plus a little when `more` is set.
  std::string significant;
  int64_t exponent = 0;
  bool more = false;
  size_t mantissaDigits = 0;
  const auto takeDigits = [&](bool fraction) {
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at, ++mantissaDigits) {
      const char digit = text[at];
      if (significant.empty() && digit == '0') {
        if (fraction) --exponent;
      } else if (significant.size() < kKeptDigits) {
        significant += digit;
        if (fraction) --exponent;
      } else {
        more = more || digit != '0';
        if (!fraction) ++exponent;
      }
    }
  };
  takeDigits(false);
  if (at < text.size() && text[at] == '.') {
    ++at;
    takeDigits(true);
  }
  if (mantissaDigits == 0) return std::nullopt;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    const bool negativeExponent = at < text.size() && text[at] == '-';
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
    const size_t start = at;
    int64_t written = 0;  // far beyond any double's range once it stops growing
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
      written = std::min<int64_t>(written * 10 + (text[at] - '0'), 1000000000000);
    if (at == start) return std::nullopt;
    exponent += negativeExponent ? -written : written;
  }
  if (at != text.size()) return std::nullopt;
  if (significant.empty()) return negative ? -0.0 : 0.0;

  const size_t last = significant.find_last_not_of('0');
  exponent += static_cast<int64_t>(significant.size() - last - 1);
  significant.erase(last + 1);
  // The value lies in [10^(point - 1), 10^point): far out of range either way, it is not worked out.
  const int64_t point = exponent + static_cast<int64_t>(significant.size());
  if (point > 310 || point < -330) return std::nullopt;

  ReaderInt scaled;  // significant x 10^max(exponent, 0)
  for (const char digit : significant) {
    scaled.MultiplySmall(10);
    scaled.AddSmall(static_cast<uint32_t>(digit - '0'));
  }
  scaled.MultiplyPow10(exponent);
  ReaderInt divisor(1);  // 10^max(-exponent, 0)
  divisor.MultiplyPow10(-exponent);

  // The value against the point halfway between the doubles of `bits` and `bits` + 1.
  const auto compareWithHalfway = [&](uint64_t bits) {
    const Binary below = Decompose(bits);
    ReaderInt value = scaled, halfway = divisor.Times(2 * below.mantissa + 1);
    value.ShiftLeft(1 - below.exponent);
    halfway.ShiftLeft(below.exponent - 1);
    const int order = value.Compare(halfway);
    return order == 0 && more ? 1 : order;
  };

  // A first guess from the leading bits, then one double at a time to the nearest.
  const int64_t shift = std::max<int64_t>(0, divisor.BitLength() - scaled.BitLength() + 64);
  ReaderInt numerator = scaled;
  numerator.ShiftLeft(shift);
  int64_t numeratorExponent = 0, divisorExponent = 0;
  const double numeratorTop = numerator.Approximate(numeratorExponent);
  const double divisorTop = divisor.Approximate(divisorExponent);
  const double guess =
      std::ldexp(numeratorTop / divisorTop, static_cast<int>(numeratorExponent - divisorExponent - shift));
  uint64_t bits = kInfinityBits;
  if (std::isfinite(guess)) std::memcpy(&bits, &guess, sizeof bits);
  for (;;) {
    if (bits < kInfinityBits) {
      const int order = compareWithHalfway(bits);
      if (order > 0 || (order == 0 && (bits & 1))) {
        ++bits;
        continue;
      }
    }
    if (bits > 0) {
      const int order = compareWithHalfway(bits - 1);
      if (order < 0 || (order == 0 && (bits & 1))) {
        --bits;
        continue;
      }
    }
    break;
  }
  // Rounded to zero or beyond the largest double: out of range.
  if (bits == 0 || bits >= kInfinityBits) return std::nullopt;
  double value = 0;
  std::memcpy(&value, &bits, sizeof value);
  return negative ? -value : value;
}

}  // namespace quorvel
