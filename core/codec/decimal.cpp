#include "core/codec/decimal.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <limits>
#include <string>

namespace radio {

namespace {

// GCC and Clang extension; the marker keeps -Wpedantic quiet about it.
__extension__ typedef __int128 Int128;
__extension__ typedef unsigned __int128 UInt128;

// A decimal number mantissa * 10^exponent.
struct Decimal {
    long long mantissa = 0;
    int exponent = 0;
};

// Rounds a finite double to 15 significant digits, the precision the product is defined on;
// shortest-round-trip digits would turn 0.1 into 0.1000000000000000055... otherwise.
Decimal ToDecimal15(double value) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    Decimal d;
    bool negative = false;
    const char* p = buf;
    if (*p == '-') {
        negative = true;
        ++p;
    }
    for (; p < res.ptr && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') d.mantissa = d.mantissa * 10 + (*p - '0');
    int exp10 = 0;
    std::from_chars(p + 1 + (p[1] == '+'), res.ptr, exp10);
    d.exponent = exp10 - 14;
    if (negative) d.mantissa = -d.mantissa;
    return d;
}

std::string Int128ToString(Int128 v) {
    const bool negative = v < 0;
    UInt128 u = negative ? -static_cast<UInt128>(v) : static_cast<UInt128>(v);
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(u % 10)));
        u /= 10;
    } while (u != 0);
    return negative ? "-" + digits : digits;
}

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Truncates toward zero; values no integer can hold saturate, NaN gives 0.
std::int64_t TruncateToInt64(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 9.2e18) return std::numeric_limits<std::int64_t>::max();
    if (v <= -9.2e18) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(v);
}

// An exponent text ("-330", "99999999999999") as a number clamped far beyond any double's range.
long long SaturatingExponent(const std::string& text) {
    long long value = 0;
    for (char c : text)
        if (IsDigit(c)) value = std::min(value * 10 + (c - '0'), 1000000000LL);
    return !text.empty() && text[0] == '-' ? -value : value;
}

}  // namespace

double DecimalMultiply(double a, double b) {
    if (!std::isfinite(a) || !std::isfinite(b) || a == 0.0 || b == 0.0) return a * b;
    const Decimal x = ToDecimal15(a);
    const Decimal y = ToDecimal15(b);
    // Both mantissas are below 10^15, so the product (below 10^30) fits in 128 bits.
    const Int128 product = static_cast<Int128>(x.mantissa) * y.mantissa;
    const std::string text =
        Int128ToString(product) + "e" + std::to_string(x.exponent + y.exponent);
    // from_chars rounds correctly to the nearest double and ignores the locale.
    double result = 0.0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), result);
    if (res.ec == std::errc::result_out_of_range) {
        const bool tiny = x.exponent + y.exponent < 0;
        const double magnitude = tiny ? 0.0 : std::numeric_limits<double>::infinity();
        return product < 0 ? -magnitude : magnitude;
    }
    return result;
}

double LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

    std::string intDigits, fracDigits;
    while (i < text.size() && IsDigit(text[i])) intDigits += text[i++];
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) fracDigits += text[i++];
    }
    if (intDigits.empty() && fracDigits.empty()) return 0.0;

    // The exponent counts only when digits follow it ("1e" reads as 1, as atof has it).
    std::string expText;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        std::string sign;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            if (text[j] == '-') sign = "-";
            ++j;
        }
        std::string digits;
        while (j < text.size() && IsDigit(text[j])) digits += text[j++];
        if (!digits.empty()) expText = sign + digits;
    }

    // Hexadecimal, "inf" and "nan" forms are not read: no radio value is written that way.
    std::string number = (intDigits.empty() ? "0" : intDigits);
    if (!fracDigits.empty()) number += "." + fracDigits;
    if (!expText.empty()) number += "e" + expText;

    double value = 0.0;
    const auto res = std::from_chars(number.data(), number.data() + number.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        // Overflow gives infinity and underflow zero, as strtod's HUGE_VAL and 0. The digits
        // are not all zero here, so the first non-zero one fixes the order of magnitude.
        const std::size_t lead = intDigits.find_first_not_of('0');
        const long long magnitude =
            lead != std::string::npos ? static_cast<long long>(intDigits.size() - lead)
                                      : -static_cast<long long>(fracDigits.find_first_not_of('0'));
        value = magnitude + SaturatingExponent(expText) > 0 ? HUGE_VAL : 0.0;
    }
    return negative ? -value : value;
}

int LeadingInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    // Saturates instead of overflowing; atoi leaves that case undefined.
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    return static_cast<int>(value);
}

std::int64_t FrequencyUnits(std::string_view text) {
    return TruncateToInt64(DecimalMultiply(LeadingNumber(text), 100000));
}

std::string FormatFixed(double value, int width, int precision) {
    // Large enough for "%.Nf" of DBL_MAX (309 integer digits) with any sane precision.
    char buf[512];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, precision);
    std::string text = res.ec == std::errc() ? std::string(buf, res.ptr) : std::string();
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

std::string FormatFrequencyText(std::string_view text) {
    return FormatFixed(LeadingNumber(text), 3, 5);
}

std::string FrequencyUnitsToText(std::int64_t units) {
    return FormatFixed(DecimalMultiply(static_cast<double>(units), 0.00001), 3, 5);
}

std::optional<std::int64_t> ParseScaledDecimal(std::string_view text, int decimals, bool round) {
    constexpr std::int64_t kLimit = 100'000'000'000'000'000;  // 10^17: far past any radio value
    if (decimals < 0 || decimals > 17) return std::nullopt;
    std::int64_t value = 0;
    int scale = 0;        // decimals taken into `value`
    int firstExtra = -1;  // the first digit past the scale decides the rounding
    bool digits = false, point = false, extraNonZero = false;
    for (char c : text) {
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (!IsDigit(c)) return std::nullopt;
        digits = true;
        if (point && scale == decimals) {
            if (firstExtra < 0) firstExtra = c - '0';
            if (c != '0') extraNonZero = true;
            continue;
        }
        value = value * 10 + (c - '0');
        if (point) ++scale;
        if (value >= kLimit) return std::nullopt;
    }
    if (!digits) return std::nullopt;
    if (extraNonZero) {
        if (!round) return std::nullopt;
        if (firstExtra >= 5) ++value;
    }
    for (; scale < decimals; ++scale) {
        value *= 10;
        if (value >= kLimit) return std::nullopt;
    }
    return value;
}

}  // namespace radio
