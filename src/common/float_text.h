// Decimal texts of doubles, worked out exactly with integers: no C library formatting, no locale,
// and none of the large tables of the standard library's conversions.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// A finite double as printf's "%.15g" writes it in the C locale (and std::to_chars with the general
// format and precision 15): the value rounded to 15 significant digits, half to even; the exponent
// form ("1.5e-05", "1e+15") below 0.0001 and from 1e15 on; trailing zeros and a trailing point
// dropped; "-" before a negative value and before negative zero.
std::string FormatGeneral15(double value);

// The double nearest to a decimal text, ties to the even one, as std::from_chars reads a text it
// takes whole: ["-"] digits ["." digits] [("e" | "E") ["+" | "-"] digits], with a digit on at least
// one side of the point. Nothing when the text is not of that form, or when its value is not zero
// and rounds to zero or beyond the largest double.
std::optional<double> ParseDecimal(std::string_view text);

}  // namespace quorvel
