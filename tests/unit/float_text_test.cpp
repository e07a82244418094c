// The module's own double conversions against the standard library's, which they replace in the
// DLL: the same bytes written and the same value read, for well over a million doubles.
#include "common/float_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace quorvel {
namespace {

std::string StandardGeneral15(double value) {
  char buffer[64];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  return std::string(buffer, written.ptr);
}

std::string StandardShortest(double value) {
  char buffer[64];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, written.ptr);
}

std::optional<double> StandardRead(const std::string& text) {
  double value = 0;
  const auto read = std::from_chars(text.data(), text.data() + text.size(), value);
  if (read.ec != std::errc() || read.ptr != text.data() + text.size()) return std::nullopt;
  return value;
}

constexpr uint64_t kLowest15 = 100000000000000, kAbove15 = 1000000000000000;

double FromBits(uint64_t bits) {
  double value = 0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// Counts what differs from the standard library and keeps the first few for the report.
class Comparison {
 public:
  void Write(double value) {
    ++checked_;
    const std::string expected = StandardGeneral15(value), written = FormatGeneral15(value);
    if (written != expected)
      Differs(StandardShortest(value) + " written as " + written + ", not " + expected);
  }
  void Read(const std::string& text) {
    ++checked_;
    const std::optional<double> expected = StandardRead(text), read = ParseDecimal(text);
    const auto shown = [](const std::optional<double>& value) {
      return value ? StandardShortest(*value) + (std::signbit(*value) ? " (negative)" : "") : "nothing";
    };
    if (read.has_value() != expected.has_value() ||
        (read && (*read != *expected || std::signbit(*read) != std::signbit(*expected)))) {
      Differs(text.substr(0, 80) + " read as " + shown(read) + ", not " + shown(expected));
    }
  }
  // The value written and its text read back; with `shortest`, its shortest text read too.
  void WriteAndRead(double value, bool shortest = true) {
    Write(value);
    Read(FormatGeneral15(value));
    if (shortest) Read(StandardShortest(value));
  }
  size_t Checked() const { return checked_; }
  void Expect() const {
    EXPECT_EQ(differences_, 0u) << [this] {
      std::string report;
      for (const std::string& line : examples_)
        report += line + "\n";
      return report;
    }();
  }

 private:
  void Differs(const std::string& example) {
    if (++differences_ <= 10) examples_.push_back(example);
  }
  size_t checked_ = 0, differences_ = 0;
  std::vector<std::string> examples_;
};

TEST(FloatText, WritesAndReadsAsTheStandardLibraryForAMillionRandomDoubles) {
  Comparison comparison;
  std::mt19937_64 random(20261209);
  for (int values = 0; values < 1000000;) {
    const double value = FromBits(random());
    if (std::isfinite(value)) comparison.WriteAndRead(value, ++values % 8 == 0);
  }
  comparison.Expect();
}

TEST(FloatText, PowersOfTenEdgesAndTiesAreWrittenAndReadAsTheStandardLibraryDoes) {
  Comparison comparison;
  const double edges[] = {0.0,
                          -0.0,
                          std::numeric_limits<double>::denorm_min(),
                          std::numeric_limits<double>::min(),
                          std::nextafter(std::numeric_limits<double>::min(), 0.0),
                          std::numeric_limits<double>::max(),
                          std::numeric_limits<double>::epsilon(),
                          0.1,
                          1.0 / 3,
                          2.0 / 3,
                          0.0001,
                          0.00009999999999999999,
                          1e15,
                          999999999999999.0,
                          999999999999999.5,
                          9.999999999999995e14,
                          123456789012345678.0};
  for (const double value : edges) {
    comparison.WriteAndRead(value);
    comparison.WriteAndRead(-value);
  }
  // Every power of ten a double reaches, and its neighbours.
  for (int exponent = -323; exponent <= 308; ++exponent) {
    const double power = *StandardRead("1e" + std::to_string(exponent));
    for (const double value :
         {power, std::nextafter(power, 0.0), std::nextafter(power, std::numeric_limits<double>::infinity())})
      comparison.WriteAndRead(value);
  }
  // Halfway at the 15th digit: a 16th digit 5 and nothing after it, rounded to the even digit.
  std::mt19937_64 random(15);
  for (int i = 0; i < 100000; ++i) {
    const uint64_t fifteen = kLowest15 + random() % (kAbove15 - kLowest15);
    comparison.Write(static_cast<double>(fifteen) + 0.5);  // 123456789012345.5
    if (fifteen < 900000000000000) comparison.Write(static_cast<double>(fifteen * 10 + 5));
    comparison.Write(std::ldexp(static_cast<double>(fifteen * 2 + 1), -1 - static_cast<int>(random() % 3)));
  }
  // Subnormals: every exponent bit zero.
  for (int i = 0; i < 100000; ++i)
    comparison.WriteAndRead(FromBits(random() & ((uint64_t{1} << 52) - 1)));
  comparison.Expect();
}

// The texts a reader meets at its hardest: exactly halfway between two doubles (ties go to the even
// one), a hair above or below, very long, and of odd forms.
TEST(FloatText, ReadsHalfwayLongAndOddTextsAsTheStandardLibraryDoes) {
  Comparison comparison;
  std::mt19937_64 random(767);
  for (int i = 0; i < 4000; ++i) {
    // A double of any magnitude, subnormals included, and its neighbour above.
    const uint64_t bits = random() % (uint64_t{0x7FEFFFFFFFFFFFFF});
    const long double low = FromBits(bits), high = FromBits(bits + 1);
    char exact[1200];
    std::snprintf(exact, sizeof exact, "%.780Le", low + (high - low) / 2);  // exact in 64 bits
    std::string halfway = exact;
    const size_t e = halfway.find('e'), last = halfway.find_last_not_of('0', e - 1);
    halfway.erase(last + 1, e - last - 1);  // no trailing zeros
    comparison.Read(halfway);
    std::string above = halfway, below = halfway;
    above.insert(last + 1, "0000001");
    if (below[last] >= '1' && below[last] <= '9') --below[last];
    comparison.Read(above);
    comparison.Read(below);
  }
  for (int i = 0; i < 200000; ++i) {
    // Random digits with a point somewhere and an exponent of any size a double can take.
    std::string text = random() % 2 ? "-" : "";
    const int digits = 1 + static_cast<int>(random() % 30);
    const int point = static_cast<int>(random() % (digits + 1));
    for (int d = 0; d < digits; ++d) {
      if (d == point) text += '.';
      text += static_cast<char>('0' + random() % 10);
    }
    if (random() % 4)
      text += (random() % 2 ? "e" : "E") + std::to_string(static_cast<int>(random() % 700) - 350);
    comparison.Read(text);
  }
  const char* const odd[] = {"0",
                             "-0",
                             "0.0",
                             ".5",
                             "5.",
                             "00012.5000",
                             "0e999999999999",
                             "1e-400",
                             "2e-324",
                             "2.4703282292062327e-324",
                             "2.4703282292062328e-324",
                             "1e400",
                             "1.7976931348623157e308",
                             "1.7976931348623158e308",
                             "1.7976931348623159e308",
                             "1e+308",
                             "1E-5",
                             "1e99999999999999999999",
                             "1e-99999999999999999999",
                             "",
                             "-",
                             ".",
                             "e5",
                             "1e",
                             "1e+",
                             "1.2.3",
                             "+1",
                             "1x",
                             " 1",
                             "0x10",
                             "1e5 "};
  for (const char* text : odd)
    comparison.Read(text);
  comparison.Read("1" + std::string(5000, '0') + "e-5000");
  comparison.Read("0." + std::string(5000, '0') + "1e5001");
  comparison.Read(std::string(2000, '9') + "e-2000");
  comparison.Read("1." + std::string(900, '0') + "1");
  comparison.Expect();
}

}  // namespace
}  // namespace quorvel
