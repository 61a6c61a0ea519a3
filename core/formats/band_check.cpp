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
    Phrase phrase =
        stored ? Phrase::Of(QT_TRANSLATE_NOOP("radio",
                                              "band-limit bytes (0x1FF0) hold %1 (%2), but the "
                                              "image's radio type %3 and band %4 are %5 (%6); "
                                              "choose the band again (Product Information, or "
                                              "radioprog band)"),
                            Hex(held), BandText(*stored), int(image[offset::kRadioType]),
                            int(image[offset::kBandIndex]), BandText(*chosen), Hex(expected))
               : Phrase::Of(QT_TRANSLATE_NOOP("radio",
                                              "band-limit bytes (0x1FF0) hold %1, but the "
                                              "image's radio type %2 and band %3 are %4 (%5); "
                                              "choose the band again (Product Information, or "
                                              "radioprog band)"),
                            Hex(held), int(image[offset::kRadioType]),
                            int(image[offset::kBandIndex]), BandText(*chosen), Hex(expected));
    std::string text = phrase.English();
    return Finding{Severity::Warning, FindingKind::BandBytes, -1, 0,
                   std::move(text),   std::move(phrase)};
}

}  // namespace radio
