#include "core/codec/tone_table.h"

#include "core/config/phrase.h"

#include <array>
#include <cmath>

#include "core/codec/decimal.h"
#include "core/image/radio_image.h"

namespace radio {

namespace {

// CTCSS tones in 0.1 Hz.
constexpr std::array<int, 50> kCtcss = {
    670,  693,  719,  744,  770,  797,  825,  854,  885,  915,  948,  974,  1000,
    1035, 1072, 1109, 1148, 1188, 1230, 1273, 1318, 1365, 1413, 1462, 1514, 1567,
    1598, 1622, 1655, 1679, 1713, 1738, 1773, 1799, 1835, 1862, 1899, 1928, 1966,
    1995, 2035, 2065, 2107, 2181, 2257, 2291, 2336, 2418, 2503, 2541,
};

constexpr std::array<int, 105> kDcs = {
    23,  25,  26,  31,  32,  36,  43,  47,  51,  53,  54,  65,  71,  72,  73,  74,  114, 115,
    116, 122, 125, 131, 132, 134, 143, 145, 152, 155, 156, 162, 165, 172, 174, 205, 212, 223,
    225, 226, 243, 244, 245, 246, 251, 252, 255, 261, 263, 265, 266, 271, 274, 306, 311, 315,
    325, 331, 332, 343, 346, 351, 356, 364, 365, 371, 411, 412, 413, 423, 431, 432, 445, 446,
    452, 454, 455, 462, 464, 465, 466, 503, 506, 516, 523, 526, 532, 546, 565, 606, 612, 624,
    627, 631, 632, 645, 654, 662, 664, 703, 712, 723, 731, 732, 734, 743, 754,
};

std::string_view NoToneText(Language lang) {
    return Pick(lang, QT_TRANSLATE_NOOP("radio", "None"), "无");
}

std::string CtcssText(int tenths) { return FormatFixed(DecimalMultiply(tenths, 0.1), 3, 1); }

// The "D0" prefix depends on the hundreds digit only, so code 7 reads "D07N": a code in no list.
std::string DcsText(int hundreds, int code, char suffix) {
    return std::string(hundreds == 0 ? "D0" : "D") + std::to_string(code) + suffix;
}

}  // namespace

std::vector<std::string> BuildToneTable(Language lang) {
    // Formatted once per language: every list-entry check (cell commits, imports) asks for
    // the table, and formatting 261 texts each time dominated their cost.
    static const auto make = [](Language l) {
        std::vector<std::string> table;
        table.reserve(kToneCount);
        table.emplace_back(NoToneText(l));
        for (int tenths : kCtcss) table.push_back(CtcssText(tenths));
        for (char suffix : {'N', 'I'})
            for (int code : kDcs) table.push_back(DcsText(code / 100, code, suffix));
        return table;
    };
    static const std::vector<std::string> english = make(Language::English);
    static const std::vector<std::string> chinese = make(Language::Chinese);
    return lang == Language::Chinese ? chinese : english;
}

std::string DecodeTone(std::uint8_t high, std::uint8_t low, Language lang) {
    if (high == 0x00 || high == 0xFF) return std::string(NoToneText(lang));
    if (high >= 0xC0) {
        const int d = high - 0xC0;
        return DcsText(d, d * 100 + BcdDecode(low), 'I');
    }
    if (high >= 0x80) {
        const int d = high - 0x80;
        return DcsText(d, d * 100 + BcdDecode(low), 'N');
    }
    return CtcssText(BcdDecode(high) * 100 + BcdDecode(low));
}

std::optional<ToneWord> EncodeTone(std::string_view text) {
    if (text.find('D') != std::string_view::npos) {
        // The polarity letter is looked for after the first character only, and any text
        // without an N counts as inverted: "D023I" and "D023" both give C0 23.
        const std::string_view rest = text.substr(1);
        const long long v = LeadingInteger(rest);
        const bool normal = rest.find('N') != std::string_view::npos;
        // The hundreds go into the high byte beside the polarity bits: 0x80 + 63 is the last
        // normal code, 0xC0 + 62 the last inverted one (0xFF means no tone).
        const long long hundreds = v / 100;
        const auto low = BcdEncode(v % 100);
        if (v < 0 || !low || hundreds > (normal ? 63 : 62)) return std::nullopt;
        return ToneWord{static_cast<std::uint8_t>(hundreds + (normal ? 0x80 : 0xC0)), *low};
    }
    const double tenths = DecimalMultiply(LeadingNumber(text), 10);
    if (!(std::abs(tenths) < 1e15)) return std::nullopt;  // no tone has such a number
    const long long v = static_cast<long long>(tenths);
    if (v == 0) return ToneWord{};
    // A CTCSS high byte is BCD 01..79: 00 reads as no tone and 80 and above as DCS.
    const auto high = BcdEncode(v / 100);
    const auto low = BcdEncode(v % 100);
    if (!high || !low || *high == 0x00 || *high >= 0x80) return std::nullopt;
    return ToneWord{*high, *low};
}

}  // namespace radio
