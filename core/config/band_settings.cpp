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
    const int type = image[offset::kRadioType];
    const int band = image[offset::kBandIndex];
    const auto [lower, upper] = ParseBand(PickBand(BandList(ini, type), band));
    WriteBandLimits(image, lower, upper);
    return LanguageValue(ini, cfg, "AppName");
}

std::string ApplyProductInfo(RadioImage& image, int typeIndex, int bandIndex,
                             std::string_view typeText, std::string_view bandText,
                             const CIniFile& ini, const AppConfig& cfg, SettingsStore& store) {
    image[offset::kRadioType] = static_cast<std::uint8_t>(typeIndex);
    image[offset::kBandIndex] = static_cast<std::uint8_t>(bandIndex);
    const auto [lower, upper] = ParseBand(bandText);
    WriteBandLimits(image, lower, upper);

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
