#include "core/formats/band_check.h"

#include <cstdio>
#include <string>

#include "core/config/band_settings.h"

namespace radio {

namespace {

std::string Hex(const std::array<std::uint8_t, 3>& bytes) {
    char text[12];
    std::snprintf(text, sizeof text, "%02X %02X %02X", bytes[0], bytes[1], bytes[2]);
    return text;
}

std::string BandText(const BandLimits& band) {
    return std::to_string(band.lowerMHz) + "-" + std::to_string(band.upperMHz) + " MHz";
}

}  // namespace

std::optional<Finding> CheckBandBytes(const RadioImage& image, const CIniFile& ini) {
    const auto chosen = ConfiguredBand(image, ini);
    if (!chosen) return std::nullopt;
    const auto expected = BandLimitBytes(chosen->lowerMHz, chosen->upperMHz);
    const std::array<std::uint8_t, 3> held = {
        image[offset::kBandLimits], image[offset::kBandLimits + 1], image[offset::kBandLimits + 2]};
    // 0xFF throughout is an image never given a band (radioprog new): nothing to disagree.
    if (held == expected || held == std::array<std::uint8_t, 3>{0xFF, 0xFF, 0xFF})
        return std::nullopt;
    const auto stored = ReadBandLimits(image);
    std::string text = "band-limit bytes (0x1FF0) hold " + Hex(held);
    if (stored) text += " (" + BandText(*stored) + ")";
    text += ", but the image's radio type " + std::to_string(image[offset::kRadioType]) +
            " and band " + std::to_string(image[offset::kBandIndex]) + " are " + BandText(*chosen) +
            " (" + Hex(expected) +
            "); choose the band again (Product Information, or radioprog band)";
    return Finding{Severity::Warning, FindingKind::BandBytes, -1, 0, std::move(text)};
}

}  // namespace radio
