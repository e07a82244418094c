#include "common/value_text.h"

#include <cmath>
#include <limits>

#include "common/float_text.h"

namespace quorvel {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Skips a run of digits at `at` and returns how many there were.
size_t SkipDigits(std::string_view text, size_t& at) {
  const size_t start = at;
  while (at < text.size() && IsDigit(text[at]))
    ++at;
  return at - start;
}

// A number of one to `maxDigits` digits at `at`.
std::optional<int> ReadNumber(std::string_view text, size_t& at, size_t maxDigits, size_t* digits = nullptr) {
  const size_t start = at;
  const size_t count = SkipDigits(text, at);
  if (count == 0 || count > maxDigits) return std::nullopt;
  if (digits) *digits = count;
  int value = 0;
  for (size_t i = start; i < at; ++i)
    value = value * 10 + (text[i] - '0');
  return value;
}

bool Expect(std::string_view text, size_t& at, char c) {
  if (at >= text.size() || text[at] != c) return false;
  ++at;
  return true;
}

// Days of the civil calendar since 1 January 1970 (proleptic Gregorian).
int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

struct CivilDate {
  int64_t year;
  int month, day;
};

CivilDate CivilFromDays(int64_t z) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {yoe + era * 400 + (month <= 2), month, day};
}

// 30 December 1899, day 0 of a date-time, counted from 1 January 1970.
const int64_t kDayZero = DaysFromCivil(1899, 12, 30);
const int64_t kFirstDay = DaysFromCivil(1, 1, 1) - kDayZero;
const int64_t kLastDay = DaysFromCivil(9999, 12, 31) - kDayZero;
constexpr int64_t kMillisecondsPerDay = 86400000;

int DaysInMonth(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

void AppendTwoDigits(std::string& out, int value) {
  out += static_cast<char>('0' + value / 10);
  out += static_cast<char>('0' + value % 10);
}

}  // namespace

std::optional<int32_t> ParseInteger(std::string_view text) {
  size_t at = 0;
  const bool negative = at < text.size() && text[at] == '-';
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
  const size_t first = at;
  if (SkipDigits(text, at) == 0 || at != text.size()) return std::nullopt;
  int64_t value = 0;
  for (size_t i = first; i < at; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > int64_t{1} << 31) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max()) return std::nullopt;
  return static_cast<int32_t>(value);
}

std::string FormatFloat(double value, char decimalSeparator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  const std::string written = FormatGeneral15(value);
  const std::string_view digits = written;
  // "%.15g" writes "1.5e-05"; the stored form is "1.5E-5".
  const size_t e = digits.find('e');
  std::string out(digits.substr(0, e));
  for (char& c : out)
    if (c == '.') c = decimalSeparator;
  if (e != std::string_view::npos) {
    out += 'E';
    size_t at = e + 1;
    if (digits[at] == '-') out += '-';
    if (digits[at] == '-' || digits[at] == '+') ++at;
    while (at + 1 < digits.size() && digits[at] == '0')
      ++at;
    out += digits.substr(at);
  }
  return out;
}

std::optional<double> ParseFloat(std::string_view text, char decimalSeparator) {
  if (text == "NAN") return std::numeric_limits<double>::quiet_NaN();
  if (text == "INF") return std::numeric_limits<double>::infinity();
  if (text == "-INF") return -std::numeric_limits<double>::infinity();
  // Checked here, then read with "." whatever the system's separator.
  std::string plain;
  size_t at = 0;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
    if (text[at] == '-') plain += '-';
    ++at;
  }
  size_t start = at;
  size_t mantissaDigits = SkipDigits(text, at);
  plain += text.substr(start, at - start);
  if (at < text.size() && text[at] == decimalSeparator) {
    plain += '.';
    start = ++at;
    mantissaDigits += SkipDigits(text, at);
    plain += text.substr(start, at - start);
  }
  if (mantissaDigits == 0) return std::nullopt;
  if (at < text.size() && (text[at] == 'E' || text[at] == 'e')) {
    plain += 'e';
    start = ++at;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
    if (SkipDigits(text, at) == 0) return std::nullopt;
    plain += text.substr(start, at - start);
  }
  if (at != text.size()) return std::nullopt;
  return ParseDecimal(plain);
}

std::optional<int64_t> ParseCurrency(std::string_view text, char decimalSeparator) {
  size_t at = 0;
  const bool negative = at < text.size() && text[at] == '-';
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
  const uint64_t limit = uint64_t{std::numeric_limits<int64_t>::max()} + (negative ? 1 : 0);
  uint64_t whole = 0;
  size_t digits = 0;
  for (; at < text.size() && IsDigit(text[at]); ++at, ++digits) {
    whole = whole * 10 + static_cast<unsigned>(text[at] - '0');
    if (whole > limit / 10000) return std::nullopt;
  }
  uint64_t fraction = 0;  // in 1/10000
  if (at < text.size() && text[at] == decimalSeparator) {
    size_t place = 0;
    for (++at; at < text.size() && IsDigit(text[at]); ++at, ++digits, ++place) {
      const unsigned digit = static_cast<unsigned>(text[at] - '0');
      if (place < 4) fraction = fraction * 10 + digit;
      if (place == 4 && digit >= 5) ++fraction;
    }
    for (; place < 4; ++place)
      fraction *= 10;
  }
  if (digits == 0 || at != text.size()) return std::nullopt;
  const uint64_t units = whole * 10000 + fraction;
  if (units > limit) return std::nullopt;
  return negative ? static_cast<int64_t>(0 - units) : static_cast<int64_t>(units);
}

std::optional<std::string> FormatDate(double days, const SettingsFormats& formats) {
  if (!std::isfinite(days)) return std::nullopt;
  const double whole = std::trunc(days);
  if (whole < static_cast<double>(kFirstDay) || whole > static_cast<double>(kLastDay)) return std::nullopt;
  // Before day 0 the time of day still counts forward from midnight, as the platform's type has it.
  int64_t day = static_cast<int64_t>(whole);
  int64_t milliseconds = std::llround(std::fabs(days - whole) * kMillisecondsPerDay);
  if (milliseconds >= kMillisecondsPerDay) {
    milliseconds = 0;
    ++day;
  }
  if (day > kLastDay) return std::nullopt;
  const CivilDate date = CivilFromDays(day + kDayZero);
  const int seconds = static_cast<int>(milliseconds / 1000);
  std::string out = std::to_string(date.year);
  out.insert(0, 4 - out.size(), '0');
  out += formats.dateSeparator;
  AppendTwoDigits(out, date.month);
  out += formats.dateSeparator;
  AppendTwoDigits(out, date.day);
  out += ' ';
  AppendTwoDigits(out, seconds / 3600);
  out += formats.timeSeparator;
  AppendTwoDigits(out, seconds / 60 % 60);
  out += formats.timeSeparator;
  AppendTwoDigits(out, seconds % 60);
  return out;
}

std::optional<double> ParseDate(std::string_view text, const SettingsFormats& formats) {
  size_t at = 0;
  size_t firstDigits = 0;
  const auto n1 = ReadNumber(text, at, 4, &firstDigits);
  if (!n1 || !Expect(text, at, formats.dateSeparator)) return std::nullopt;
  const auto n2 = ReadNumber(text, at, 4);
  if (!n2 || !Expect(text, at, formats.dateSeparator)) return std::nullopt;
  const auto n3 = ReadNumber(text, at, 4);
  if (!n3) return std::nullopt;
  int year = *n1, month = *n2, day = *n3;
  if (formats.dateOrder == DateOrder::kMdy && firstDigits <= 2) {
    year = *n3, month = *n1, day = *n2;
  } else if (formats.dateOrder == DateOrder::kDmy && firstDigits <= 2) {
    year = *n3, month = *n2, day = *n1;
  }
  if (year < 1 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return std::nullopt;
  int seconds = 0;
  if (at < text.size()) {
    if (text[at] != ' ') return std::nullopt;
    while (at < text.size() && text[at] == ' ')
      ++at;
    const auto hour = ReadNumber(text, at, 2);
    if (!hour || *hour > 23 || !Expect(text, at, formats.timeSeparator)) return std::nullopt;
    const auto minute = ReadNumber(text, at, 2);
    if (!minute || *minute > 59) return std::nullopt;
    int second = 0;
    if (at < text.size()) {
      const auto read = Expect(text, at, formats.timeSeparator) ? ReadNumber(text, at, 2) : std::nullopt;
      if (!read || *read > 59 || at != text.size()) return std::nullopt;
      second = *read;
    }
    seconds = *hour * 3600 + *minute * 60 + second;
  }
  const double date = static_cast<double>(DaysFromCivil(year, month, day) - kDayZero);
  const double time = seconds / 86400.0;
  return date >= 0 ? date + time : date - time;
}

}  // namespace quorvel
