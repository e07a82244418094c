// Numbers and date-times as the settings store writes and reads them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

enum class DateOrder { kYmd, kMdy, kDmy };

// The system's number and date formats, handed over by the shell.
struct SettingsFormats {
  char decimalSeparator = '.';
  char dateSeparator = '/';
  char timeSeparator = ':';
  DateOrder dateOrder = DateOrder::kYmd;
};

// An optional sign and decimal digits, nothing else; nullopt when malformed or outside 32 bits.
std::optional<int32_t> ParseInteger(std::string_view text);

// At most 15 significant digits, trailing zeros dropped; the exponent form ("1E20", "1.5E-5") below
// 0.0001 and from 1E15 on. Not-a-number and the infinities are "NAN", "INF" and "-INF".
std::string FormatFloat(double value, char decimalSeparator);

// [sign] digits [separator digits] [E [sign] digits], with a digit on at least one side of the
// separator, or one of the words FormatFloat writes. nullopt when malformed or beyond a double.
std::optional<double> ParseFloat(std::string_view text, char decimalSeparator);

// An amount in 1/10000: [sign] digits [separator digits]; digits behind the fourth round half away
// from zero. nullopt when malformed or beyond 64 bits.
std::optional<int64_t> ParseCurrency(std::string_view text, char decimalSeparator);

// `days` since 30 December 1899 as "yyyy/mm/dd hh:nn:ss" with the system's separators, to the
// nearest second. nullopt when the value lies outside the years 1 to 9999.
std::optional<std::string> FormatDate(double days, const SettingsFormats& formats);

// Three numbers with the date separator, in the system's order, optionally followed by blanks and
// h:n or h:n:s with the time separator. A first number of more than two digits is the year whatever
// the order, so that what FormatDate writes always reads back.
std::optional<double> ParseDate(std::string_view text, const SettingsFormats& formats);

}  // namespace quorvel
