#include "core/codec/tone_table.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace radio {
namespace {

TEST(ToneTable, HoldsTheListsInOrder) {
    const auto en = BuildToneTable(Language::English);
    const auto zh = BuildToneTable(Language::Chinese);
    ASSERT_EQ(en.size(), 261u);
    ASSERT_EQ(zh.size(), 261u);
    const std::vector<std::pair<int, std::string>> marks = {
        {0, "None"},   {1, "67.0"},    {13, "100.0"},  {50, "254.1"}, {51, "D023N"},
        {67, "D114N"}, {155, "D754N"}, {156, "D023I"}, {260, "D754I"}};
    for (const auto& [index, text] : marks) EXPECT_EQ(en[index], text) << index;
    EXPECT_EQ(zh[0], "无");
    EXPECT_TRUE(std::equal(en.begin() + 1, en.end(), zh.begin() + 1));
    EXPECT_EQ(std::set<std::string>(en.begin(), en.end()).size(), 261u);
}

TEST(ToneTable, DecodeFollowsTheToneWord) {
    const std::vector<std::tuple<std::uint8_t, std::uint8_t, std::string>> cases = {
        {0x80, 0x23, "D023N"}, {0xC1, 0x14, "D114I"},  {0x06, 0x70, "67.0"}, {0x10, 0x00, "100.0"},
        {0x00, 0x55, "None"},  {0xFF, 0x12, "None"},   {0x80, 0x07, "D07N"}, {0x7F, 0x99, "859.9"},
        {0xC7, 0x54, "D754I"}, {0xBF, 0x00, "D6300N"}, {0x00, 0x05, "None"}, {0x01, 0x00, "10.0"},
    };
    for (const auto& [high, low, text] : cases)
        EXPECT_EQ(DecodeTone(high, low, Language::English), text);
    EXPECT_EQ(DecodeTone(0xFF, 0xFF, Language::Chinese), "无");
}

TEST(ToneTable, EncodeFollowsTheText) {
    const std::vector<std::tuple<std::string, std::uint8_t, std::uint8_t>> cases = {
        {"D023N", 0x80, 0x23},  {"D754I", 0xC7, 0x54},  {"D023I", 0xC0, 0x23},
        {"D023", 0xC0, 0x23},   {"D07N", 0x80, 0x07},   {"67.0", 0x06, 0x70},
        {"254.1", 0x25, 0x41},  {"None", 0xFF, 0xFF},   {"无", 0xFF, 0xFF},
        {"", 0xFF, 0xFF},       {"abc", 0xFF, 0xFF},    {"0.05", 0xFF, 0xFF},
        {"xD023N", 0x80, 0x00},  // a D anywhere takes the DCS path; "D023N" reads as 0
        {"67.0D", 0xC0, 0x07},  {"D6262I", 0xFE, 0x62}, {"D6399N", 0xBF, 0x99},
        {"79.9", 0x07, 0x99},   {"799.9", 0x79, 0x99},
    };
    for (const auto& [text, high, low] : cases)
        EXPECT_EQ(EncodeTone(text), (ToneWord{high, low})) << text;
}

// Numbers no tone word holds are refused, never wrapped into a word of another tone: the
// high byte's BCD would overflow into the DCS range, or 0xFF ("no tone"), or 0x00 ("no tone").
TEST(ToneTable, EncodeRefusesWhatNoWordCanHold) {
    for (const char* text : {"D6400N", "D6300I", "D9999N", "D-23N", "D12345I", "800.0", "9999.9",
                             "5.0", "9.9", "-67.0", "1e99", "-1e99"}) {
        EXPECT_EQ(EncodeTone(text), std::nullopt) << text;
    }
}

TEST(ToneTable, EveryEntryRoundTripsInBothLanguages) {
    for (Language lang : {Language::English, Language::Chinese}) {
        for (const std::string& entry : BuildToneTable(lang)) {
            const std::optional<ToneWord> word = EncodeTone(entry);
            ASSERT_TRUE(word) << entry;
            EXPECT_EQ(DecodeTone(word->high, word->low, lang), entry);
        }
    }
}

// Any tone word with proper BCD digits comes back from its text unchanged.
TEST(ToneTable, EveryWellFormedWordRoundTrips) {
    auto validBcd = [](int b) { return (b >> 4) <= 9 && (b & 0x0F) <= 9; };
    for (int high = 0x01; high <= 0xFE; ++high) {
        if (high < 0x80 && !validBcd(high)) continue;
        for (int low = 0; low <= 0x99; ++low) {
            if (!validBcd(low)) continue;
            const auto h = static_cast<std::uint8_t>(high), l = static_cast<std::uint8_t>(low);
            ASSERT_EQ(EncodeTone(DecodeTone(h, l, Language::English)), (ToneWord{h, l}))
                << std::hex << high << " " << low;
        }
    }
}

}  // namespace
}  // namespace radio
