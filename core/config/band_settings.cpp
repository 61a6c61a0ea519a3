#include "core/config/band_settings.h"

#include <cstdint>

namespace radio {
namespace {

// sscanf's "%d": optional white space, an optional sign, at least one digit. Values are held
// well inside int so the band arithmetic (upper - 1) can never overflow.
bool ScanInt(std::string_view& s, int& out) {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    const std::size_t digitsStart = i;
    std::int64_t v = 0;
    constexpr std::int64_t kLimit = 1'000'000'000;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        v = v * 10 + (s[i] - '0');
        if (v > kLimit) v = kLimit;
        ++i;
    }
    if (i == digitsStart) return false;
    out = static_cast<int>(negative ? -v : v);
    s.remove_prefix(i);
    return true;
}

std::string FieldKey(const char* stem, int n) { return stem + std::to_string(n); }

}  // namespace

std::vector<std::string> RadioTypes(const CIniFile& ini) {
    std::vector<std::string> types;
    for (int n = 1; n <= kMaxRadioTypes; ++n) {
        std::string name = SetupValue(ini, FieldKey("Type", n));
        if (name.empty()) break;
        types.push_back(std::move(name));
    }
    return types;
}

std::string BandList(const CIniFile& ini, int typeIndex) {
    return SetupValue(ini, FieldKey("Field", typeIndex + 1));
}

std::vector<std::string> SplitBands(std::string_view list) {
    std::vector<std::string> pieces;
    for (;;) {
        const std::size_t bar = list.find('|');
        pieces.emplace_back(list.substr(0, bar));
        if (bar == std::string_view::npos) return pieces;
        list.remove_prefix(bar + 1);
    }
}

std::string PickBand(std::string_view list, int index) {
    for (int i = 0; i < index; ++i) {
        const std::size_t bar = list.find('|');
        if (bar == std::string_view::npos) break;  // past the last separator: last piece
        list.remove_prefix(bar + 1);
    }
    return std::string(list.substr(0, list.find('|')));
}

std::pair<int, int> ParseBand(std::string_view text) {
    // Like sscanf("%d-%dMHz"): whatever was read before the first mismatch counts.
    int lower = 0;
    int upper = 0;
    if (!ScanInt(text, lower)) return {0, 0};
    if (text.empty() || text.front() != '-') return {lower, 0};
    text.remove_prefix(1);
    if (!ScanInt(text, upper)) return {lower, 0};
    return {lower, upper};
}

std::optional<BandLimits> ValidBand(std::string_view text) {
    auto digits = [&](int& value) {
        std::size_t n = 0;
        value = 0;
        while (n < text.size() && n < 4 && text[n] >= '0' && text[n] <= '9')
            value = value * 10 + (text[n++] - '0');
        text.remove_prefix(n);
        return n > 0;
    };
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    int lower = 0, upper = 0;
    if (!digits(lower) || text.empty() || text.front() != '-') return std::nullopt;
    text.remove_prefix(1);
    if (!digits(upper)) return std::nullopt;
    if (text.size() != 3 || (text[0] != 'M' && text[0] != 'm') ||
        (text[1] != 'H' && text[1] != 'h') || (text[2] != 'z' && text[2] != 'Z'))
        return std::nullopt;
    if (lower <= 0 || upper <= lower || upper > 999) return std::nullopt;
    return BandLimits{lower, upper};
}

std::vector<std::string> CheckBandTexts(const CIniFile& ini) {
    std::vector<std::string> warnings;
    const std::vector<std::string> types = RadioTypes(ini);
    for (std::size_t t = 0; t < types.size(); ++t) {
        const std::string key = FieldKey("Field", static_cast<int>(t) + 1);
        const std::string list = BandList(ini, static_cast<int>(t));
        if (list.empty()) continue;  // a type without bands offers none to choose
        const std::vector<std::string> bands = SplitBands(list);
        for (std::size_t b = 0; b < bands.size(); ++b) {
            if (ValidBand(bands[b])) continue;
            warnings.push_back("[Setup] " + key + " band " + std::to_string(b) + " '" + bands[b] +
                               "' is not LOW-HIGHMHz with 0 < LOW < HIGH <= 999 (e.g. "
                               "136-174MHz): choosing it leaves the image's band limits as "
                               "they are");
        }
    }
    return warnings;
}

std::optional<BandLimits> ConfiguredBand(const RadioImage& image, const CIniFile& ini) {
    const int type = image[offset::kRadioType];
    const int band = image[offset::kBandIndex];
    return ValidBand(PickBand(BandList(ini, type), band));
}

std::string ApplyBandSettings(RadioImage& image, bool newImage, const CIniFile& ini,
                              const AppConfig& cfg, SettingsStore& store) {
    if (newImage) {
        // A new image takes the user's last choice.
        image[offset::kRadioType] = static_cast<std::uint8_t>(store.GetInt("Type").value_or(0));
        image[offset::kBandIndex] = static_cast<std::uint8_t>(store.GetInt("Field").value_or(0));
    } else {
        // An opened or read image carries its own choice, which becomes the user's.
        store.SetInt("Type", image[offset::kRadioType]);
        store.SetInt("Field", image[offset::kBandIndex]);
    }
    if (const auto limits = ConfiguredBand(image, ini))
        WriteBandLimits(image, limits->lowerMHz, limits->upperMHz);
    return LanguageValue(ini, cfg, "AppName");
}

std::string ApplyProductInfo(RadioImage& image, int typeIndex, int bandIndex,
                             std::string_view typeText, std::string_view bandText,
                             const CIniFile& ini, const AppConfig& cfg, SettingsStore& store) {
    image[offset::kRadioType] = static_cast<std::uint8_t>(typeIndex);
    image[offset::kBandIndex] = static_cast<std::uint8_t>(bandIndex);
    if (const auto limits = ValidBand(bandText))
        WriteBandLimits(image, limits->lowerMHz, limits->upperMHz);

    std::string title = LanguageValue(ini, cfg, "AppName");
    title += "  [ Type:";
    title += typeText;
    title += "  Fre:";
    title += bandText;
    title += " ]";

    store.SetInt("Type", static_cast<std::uint32_t>(typeIndex));
    store.SetInt("Field", static_cast<std::uint32_t>(bandIndex));
    return title;
}

}  // namespace radio
