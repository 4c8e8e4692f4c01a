#include "core/NumberText.h"

#include "core/AsciiText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace corvane {

namespace {

bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t SkipDigits(std::string_view text, std::size_t at) {
    while (at < text.size() && IsDigit(text[at])) {
        ++at;
    }
    return at;
}

// The length of the longest prefix of `text` (which holds no sign) that is an unsigned decimal
// number; 0 when it does not begin with one.
std::size_t UnsignedNumberLength(std::string_view text) {
    std::size_t end = SkipDigits(text, 0);
    bool hasDigits = end > 0;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fractionEnd = SkipDigits(text, end + 1);
        hasDigits = hasDigits || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!hasDigits) {
        return 0;
    }
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
            ++exponent;
        }
        const std::size_t exponentEnd = SkipDigits(text, exponent);
        if (exponentEnd > exponent) {
            end = exponentEnd;
        }
    }
    return end;
}

// Whether an out-of-range number overflowed (rather than fell below the smallest value): its
// first significant digit stands at a decimal position above zero.
bool Overflowed(std::string_view number) {
    long long position = 0;
    bool seenSignificant = false;
    bool inFraction = false;
    std::size_t at = 0;
    for (; at < number.size() && number[at] != 'e' && number[at] != 'E'; ++at) {
        const char c = number[at];
        if (c == '.') {
            inFraction = true;
        } else if (!seenSignificant && c == '0') {
            if (inFraction) {
                --position;
            }
        } else if (!seenSignificant) {
            seenSignificant = true;
            if (!inFraction) {
                ++position;
            }
        } else if (!inFraction) {
            ++position;
        }
    }
    long long exponent = 0;
    if (at < number.size()) {
        std::string_view digits = number.substr(at + 1);
        const bool negative = !digits.empty() && digits.front() == '-';
        if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
            digits.remove_prefix(1);
        }
        for (char c : digits) {
            exponent = std::min(exponent * 10 + (c - '0'), 1'000'000'000LL);
        }
        exponent = negative ? -exponent : exponent;
    }
    return position + exponent > 0;
}

float ParseUnsignedNumber(std::string_view number) {
    float value = 0.0F;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        return Overflowed(number) ? std::numeric_limits<float>::infinity() : 0.0F;
    }
    return value;
}

constexpr std::array<double, 10> kPowersOfTen{1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};

} // namespace

float ReadDecimalText(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && IsWhiteSpace(text[at])) {
        ++at;
    }
    text.remove_prefix(at);
    if (EqualsIgnoringAsciiCase(text, "+Infinity")) {
        return std::numeric_limits<float>::infinity();
    }
    if (EqualsIgnoringAsciiCase(text, "-Infinity")) {
        return -std::numeric_limits<float>::infinity();
    }
    if (EqualsIgnoringAsciiCase(text, "NaN")) {
        return std::numeric_limits<float>::quiet_NaN();
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const std::size_t length = UnsignedNumberLength(text);
    if (length == 0) {
        return 0.0F;
    }
    const float magnitude = ParseUnsignedNumber(text.substr(0, length));
    return negative ? -magnitude : magnitude;
}

std::string WriteDecimalText(float value, int decimals) {
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value > 0 ? "+Infinity" : "-Infinity";
    }
    if (decimals < 0) {
        decimals = 0;
    }
    if (decimals >= static_cast<int>(kPowersOfTen.size())) {
        decimals = static_cast<int>(kPowersOfTen.size()) - 1;
    }
    // A float has 24 significant bits and 10^9 needs 21 more (2^9 x 5^9), so this product is
    // exact in double precision; rounding it is rounding the exact binary value.
    const double scaled =
        static_cast<double>(value) * kPowersOfTen[static_cast<std::size_t>(decimals)];
    const double rounded = std::round(scaled); // halfway cases away from zero

    std::array<char, 64> digits{};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(),
                                      std::fabs(rounded), std::chars_format::fixed, 0);
    std::string_view magnitude(digits.data(), static_cast<std::size_t>(result.ptr - digits.data()));

    std::string text;
    text.reserve(magnitude.size() + static_cast<std::size_t>(decimals) + 3);
    if (rounded < 0) {
        text += '-';
    }
    const auto wanted = static_cast<std::size_t>(decimals) + 1;
    if (magnitude.size() < wanted) {
        text.append(wanted - magnitude.size(), '0');
    }
    text += magnitude;
    if (decimals > 0) {
        text.insert(text.end() - decimals, '.');
    }
    return text;
}

std::int64_t ReadWholeNumber(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    unsigned base = 10;
    if (at < text.size() && text[at] == '$') {
        base = 16;
        ++at;
    } else if (at < text.size() && text[at] == '%') {
        base = 2;
        ++at;
    }
    // The magnitude may reach 2^63 for the smallest negative number; beyond that it saturates.
    constexpr std::uint64_t kLimit = std::uint64_t{1} << 63;
    std::uint64_t magnitude = 0;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        unsigned digit = 0;
        if (IsDigit(c)) {
            digit = static_cast<unsigned>(c - '0');
        } else if (base == 16 && LowerAscii(c) >= 'a' && LowerAscii(c) <= 'f') {
            digit = static_cast<unsigned>(LowerAscii(c) - 'a' + 10);
        } else {
            break;
        }
        if (digit >= base) {
            break;
        }
        magnitude = magnitude > (kLimit - digit) / base ? kLimit : magnitude * base + digit;
    }
    if (negative) {
        return magnitude >= kLimit ? std::numeric_limits<std::int64_t>::min()
                                   : -static_cast<std::int64_t>(magnitude);
    }
    return magnitude >= kLimit ? std::numeric_limits<std::int64_t>::max()
                               : static_cast<std::int64_t>(magnitude);
}

std::string WriteWholeNumber(std::int64_t value) {
    std::array<char, 24> digits{};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
    return std::string(digits.data(), result.ptr);
}

} // namespace corvane
