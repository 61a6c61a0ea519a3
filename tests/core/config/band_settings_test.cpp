#include "core/config/band_settings.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <random>

namespace radio {
namespace {

using Limits = std::array<std::uint8_t, 3>;

Limits LimitsOf(const RadioImage& image) {
    return {image[offset::kBandLimits], image[offset::kBandLimits + 1],
            image[offset::kBandLimits + 2]};
}

TEST(ParseBand, FollowsScanfIncludingPartialReads) {
    const std::tuple<const char*, int, int> cases[] = {
        {"136-174MHz", 136, 174},
        {"400-470MHz", 400, 470},
        {"400-470", 400, 470},
        {"136-", 136, 0},
        {"136", 136, 0},
        {"136 -174MHz", 136, 0},
        {"136- 174MHz", 136, 174},
        {" 136-174MHz", 136, 174},
        {"-5-10MHz", -5, 10},
        {"+136-+174", 136, 174},
        {"MHz", 0, 0},
        {"", 0, 0},
        {"136-x", 136, 0},
    };
    for (const auto& [text, lower, upper] : cases) {
        EXPECT_EQ(ParseBand(text), std::make_pair(lower, upper)) << text;
    }
}

TEST(ParseBand, HugeNumbersStayUsable) {
    const auto [lower, upper] = ParseBand("99999999999999999999-99999999999999999999MHz");
    EXPECT_GT(lower, 0);
    EXPECT_GT(upper - 1, 0);  // no overflow when the upper limit is lowered
}

TEST(SplitBands, EveryBarSplits) {
    using V = std::vector<std::string>;
    EXPECT_EQ(SplitBands(""), V{""});
    EXPECT_EQ(SplitBands("136-174MHz"), V{"136-174MHz"});
    EXPECT_EQ(SplitBands("a|b|"), (V{"a", "b", ""}));
    EXPECT_EQ(SplitBands(" a |b"), (V{" a ", "b"}));  // pieces are not trimmed
}

TEST(PickBand, WalksToTheIndexOrTakesTheLastPiece) {
    const std::tuple<const char*, int, const char*> cases[] = {
        {"a|b|c", 0, "a"}, {"a|b|c", 1, "b"}, {"a|b|c", 2, "c"}, {"a|b|c", 9, "c"}, {"a||c", 1, ""},
        {"a|b|", 5, ""},   {"a", 3, "a"},     {"", 0, ""},       {"a|b", -1, "a"},
    };
    for (const auto& [list, index, expected] : cases) {
        EXPECT_EQ(PickBand(list, index), expected) << list << " #" << index;
    }
}

constexpr const char* kIni =
    "[Setup]\n"
    "AppName=radio\n"
    "Type1=Model-A\nField1=136-174MHz|400-470MHz\n"
    "Type2=Model-B\nField2=400-470MHz|136-174MHz\n"
    "Type3=Model-C\nField3=136-174MHz\n"
    "[English]\nAppName=Radio Programmer\n"
    "[Chinese]\nAppName=对讲机\n";

struct BandCase {
    int type;
    int band;
    Limits limits;
};

TEST(ApplyBandSettings, OpenedImageGivesItsChoiceToTheStore) {
    CIniFile ini;
    ini.LoadFromText(kIni, true);
    const AppConfig cfg = AppConfig::FromIni(ini);
    const BandCase cases[] = {
        {0, 0, {0x13, 0x17, 0x63}},
        {0, 1, {0x40, 0x46, 0x09}},
        {0, 5, {0x40, 0x46, 0x09}},
        {1, 0, {0x40, 0x46, 0x09}},
        {2, 3, {0x13, 0x17, 0x63}},
        {7, 0, {0xFF, 0xFF, 0xFF}},  // no such type: no band text, the bytes stay as they were
        {255, 255, {0xFF, 0xFF, 0xFF}},
    };
    for (const BandCase& c : cases) {
        RadioImage image = RadioImage::Blank();
        image[offset::kRadioType] = static_cast<std::uint8_t>(c.type);
        image[offset::kBandIndex] = static_cast<std::uint8_t>(c.band);
        MemorySettingsStore store;
        store.SetInt("Type", 9);
        EXPECT_EQ(ApplyBandSettings(image, false, ini, cfg, store), "Radio Programmer");
        EXPECT_EQ(LimitsOf(image), c.limits) << c.type << "/" << c.band;
        EXPECT_EQ(store.GetInt("Type"), static_cast<std::uint32_t>(c.type));
        EXPECT_EQ(store.GetInt("Field"), static_cast<std::uint32_t>(c.band));
    }
}

TEST(ApplyBandSettings, NewImageTakesTheStoredChoice) {
    CIniFile ini;
    ini.LoadFromText(kIni, true);
    const AppConfig cfg = AppConfig::FromIni(ini);

    const struct {
        const char* name;
        std::optional<std::uint32_t> type, field;  // stored; nullopt: nothing stored yet
        std::uint8_t imageType;                    // what the image held before
        std::uint8_t expectType, expectBand;
        std::optional<Limits> limits;
    } cases[] = {
        {"stored choice", 1, 0, 0xFF, 1, 0, Limits{0x40, 0x46, 0x09}},  // first band of Field2
        {"nothing stored: type 0, band 0", std::nullopt, std::nullopt, 2, 0, 0,
         Limits{0x13, 0x17, 0x63}},
        {"only the low byte reaches the image", 0x102, 0x301, 0xFF, 0x02, 0x01, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MemorySettingsStore store;
        if (c.type) store.SetInt("Type", *c.type);
        if (c.field) store.SetInt("Field", *c.field);
        RadioImage image = RadioImage::Blank();
        if (c.imageType != 0xFF) image[offset::kRadioType] = c.imageType;
        static_cast<void>(ApplyBandSettings(image, true, ini, cfg, store));
        EXPECT_EQ(image[offset::kRadioType], c.expectType);
        EXPECT_EQ(image[offset::kBandIndex], c.expectBand);
        if (c.limits) {
            EXPECT_EQ(LimitsOf(image), *c.limits);
        }
        EXPECT_EQ(store.GetInt("Type"), c.type) << "a new image never writes the store";
    }
}

TEST(ApplyBandSettings, TouchesOnlyTypeBandAndLimitBytes) {
    CIniFile ini;
    ini.LoadFromText("[Setup]\nLanguage=Chinese\nField1=136-174MHz\n[Chinese]\nAppName=对讲机\n",
                     true);
    const AppConfig cfg = AppConfig::FromIni(ini);
    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        RadioImage image;
        for (auto& b : image.bytes()) b = static_cast<std::uint8_t>(rng());
        const RadioImage before = image;
        MemorySettingsStore store;
        store.SetInt("Type", 0);
        EXPECT_EQ(ApplyBandSettings(image, round % 2 == 0, ini, cfg, store), "对讲机");
        for (std::size_t i = 0; i < kImageSize; ++i) {
            if (i == offset::kRadioType || i == offset::kBandIndex ||
                (i >= offset::kBandLimits && i < offset::kBandLimits + 3)) {
                continue;
            }
            ASSERT_EQ(image[i], before[i]) << "byte " << i;
        }
    }
}

TEST(ApplyProductInfo, WritesImageStoreAndTitle) {
    CIniFile ini;
    ini.LoadFromText(kIni, true);
    const AppConfig cfg = AppConfig::FromIni(ini);
    MemorySettingsStore store;
    RadioImage image = RadioImage::Blank();
    const std::string title =
        ApplyProductInfo(image, 1, 1, "Model-B", "136-174MHz", ini, cfg, store);
    EXPECT_EQ(title, "Radio Programmer  [ Type:Model-B  Fre:136-174MHz ]");
    EXPECT_EQ(image[offset::kRadioType], 1);
    EXPECT_EQ(image[offset::kBandIndex], 1);
    EXPECT_EQ(LimitsOf(image), (Limits{0x13, 0x17, 0x63}));
    EXPECT_EQ(store.GetInt("Type"), 1u);
    EXPECT_EQ(store.GetInt("Field"), 1u);

    // The next new image starts from that choice.
    RadioImage next = RadioImage::Blank();
    ApplyBandSettings(next, true, ini, cfg, store);
    EXPECT_EQ(LimitsOf(next), (Limits{0x13, 0x17, 0x63}));
}

TEST(RadioTypes, StopsAtFirstGapAndAtNineteen) {
    std::string all = "[Setup]\n";
    for (int n = 1; n <= 20; ++n)
        all += "Type" + std::to_string(n) + "=T" + std::to_string(n) + "\n";
    CIniFile ini;
    ini.LoadFromText(all, true);
    const auto types = RadioTypes(ini);
    ASSERT_EQ(types.size(), 19u);
    EXPECT_EQ(types.front(), "T1");
    EXPECT_EQ(types.back(), "T19");

    CIniFile gap;
    gap.LoadFromText("[Setup]\nType1=A\nType2=B\nType3=\nType4=D\n", true);
    EXPECT_EQ(RadioTypes(gap), (std::vector<std::string>{"A", "B"}));

    CIniFile none;
    none.LoadFromText("", true);
    EXPECT_TRUE(RadioTypes(none).empty());
    EXPECT_EQ(BandList(none, 0), "");
}

}  // namespace
}  // namespace radio

namespace radio {
namespace {

// Band texts become band bytes only when they are a band: never from garbage, never upside
// down; the start-up check names each one that is not.
TEST(ValidBand, OnlyRealBandsBecomeBandBytes) {
    const struct {
        const char* text;
        std::optional<BandLimits> band;
    } cases[] = {
        {"136-174MHz", BandLimits{136, 174}},
        {" 400-470mhz ", BandLimits{400, 470}},
        {"abc", std::nullopt},
        {"174-136MHz", std::nullopt},
        {"136-174", std::nullopt},
        {"0-10MHz", std::nullopt},
        {"400-1000MHz", std::nullopt},
        {"136-174MHzz", std::nullopt},
        {"-136-174MHz", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ValidBand(c.text), c.band) << c.text;

    CIniFile ini;
    ini.LoadFromText(
        "[Setup]\nType1=A\nField1=136-174MHz|abc\nType2=B\nField2=174-136MHz\n"
        "Type3=C\n",
        true);
    const std::vector<std::string> warnings = CheckBandTexts(ini);
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_TRUE(warnings[0].starts_with("[Setup] Field1 band 1 'abc' is not LOW-HIGHMHz"));
    EXPECT_TRUE(warnings[1].starts_with("[Setup] Field2 band 0 '174-136MHz'"));

    MemorySettingsStore store;
    RadioImage image = RadioImage::Blank();
    WriteBandLimits(image, 136, 174);
    const RadioImage before = image;
    (void)ApplyProductInfo(image, 0, 1, "A", "abc", ini, AppConfig::FromIni(ini), store);
    EXPECT_EQ(LimitsOf(image), LimitsOf(before)) << "garbage leaves the band bytes";
}

}  // namespace
}  // namespace radio
