#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace radio {

// Exact decimal multiplication: each operand is rounded to 15 significant digits, the product
// is formed exactly in decimal, then turned into the nearest double. 136.0125 * 100000 is
// exactly 13601250 (binary floating point gives 13601249.999999998, which truncates wrongly).
double DecimalMultiply(double a, double b);

// The leading decimal number of `text` as C's atof reads it (0 when there is none).
double LeadingNumber(std::string_view text);
// The leading decimal integer of `text` as C's atoi reads it (0 when there is none).
int LeadingInteger(std::string_view text);

// A frequency text (MHz) in the radio's unit of 10 Hz: DecimalMultiply(atof(text), 100000)
// truncated toward zero. "146.525" gives 14652500.
std::int64_t FrequencyUnits(std::string_view text);

// The grid's frequency text: the leading number formatted "%3.5f" ("145.2" -> "145.20000").
std::string FormatFrequencyText(std::string_view text);

// C's "%<width>.<precision>f" of `value`, always with a '.' whatever the process locale is
// (Qt sets the locale from the environment, which would turn printf's point into a comma).
std::string FormatFixed(double value, int width, int precision);

// 10 Hz units to the grid's text: 14652500 -> "146.52500".
std::string FrequencyUnitsToText(std::int64_t units);

// A plain decimal text ("146.52", "023", ".5", "7.") as an integer scaled by 10^decimals,
// exactly: no binary floating point on the way, so files' values are taken digit for digit.
// Digits past `decimals` must be zeros, unless `round` is set (then they round half up).
// Blanks, signs, exponents, other characters and values past 10^17 give nullopt.
std::optional<std::int64_t> ParseScaledDecimal(std::string_view text, int decimals,
                                               bool round = false);

}  // namespace radio
