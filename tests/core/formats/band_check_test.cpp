#include "core/formats/band_check.h"

#include <gtest/gtest.h>

namespace radio {
namespace {

// The band bytes against the choice of type and band: a warning naming both, or nothing.
TEST(BandCheck, WarnsWhenTheBandBytesAreNotTheChosenBand) {
    CIniFile ini;
    ini.LoadFromText("[Setup]\nType1=A\nField1=136-174MHz|400-470MHz|abc\n", true);
    const struct {
        const char* name;
        int band;                                  // 0x1FD7
        std::optional<std::pair<int, int>> bytes;  // written limits; nullopt: 0xFF as blank
        const char* warning;                       // part of the text; nullptr: no finding
    } cases[] = {
        {"bytes of the chosen band", 1, std::pair{400, 470}, nullptr},
        {"bytes of another band", 1, std::pair{136, 174},
         "hold 13 17 63 (136-174 MHz), but the image's radio type 0 and band 1 are 400-470 MHz "
         "(40 46 09)"},
        {"never given a band", 0, std::nullopt, nullptr},
        {"a choice that is no band", 2, std::pair{136, 174}, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RadioImage image = RadioImage::Blank();
        image[offset::kBandIndex] = static_cast<std::uint8_t>(c.band);
        if (c.bytes) WriteBandLimits(image, c.bytes->first, c.bytes->second);
        const std::optional<Finding> finding = CheckBandBytes(image, ini);
        ASSERT_EQ(finding.has_value(), c.warning != nullptr);
        if (!finding) continue;
        EXPECT_EQ(finding->severity, Severity::Warning);
        EXPECT_NE(finding->text.find(c.warning), std::string::npos) << finding->text;
    }
}

}  // namespace
}  // namespace radio
