#include "core/codec/decimal.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace radio {
namespace {

TEST(DecimalMultiply, ProductsAreExactInDecimal) {
    struct Case {
        double a, b, product;
    };
    const std::vector<Case> cases = {
        {146.525, 100000, 14652500},
        {670, 0.1, 67.0},
        {14652500, 0.00001, 146.525},
        {0.1, 3, 0.3},
        {1.005, 1000, 1005},
        {254.1, 10, 2541},
        {-146.525, 100000, -14652500},
        {0, 0.1, 0},
        {0.1 + 0.2, 10, 3},  // 15 digits
        {175.00001, 100000, 17500001},
        {136.0125, 100000, 13601250},
        {1e300, 1e300, HUGE_VAL},
        {1e-300, 1e-300, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecimalMultiply(c.a, c.b), c.product) << c.a << "*" << c.b;
    // The binary product this replaces really is off.
    EXPECT_NE(136.0125 * 100000, 13601250.0);
}

TEST(LeadingNumber, ReadsWhatAtofReadsInDecimal) {
    const std::vector<std::pair<std::string, double>> cases = {
        {"146.525", 146.525},
        {" \t\n146.5abc", 146.5},
        {"+1.5", 1.5},
        {"-2", -2},
        {".5", 0.5},
        {"5.", 5},
        {"-.5", -0.5},
        {"1e3", 1000},
        {"1e", 1},
        {"1e+", 1},
        {"1.5E-2x", 0.015},
        {"2e+2", 200},
        {"", 0},
        {"abc", 0},
        {".", 0},
        {"-", 0},
        {"None", 0},
        {"无", 0},
        {"1e400", HUGE_VAL},
        {"-1e400", -HUGE_VAL},
        {"1e-400", 0},
        {"0.0000001e999999999999", HUGE_VAL},
        // Forms no radio value is written in stay unread.
        {"0x10", 0},
        {"inf", 0},
        {"nan", 0},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(LeadingNumber(text), value) << text;
}

TEST(LeadingInteger, ReadsWhatAtoiReadsAndSaturates) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"023N", 23},
        {" -7x", -7},
        {"+5", 5},
        {"", 0},
        {"abc", 0},
        {"7.9", 7},
        {"99999999999", INT_MAX},
        {"-99999999999", INT_MIN},
        {"-2147483648", INT_MIN},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(LeadingInteger(text), value) << text;
}

TEST(Frequency, TextsToUnitsAndBack) {
    const std::vector<std::pair<std::string, std::int64_t>> units = {
        {"146.525", 14652500},
        {"136.0125", 13601250},
        {"136", 13600000},
        {"146.521", 14652100},
        {"abc", 0},
        {"146.5250099", 14652500},
        {"-146.525", -14652500},
        {"1e30", std::numeric_limits<std::int64_t>::max()},
    };
    for (const auto& [text, value] : units) EXPECT_EQ(FrequencyUnits(text), value) << text;

    const std::vector<std::pair<std::string, std::string>> texts = {
        {"145.2", "145.20000"}, {"1", "1.00000"}, {"abc", "0.00000"}, {" 400x", "400.00000"}};
    for (const auto& [in, out] : texts) EXPECT_EQ(FormatFrequencyText(in), out) << in;

    EXPECT_EQ(FormatFixed(0.5, 5, 1), "  0.5");
}

// Every channel frequency the radio can hold survives text -> units -> text unchanged, and
// the decimal route agrees with plain integer formatting.
TEST(Frequency, EveryStepFrequencyRoundTrips) {
    const std::int64_t bands[2][2] = {{13600000, 17500000}, {40000000, 52000000}};
    int checked = 0;
    for (const auto& band : bands) {
        for (std::int64_t step : {250, 625}) {
            for (std::int64_t u = band[0]; u <= band[1]; u += step) {
                const std::string text = FrequencyUnitsToText(u);
                char expected[32];
                std::snprintf(expected, sizeof expected, "%lld.%05lld",
                              static_cast<long long>(u / 100000),
                              static_cast<long long>(u % 100000));
                ASSERT_EQ(text, expected);
                ASSERT_EQ(FrequencyUnits(text), u) << text;
                ASSERT_EQ(FormatFrequencyText(text), text);
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 15601 + 6241 + 48001 + 19201);
}

TEST(ParseScaledDecimal, TakesFileValuesDigitForDigit) {
    const struct {
        const char* text;
        int decimals;
        bool round;
        std::optional<std::int64_t> value;
    } cases[] = {
        {"146.520000", 6, false, 146520000},
        {"146.52", 6, false, 146520000},
        {"136.0125", 6, false, 136012500},  // binary floating point is one off here
        {"023", 0, false, 23},
        {".5", 1, false, 5},
        {"7.", 2, false, 700},
        {"146.5200001", 6, false, std::nullopt},  // a non-zero digit past the scale
        {"146.5200000", 6, false, 146520000},
        {"88.49999", 4, true, 885000},
        {"88.49994", 4, true, 884999},
        {"162.19", 1, true, 1622},
        {"162.14", 1, true, 1621},
        {"", 2, false, std::nullopt},
        {".", 2, false, std::nullopt},
        {"-1", 2, false, std::nullopt},
        {"+1", 2, false, std::nullopt},
        {"1e3", 2, false, std::nullopt},
        {" 1", 2, false, std::nullopt},
        {"1.2.3", 2, false, std::nullopt},
        {"99999999999999999999", 0, false, std::nullopt},
        {"1000000000000", 6, false, std::nullopt},  // past 10^17 once scaled
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseScaledDecimal(c.text, c.decimals, c.round), c.value) << c.text;
}

}  // namespace
}  // namespace radio
