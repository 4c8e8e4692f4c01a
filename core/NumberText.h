#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

// Reads the longest leading decimal number of `text` (after white space): sign, digits, a full
// stop with more digits, an exponent. The full stop is the only decimal separator whatever the
// locale, so "1,05" reads as 1. A text without a number reads as 0; the whole texts "+Infinity",
// "-Infinity" and "NaN", in any letter case, read as themselves. The result is correctly rounded
// to single precision.
float ReadDecimalText(std::string_view text);

// Writes `value` with exactly `decimals` digits (0 to 9) after a full stop. The exact binary
// value is rounded to the nearest, ties away from zero (0.5625 gives 0.563 with three decimals);
// a result that rounds to zero never carries a minus sign.
std::string WriteDecimalText(float value, int decimals);

// Reads a signed whole number: spaces and tabs, an optional sign, then "$" and hexadecimal
// digits, "%" and binary digits, or decimal digits, up to the first other character. No digits
// give 0. A number beyond the 64-bit range saturates at the largest or smallest value.
std::int64_t ReadWholeNumber(std::string_view text);

// A whole number in decimal, with a leading "-" when negative.
std::string WriteWholeNumber(std::int64_t value);

} // namespace corvane
