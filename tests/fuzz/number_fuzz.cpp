// The number parser: leading numbers as atof/atoi read them, frequency units and their text.
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "core/codec/decimal.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Forms strtod reads but the parser deliberately does not (hexadecimal, inf, nan).
bool SpecialForm(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (i >= text.size()) return false;
    const char c = static_cast<char>(text[i] | 0x20);
    return c == 'i' || c == 'n' ||
           (text[i] == '0' && i + 1 < text.size() && (text[i + 1] | 0x20) == 'x');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);  // NUL-terminated copy

    // atoi's value, saturated instead of undefined.
    const long long wide = std::strtoll(text.c_str(), nullptr, 10);
    const long long clamped = wide < INT_MIN ? INT_MIN : wide > INT_MAX ? INT_MAX : wide;
    FUZZ_CHECK(radio::LeadingInteger(text) == clamped, "LeadingInteger reads as atoi");

    const double number = radio::LeadingNumber(text);
    if (!SpecialForm(text)) {
        const double expected = std::strtod(text.c_str(), nullptr);
        FUZZ_CHECK(number == expected, "LeadingNumber reads as atof");
    }

    // A frequency's grid text gives its units back.
    const std::int64_t units = radio::FrequencyUnits(text);
    if (units >= 0 && units < 100000000000LL) {
        const std::string shown = radio::FrequencyUnitsToText(units);
        FUZZ_CHECK(radio::FrequencyUnits(shown) == units, "frequency text round trip");
    }

    // The decimal product does not depend on the order of its operands.
    if (size >= 2 * sizeof(double)) {
        double a = 0, b = 0;
        std::memcpy(&a, data, sizeof a);
        std::memcpy(&b, data + sizeof a, sizeof b);
        if (std::isfinite(a) && std::isfinite(b)) {
            const double ab = radio::DecimalMultiply(a, b), ba = radio::DecimalMultiply(b, a);
            FUZZ_CHECK(ab == ba || (std::isnan(ab) && std::isnan(ba)), "product commutes");
            if (std::fabs(a) < 1e300) {
                FUZZ_CHECK(!radio::FormatFixed(a, 3, 5).empty(), "a finite value formats");
            }
        }
    }
    return 0;
}
